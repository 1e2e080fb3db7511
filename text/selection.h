// Selecting in the lesson view: the text position under a point of the view, words, the whole
// lesson, the drawing of the selection and the text it gives the clipboard.
//
// Positions are counted in reading order. A byte's reading position is its offset in a
// left-to-right paragraph and its offset mirrored within the paragraph's text in a right-to-left
// (ReaderCode) paragraph, which is stored in visual order; so reading positions rise through the
// whole text as it is read, and the bytes of a selection [From, To) are those whose reading
// positions lie in it. A position p is the boundary just before the byte at reading position p.
#pragma once

#include <cstdint>
#include <string>

#include "text/document.h"

namespace qm {

// The byte at `offset` of a document text (or the boundary at `offset`) in reading positions;
// the mapping is its own inverse. Offsets outside paragraph texts map to themselves.
std::uint16_t ReadingPosition(const std::uint8_t* text, std::uint16_t offset);

// The position nearest to a point of the view (client pixels), by the layout of the rows from
// TopLine on: a point above the text area is the start of the top row, one on a blank row or a
// rule the end of the line above it, one beyond the last row the end of the text, one beside a
// line its start or its end. Points (and the points on a letter) never part from their letter.
std::uint16_t PositionAt(Document& doc, std::int32_t x, std::int32_t y);

// The word around a position (runs of bytes between spaces within a paragraph); nothing when
// the position stands between spaces.
TextSelection WordAt(const Document& doc, std::uint16_t position);

// Every paragraph of the text.
TextSelection WholeText(const Document& doc);

// What Copy puts on the clipboard: the selected bytes as Unicode in reading order, whatever the
// font base and the Reverse setting; each paragraph on a line of its own (lines joined by CR
// LF), rules left out. Without points, vowel points are dropped and pointed letters become
// their bare letters.
std::u16string SelectedText(const std::uint8_t* text, TextSelection selection, bool withPoints);

// The colours the selection is drawn in; the view gives the system's highlight colours.
void SetSelectionColours(Colour text, Colour back);

// Draws the selected parts of the visible rows over what DrawDocument drew. Nothing (not a single
// call to the device) without a selection.
void DrawSelection(Document& doc);

}  // namespace qm

// The small title box that a search hit paints at the foot of the view: the lesson's title in
// red on yellow inside red, white and blue rings.
#pragma once

#include "text/document.h"

namespace qm {

// Paints the box on the document's device, over what DrawDocument drew. Nothing when the
// document has no text, no device, or no title lines.
void DrawTitleBox(Document* doc);

// Draws `count` nested rectangles in a solid pen of the colour, moving each side of `box` one
// pixel inward after each; without a pen the box still moves inward.
void DrawFrame(TextDevice& dc, Box& box, Colour colour, int count);

}  // namespace qm

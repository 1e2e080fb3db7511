// The source markup: lesson and index sources to record text, errors with their place, and
// printing back to the same markup.
#include "tools/recc/source_markup.h"

#include <gtest/gtest.h>

#include "tools/recc/reader_text.h"
#include "tools/recc/utf8.h"

namespace qm::recc {
namespace {

CompiledSource Compile(std::string_view source) {
  CompiledSource out;
  std::string error;
  EXPECT_TRUE(CompileSource("t.txt", source, out, error)) << error;
  return out;
}

std::string CompileError(std::string_view source) {
  CompiledSource out;
  std::string error;
  EXPECT_FALSE(CompileSource("t.txt", source, out, error));
  return error;
}

TEST(SourceMarkup, CompilesALessonIntoParagraphs) {
  const CompiledSource c = Compile(
      "# a comment\n"
      "lesson 12\r\n"
      "center \xD7\x90\xD7\x91 12\n"  // "אב 12"
      "\n"
      "rule\n"
      "ascii A line.\n"
      "body\n"
      "@B2:05  \xD7\x92\n");  // raw tag; the text keeps its leading space
  EXPECT_EQ(c.number, 12);
  const Bytes expected = {0xD1, 0x00, '1',  '2', ' ',  0x62, 0x61, 0x00,          //
                          0xC7, 0xD2, 0x00,                                       //
                          0x81, 0x00, 'A',  ' ', 'l',  'i',  'n',  'e',  '.', 0,  //
                          0xB1, 0x00, 0x00,                                       //
                          0xB2, 0x05, 0x63, ' ', 0x00,                            //
                          0x00, 0x00, 0x00};
  EXPECT_EQ(c.text, expected);
}

TEST(SourceMarkup, ReportsFileLineAndColumn) {
  // Rafe on the second letter of line 3 (line 1 is the comment).
  EXPECT_EQ(CompileError("#\nlesson 3\nbody \xD7\x90\xD7\x91\xD6\xBF\n"),
            "t.txt:3:8: character U+05BF HEBREW POINT RAFE has no code");
  EXPECT_EQ(CompileError("lesson 3\nbody ok\n").substr(0, 10), "t.txt:2:6:");
  EXPECT_EQ(CompileError("lesson 3\nascii \xD7\x90\n").substr(0, 11), "t.txt:2:7: ");
  EXPECT_NE(CompileError("lesson 3\nbody\nbody \xD7\x90\n").find("t.txt:2:1: the first paragraph"),
            std::string::npos);
  EXPECT_NE(CompileError("lesson 3\nheader x\n").find("t.txt:2:1: unknown paragraph tag"),
            std::string::npos);
  EXPECT_NE(CompileError("lesson 3\nrule x\n").find("t.txt:2:6"), std::string::npos);
  EXPECT_NE(CompileError("lesson 0\nrule\n").find("1 to 247"), std::string::npos);
  EXPECT_NE(CompileError("lesson 5\n").find("at least one paragraph"), std::string::npos);
  EXPECT_NE(CompileError("lesson 3\nbody \xD7\n").find("t.txt:2:6: malformed UTF-8"),
            std::string::npos);
  EXPECT_NE(CompileError("").find("t.txt:1:1"), std::string::npos);
}

TEST(SourceMarkup, CompilesAnIndexWithPositionalHeadingIds) {
  const CompiledSource c = Compile(
      "index\n"
      "heading \xD7\x90\n"
      "lesson 1 \xD7\x91'\n"
      "heading \xD7\x92\n"
      "entry 8877 C1 1 \xD7\x93\n");
  EXPECT_EQ(c.number, kIndexNumber);
  const Bytes expected = {0xFE, 0xBF, 0x8C, 1, 0x61, 0,  //
                          0x01, 0x40, 0x01, 2, 0x27, 0x62, 0,
                          0xFC, 0xBF, 0x8C, 1, 0x63, 0,  // position 2
                          0x77, 0x88, 0xC1, 1, 0x64, 0,  //
                          0,    0,    0,    0, 0};
  EXPECT_EQ(c.text, expected);
  EXPECT_NE(CompileError("index\nlesson x \xD7\x90\n").find("bad lesson number"),
            std::string::npos);
}

TEST(SourceMarkup, PrintsTheSameMarkupBack) {
  const std::string lesson =
      "center \xD7\xA9\xD6\xB8\xD7\x81\xD7\x9C\xD7\x95\xD6\xB9\xD7\x9D 5770\n"  // שָׁלוֹם 5770
      "center-small (\xD7\x90) \xD7\x91\n"
      "rule\n"
      "body  \xD7\x9A\xD6\xB0 \xD7\x9C\xD6\xB9\xD7\x90\n"
      "small \xD7\x92\n"
      "ascii Sof.\n"
      "@D4:03 \xD7\x93\n";
  const CompiledSource c = Compile("lesson 7\n" + lesson);
  // The source has its marks in canonical order already, so it prints back unchanged.
  EXPECT_EQ(PrintDocument(c.text), lesson);
  const std::string index = "heading \xD7\x90\xD7\x91\nlesson 3 \xD7\x92'-\xD7\x93\"\xD7\x94\n";
  EXPECT_EQ(PrintIndex(Compile("index\n" + index).text), index);
}

TEST(SourceMarkup, PrintingMalformedTextSaysSo) {
  const Bytes truncated = {0xB1, 0x00, 0x61};
  EXPECT_NE(PrintDocument(truncated).find("# missing paragraph terminator"), std::string::npos);
  const Bytes unended = {0xB1, 0x00, 0x61, 0x00};
  EXPECT_NE(PrintDocument(unended).find("# missing end of document"), std::string::npos);
}

}  // namespace
}  // namespace qm::recc

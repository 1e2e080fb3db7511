// Test helpers for documents: building document texts and a document over the fake device.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "frame/app_state.h"
#include "tests/fake_text_device.h"
#include "text/conversion.h"
#include "text/document.h"

namespace qm::testing {

struct Para {
  std::uint8_t style;
  std::uint8_t param;
  std::vector<std::uint8_t> bytes;
};

inline std::vector<std::uint8_t> Bytes(std::string_view s) {
  return std::vector<std::uint8_t>(s.begin(), s.end());
}

// Paragraphs in the stored format, then the zero that ends the document and two more zeros.
inline TextBuffer MakeText(std::initializer_list<Para> paras) {
  std::vector<std::uint8_t> all;
  for (const Para& p : paras) {
    all.push_back(p.style);
    all.push_back(p.param);
    all.insert(all.end(), p.bytes.begin(), p.bytes.end());
    all.push_back(0);
  }
  all.insert(all.end(), {0, 0, 0});
  TextBuffer text = AllocArray<std::uint8_t>(all.size());
  std::memcpy(text.get(), all.data(), all.size());
  return text;
}

// A document over the fake device: 12-point fonts (plain 16 px high, small 12, large 20) and
// every unit 8 px wide, so that vowel points are 0 px and everything else 8 px in the tables.
class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    g_conversion = ConversionBuffer{};
    g_conversion.Override = BaseAsStored;  // as after any ReaderCode run
    settings.FontSize = 12;
    settings.FontAsciiBase = BaseUnicode;
    g_app.FontSettings = settings;
  }
  void TearDown() override {
    SetAllocGate(nullptr);
    doc.reset();
    g_conversion = ConversionBuffer{};
    ResetAppState();
  }

  Document& Make(std::int32_t width,
                 std::int32_t height,
                 std::int32_t left = 0,
                 std::int32_t top = 0) {
    const Box rect{left, top, left + width, top + height};
    doc = CreateDocument(&dev, &rect, settings, 100);
    return *doc;
  }
  std::uint16_t Lay(std::initializer_list<Para> paras) {
    return LayoutDocument(doc.get(), MakeText(paras));
  }
  const LineEntry& Line(int k) const { return doc->Lines[k]; }

  FakeTextDevice dev;
  FontSettings settings;
  DocumentPtr doc;
};

}  // namespace qm::testing

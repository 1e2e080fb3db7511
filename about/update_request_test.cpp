// Tests of the update request address and its query escaping.
#include "about/update_request.h"

#include <gtest/gtest.h>

#include <string>

#include "about/addresses.h"

namespace qm {
namespace {

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t u : s)
    out += u < 0x80 ? char(u) : '?';
  return out;
}

TEST(UpdateRequest, NamesTheProductAndVersion) {
  const std::u16string request = BuildUpdateRequest();
  EXPECT_EQ(Narrow(request),
            "https://updates.example.org/cgi-bin/upgrade?p=windows/"
            "Tarnwick/Quillmere+%2D+5770+%28yid%29&v=1.85a");
  EXPECT_EQ(request.substr(0, kUpdateHost.size()), kUpdateHost);
  EXPECT_LE(request.size(), kUpdateRequestLimit);
}

TEST(UpdateRequest, EscapesEveryUnitOutsideTheCopiedSet) {
  EXPECT_EQ(Narrow(EscapeQueryText(u"AZaz09./")), "AZaz09./");
  EXPECT_EQ(Narrow(EscapeQueryText(u"a b  c")), "a+b++c");
  EXPECT_EQ(Narrow(EscapeQueryText(u"+%&=?#-_~:")), "%2B%25%26%3D%3F%23%2D%5F%7E%3A");
  EXPECT_EQ(Narrow(EscapeQueryText(std::u16string_view(u"\0\x01\x7F", 3))), "%00%01%7F");
  EXPECT_EQ(Narrow(EscapeQueryText(u"\u00E9\u00FF")), "%E9%FF");
  // Units above 0xFF take as many digits as they need.
  EXPECT_EQ(Narrow(EscapeQueryText(u"\u0100\u05D0\u0FFF")), "%100%5D0%FFF");
  EXPECT_EQ(Narrow(EscapeQueryText(u"\u1000\uFFFF\xD83D")), "%1000%FFFF%D83D");
  for (char16_t u : {u'a', u' ', u'-', u'\u05D0', u'\uFFFF'})
    EXPECT_EQ(EscapeQueryText(std::u16string_view(&u, 1)).size(), EscapedUnitLength(u));
}

// A request that would outgrow its buffer stops before the first piece that does not fit,
// never inside an escape, and stays a prefix of the full request.
TEST(UpdateRequest, NeverExceedsItsBuffer) {
  const std::u16string host = u"https://updates.example.org";
  const std::size_t base = host.size() + kUpdatePath.size();

  const std::u16string plain(kUpdateRequestLimit, u'x');
  const std::u16string cut = ComposeUpdateRequest(host, plain, kUpdateVersionQuery);
  EXPECT_EQ(cut.size(), kUpdateRequestLimit);
  EXPECT_EQ(cut, host + std::u16string(kUpdatePath) + plain.substr(0, kUpdateRequestLimit - base));

  // Three-unit escapes: the last one that fits is kept whole.
  const std::u16string dashes(100, u'-');
  const std::u16string escaped = ComposeUpdateRequest(host, dashes, kUpdateVersionQuery);
  const std::size_t whole = (kUpdateRequestLimit - base) / 3;
  EXPECT_EQ(escaped.size(), base + 3 * whole);
  EXPECT_EQ(escaped.substr(escaped.size() - 3), u"%2D");

  // The key fits but the version does not: no part of it is added.
  const std::u16string nearlyFull(kUpdateRequestLimit - base - 2, u'k');
  const std::u16string noVersion = ComposeUpdateRequest(host, nearlyFull, kUpdateVersionQuery);
  EXPECT_EQ(noVersion.size(), kUpdateRequestLimit - 2);
  EXPECT_EQ(noVersion.back(), u'k');

  // Exactly 199 units are allowed.
  const std::u16string exact(kUpdateRequestLimit - base - kUpdateVersionQuery.size(), u'k');
  const std::u16string full = ComposeUpdateRequest(host, exact, kUpdateVersionQuery);
  EXPECT_EQ(full.size(), kUpdateRequestLimit);
  EXPECT_EQ(full.substr(full.size() - kUpdateVersionQuery.size()), kUpdateVersionQuery);

  EXPECT_TRUE(ComposeUpdateRequest(std::u16string(300, u'h'), u"key", u"&v=1").empty());
}

}  // namespace
}  // namespace qm

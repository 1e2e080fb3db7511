// The update request: the address that asks the publisher's site about a newer version.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// The request must fit a 200-unit buffer with its terminating zero.
inline constexpr std::size_t kUpdateRequestLimit = 199;

inline constexpr std::u16string_view kUpdatePath = u"/cgi-bin/upgrade?p=windows/";
inline constexpr std::u16string_view kUpdateProductKey = u"Tarnwick/Quillmere - 5770 (yid)";
inline constexpr std::u16string_view kUpdateVersionQuery = u"&v=1.85a";

// Query escaping, unit by unit: a space becomes "+"; 0-9, A-Z, a-z, "." and "/" stay; every
// other unit u becomes "%" and u in upper-case hexadecimal, at least two digits ("%2D",
// "%5D0").
constexpr bool CopiedInQuery(char16_t u) {
  return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
         u == u'.' || u == u'/';
}

constexpr std::size_t EscapedUnitLength(char16_t u) {
  if (u == u' ' || CopiedInQuery(u)) return 1;
  return u <= 0xFF ? 3 : u <= 0xFFF ? 4 : 5;
}

constexpr std::size_t EscapedLength(std::u16string_view text) {
  std::size_t n = 0;
  for (char16_t u : text)
    n += EscapedUnitLength(u);
  return n;
}

std::u16string EscapeQueryText(std::u16string_view text);

// host + kUpdatePath + the escaped product key + versionQuery, at most kUpdateRequestLimit
// units. What does not fit is cut off at the first piece that would overflow, never inside
// an escape, so the result is always a prefix of the full request made of whole pieces.
std::u16string ComposeUpdateRequest(std::u16string_view host,
                                    std::u16string_view productKey,
                                    std::u16string_view versionQuery);

// The request for this program, with kUpdateHost from about/addresses.h.
std::u16string BuildUpdateRequest();

}  // namespace qm

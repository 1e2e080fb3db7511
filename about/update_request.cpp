// Building the update request address.
#include "about/update_request.h"

#include <utility>

#include "about/addresses.h"

namespace qm {

static_assert(kUpdateHost.size() + kUpdatePath.size() + EscapedLength(kUpdateProductKey) +
                      kUpdateVersionQuery.size() <=
                  kUpdateRequestLimit,
              "the update request must fit its buffer");

namespace {

// One unit's escaped form; at most five units ("%FFFF").
struct EscapedUnit {
  char16_t text[5] = {};
  std::size_t length = 0;
  std::u16string_view View() const { return {text, length}; }
};

EscapedUnit Escape(char16_t u) {
  EscapedUnit e;
  if (u == u' ') {
    e.text[e.length++] = u'+';
  } else if (CopiedInQuery(u)) {
    e.text[e.length++] = u;
  } else {
    constexpr char16_t kHex[] = u"0123456789ABCDEF";
    e.text[e.length++] = u'%';
    const std::size_t digits = EscapedUnitLength(u) - 1;
    for (std::size_t i = digits; i > 0; --i)
      e.text[e.length++] = kHex[(u >> (4 * (i - 1))) & 0xF];
  }
  return e;
}

// Appends whole pieces while they fit the limit; after the first that does not, nothing more.
class BoundedText {
 public:
  explicit BoundedText(std::size_t limit) : limit_(limit) {}

  void Append(std::u16string_view piece) {
    if (full_ || text_.size() + piece.size() > limit_) {
      full_ = true;
      return;
    }
    text_ += piece;
  }

  std::u16string Take() { return std::move(text_); }

 private:
  std::u16string text_;
  std::size_t limit_;
  bool full_ = false;
};

}  // namespace

std::u16string EscapeQueryText(std::u16string_view text) {
  std::u16string out;
  out.reserve(EscapedLength(text));
  for (char16_t u : text)
    out += Escape(u).View();
  return out;
}

std::u16string ComposeUpdateRequest(std::u16string_view host,
                                    std::u16string_view productKey,
                                    std::u16string_view versionQuery) {
  BoundedText request(kUpdateRequestLimit);
  request.Append(host);
  request.Append(kUpdatePath);
  for (char16_t u : productKey)
    request.Append(Escape(u).View());
  request.Append(versionQuery);
  return request.Take();
}

std::u16string BuildUpdateRequest() {
  return ComposeUpdateRequest(kUpdateHost, kUpdateProductKey, kUpdateVersionQuery);
}

}  // namespace qm

// The web addresses that the reader hands to the shell, kept in this one place.
#pragma once

#include <string_view>

namespace qm {

// The maker's web site: caption and target of the About box's link.
inline constexpr std::u16string_view kMakerAddress = u"https://www.example.org/";

// The publisher's update service, scheme and host only; the update request adds the rest.
inline constexpr std::u16string_view kUpdateHost = u"https://updates.example.org";

}  // namespace qm

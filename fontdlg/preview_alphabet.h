// The alphabet that the font dialog previews, in the order the platform is to be given it.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// The 27 letters at `base`, so that alef shows at the right: stored visual order (tav first),
// or reading order (alef first) where the platform shows the base's letters right to left.
std::u16string PreviewAlphabet(std::int32_t base);

}  // namespace qm

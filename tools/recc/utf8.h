// UTF-8 to code points and back, for the lesson sources and the tool's output.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::recc {

// Code points of `text`; on malformed input, nullopt with the byte offset of the bad sequence.
std::optional<std::u32string> DecodeUtf8(std::string_view text, std::size_t* badOffset = nullptr);

void AppendUtf8(std::string& out, char32_t cp);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace qm::recc

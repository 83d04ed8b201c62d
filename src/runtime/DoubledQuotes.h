// Reading a quoted value in which a doubled closing quote stands for itself: SQL texts
// ('O''Brien', "a""b") and connection-string values ({x}}y}, "a""b") share this one reader.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hlreports {

// The value that starts at text[pos] (its opening quote) and ends at the next `close` that is
// not doubled. On success pos is past the closing quote; nullopt when the value is never closed
// (pos is then unchanged).
std::optional<std::string> ReadDoubledQuoted(std::string_view text, std::size_t& pos, char close);

}  // namespace hlreports

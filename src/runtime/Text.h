// Text helpers shared by every subsystem. Text is UTF-8; case-insensitive comparisons fold ASCII
// letters only, as the classic text compare does for the names and keywords the component meets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hlreports {

// The one place that quotes a value for SQL or for a recordset filter/find criterion:
// every apostrophe is doubled. SqlQuoted also adds the enclosing apostrophes.
std::string DoubleApostrophes(std::string_view value);
std::string SqlQuoted(std::string_view value);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
// 0-based position of needle in haystack at or after start, ignoring case; npos when absent.
std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle,
                           std::size_t start = 0);
bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle);
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
std::string Trim(std::string_view text);  // blanks, tabs and line breaks at both ends
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Classic Split: an empty text gives no items; otherwise n+1 items for n separators.
std::vector<std::string> Split(std::string_view text, std::string_view separator);
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

}  // namespace hlreports

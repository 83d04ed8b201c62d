// Text helpers. ASCII-only case folding is deliberate: the names and keywords compared here are
// ASCII, and folding UTF-8 bytes one at a time would corrupt other letters.
#include "runtime/Text.h"

#include <algorithm>

namespace hlreports {

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EqualFolded(char a, char b) {
    return FoldAscii(a) == FoldAscii(b);
}

}  // namespace

std::string DoubleApostrophes(std::string_view value) {
    return ReplaceAll(value, "'", "''");
}

std::string SqlQuoted(std::string_view value) {
    // Built in one buffer: "'" + text + "'" draws a false -Wrestrict from GCC 12 at -O3.
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted.push_back('\'');
    for (const char c : value) {
        quoted.push_back(c);
        if (c == '\'') {
            quoted.push_back('\'');
        }
    }
    quoted.push_back('\'');
    return quoted;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), EqualFolded);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t start) {
    if (start > haystack.size()) {
        return std::string_view::npos;
    }
    auto found = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(start), haystack.end(),
                             needle.begin(), needle.end(), EqualFolded);
    if (found == haystack.end() && !needle.empty()) {
        return std::string_view::npos;
    }
    return static_cast<std::size_t>(found - haystack.begin());
}

bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
    return FindIgnoreCase(haystack, needle) != std::string_view::npos;
}

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), UpperAscii);
    return result;
}

std::string ToLowerAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), FoldAscii);
    return result;
}

std::string Trim(std::string_view text) {
    auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    if (first >= last) {
        return {};
    }
    return std::string(first, last);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, pos)) {
        result.append(text.substr(pos, hit - pos));
        result.append(to);
        pos = hit + from.size();
    }
    result.append(text.substr(pos));
    return result;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> items;
    if (text.empty()) {
        return items;
    }
    // The classic Split with an empty separator returns the whole text as one item.
    if (separator.empty()) {
        items.emplace_back(text);
        return items;
    }
    std::size_t pos = 0;
    for (std::size_t hit = text.find(separator); hit != std::string_view::npos;
         hit = text.find(separator, pos)) {
        items.emplace_back(text.substr(pos, hit - pos));
        pos = hit + separator.size();
    }
    items.emplace_back(text.substr(pos));
    return items;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string result;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result.append(separator);
        }
        result.append(parts[i]);
    }
    return result;
}

}  // namespace hlreports

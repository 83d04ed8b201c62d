// The doubled-quote reader (see DoubledQuotes.h).
#include "runtime/DoubledQuotes.h"

namespace hlreports {

std::optional<std::string> ReadDoubledQuoted(std::string_view text, std::size_t& pos, char close) {
    std::string value;
    std::size_t at = pos + 1;  // past the opening quote
    while (at < text.size()) {
        const char c = text[at++];
        if (c != close) {
            value += c;
            continue;
        }
        if (at < text.size() && text[at] == close) {
            value += close;
            ++at;
            continue;
        }
        pos = at;
        return value;
    }
    return std::nullopt;
}

}  // namespace hlreports

// Prompt metrics; see PromptMetrics.h. Characters are counted as UTF-8 code points.
#include "prompts/PromptMetrics.h"

#include <algorithm>

namespace hlreports {
namespace {

int32_t CharacterCount(std::string_view text) {
    return static_cast<int32_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
}

}  // namespace

int32_t TextWidthTwips(std::string_view text) {
    return CharacterCount(text) * CharacterWidthTwips;
}

int32_t WrappedTextHeightTwips(std::string_view text, int32_t widthTwips) {
    const int32_t perLine = std::max<int32_t>(1, widthTwips / CharacterWidthTwips);
    int32_t lines = 1;
    int32_t used = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        if (text[position] == '\n') {
            ++lines;
            used = 0;
            ++position;
            continue;
        }
        const std::size_t end = text.find_first_of(" \n", position);
        const std::size_t wordEnd = end == std::string_view::npos ? text.size() : end;
        const int32_t word = CharacterCount(text.substr(position, wordEnd - position));
        const int32_t needed = used == 0 ? word : used + 1 + word;
        if (needed <= perLine) {
            used = needed;
        } else {
            if (used > 0) {
                ++lines;
            }
            // A word longer than a line breaks wherever the line ends.
            const int32_t extraLines = (word - 1) / perLine;
            lines += extraLines;
            used = word - extraLines * perLine;
        }
        position = wordEnd;
        if (position < text.size() && text[position] == ' ') {
            ++position;
        }
    }
    return lines * LineHeightTwips;
}

}  // namespace hlreports

// The font metrics the prompt form is laid out with: the dialog font's average character width
// and line height in twips. Drivers draw with real fonts; the model's sizes only have to leave
// room for them, so an average width is enough.
#pragma once

#include <cstdint>
#include <string_view>

namespace hlreports {

inline constexpr int32_t CharacterWidthTwips = 90;
inline constexpr int32_t LineHeightTwips = 195;

// The width of one line of text.
int32_t TextWidthTwips(std::string_view text);
// The height of an auto-sized, word-wrapped label of the given width: one line per wrapped line,
// at least one.
int32_t WrappedTextHeightTwips(std::string_view text, int32_t widthTwips);

}  // namespace hlreports

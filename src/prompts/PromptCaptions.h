// The token operations of the line adder: the caption of a prompt line and the date a period
// token puts into a date box. Captions strip one leading token ("QZPREFILL(" ...) and its closing
// parenthesis and turn underscores into blanks: "{?@QZPREFILL(Start_Date)}" -> "Start Date".
#pragma once

#include <string>
#include <string_view>

#include "engine/CoreReport.h"
#include "runtime/Date.h"

namespace hlreports {

// Every "_" as a blank, then a leading "@" dropped.
std::string CaptionFromName(std::string_view text);
// The trimmed text without its leading token (ignoring case) and its last character; the text
// unchanged (untrimmed) when no token leads it.
std::string StripToken(std::string_view text);
// The caption of an input or list line: the prompt text, or the name without braces when the
// prompt text is empty, through CaptionFromName and StripToken.
std::string LineCaption(const CoreParameter& parameter);

// The property's current period end: the session's period end, moved to its month's last day
// when its day is past the 27th; the zero date when "sp_GetPropertyInfo" cannot be run for the
// property.
Date CurrentPeriodEnd(const std::string& propertyId);
// The date a date box of this parameter starts with: by its period token, today without one.
Date PrefillDate(const CoreParameter& parameter, const std::string& propertyId);

}  // namespace hlreports

// Parameter-name classification of custom reports (basUtils). A report parameter's full name is
// "{?" + NAME + "}"; a custom report marks how NAME is prompted with a token at its start
// ("QZLIST(", "QZPROMPT(", ...). These helpers look at the full name from its third character on
// and compare keywords ignoring case.
//
// Positions are counted in bytes: the tokens, braces and parentheses they cut are ASCII, so a
// name with other characters in between keeps them whole.
#pragma once

#include <string>
#include <string_view>

#include "engine/CoreReport.h"

namespace hlreports {

// Characters 3 to 10 of the full name equal "qzPrompt" (only the keyword, not its "(").
bool basIsPromptParameter(const CoreParameter& parameter);
// Characters 3 to 8 of the full name equal "qzList"; "{?QZLISTING}" counts too.
bool basIsListParameter(const CoreParameter& parameter);
// The full name from position 10 for (length - 11) characters: "{?QZLIST(Unit Selection)}" ->
// "Unit Selection". A name shorter than 11 characters holds no list name: error 5, naming it.
std::string basListName(std::string_view fullName);
// The full name from position 3 for (length - 3) characters: the name without "{?" and "}".
// A name shorter than 3 characters: error 5, naming it.
std::string basStripBraces(std::string_view fullName);

}  // namespace hlreports

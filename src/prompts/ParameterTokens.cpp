// Parameter-name classification; see ParameterTokens.h.
#include "prompts/ParameterTokens.h"

#include "runtime/ComError.h"
#include "runtime/RuntimeErrors.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

// The classic Mid(text, start, length) with a 1-based start: a start past the end gives "", a
// negative length is error 5.
std::string Mid(std::string_view text, std::size_t start, long length, std::string_view source) {
    if (length < 0) {
        throw ComError(ErrorNumber::InvalidProcedureCall, std::string(source),
                       std::string(RuntimeErrorDescription(ErrorNumber::InvalidProcedureCall)) +
                           ": the parameter name \"" + std::string(text) + "\" is too short");
    }
    if (start > text.size()) {
        return "";
    }
    return std::string(text.substr(start - 1, static_cast<std::size_t>(length)));
}

bool KeywordAtThirdCharacter(const CoreParameter& parameter, std::string_view keyword) {
    const std::string fullName = parameter.ParameterName();
    if (fullName.size() < 2) {
        return false;
    }
    return EqualsIgnoreCase(std::string_view(fullName).substr(2, keyword.size()), keyword);
}

}  // namespace

bool basIsPromptParameter(const CoreParameter& parameter) {
    return KeywordAtThirdCharacter(parameter, "qzPrompt");
}

bool basIsListParameter(const CoreParameter& parameter) {
    return KeywordAtThirdCharacter(parameter, "qzList");
}

std::string basListName(std::string_view fullName) {
    return Mid(fullName, 10, static_cast<long>(fullName.size()) - 11, "basUtils.basListName");
}

std::string basStripBraces(std::string_view fullName) {
    return Mid(fullName, 3, static_cast<long>(fullName.size()) - 3, "basUtils.basStripBraces");
}

}  // namespace hlreports

// Splits and checks the attribute block of ConfigDSN; see AttributeList.h.
#include "datasources/setup/AttributeList.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace hlreports::setup {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool HasBlankAtEnd(std::string_view text) {
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

}  // namespace

std::vector<Attribute> ParseAttributeBlock(const char* block) {
    std::vector<Attribute> attributes;
    if (block == nullptr) {
        return attributes;
    }
    for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
        std::string_view text(entry);
        std::size_t separator = text.find('=');
        if (separator == text.npos) {
            attributes.push_back({std::string(text), "", false});
            continue;
        }
        attributes.push_back({std::string(text.substr(0, separator)),
                              std::string(text.substr(separator + 1)), true});
    }
    return attributes;
}

bool HasKeyword(const Attribute& attribute, std::string_view keyword) {
    return attribute.hasSeparator && EqualsIgnoringCase(attribute.key, keyword);
}

std::optional<std::string> FindAttribute(const std::vector<Attribute>& attributes,
                                         std::string_view keyword) {
    auto found = std::ranges::find_if(attributes, [keyword](const Attribute& attribute) {
        return HasKeyword(attribute, keyword);
    });
    if (found == attributes.end()) {
        return std::nullopt;
    }
    return found->value;
}

std::string UnwritableAttributeProblem(const std::vector<Attribute>& attributes) {
    for (const Attribute& attribute : attributes) {
        if (!attribute.hasSeparator) {
            return "Attribute \"" + attribute.key + "\" has no \"=\"";
        }
        if (attribute.key.empty()) {
            return "Attribute \"=" + attribute.value + "\" has no keyword";
        }
        if (HasLineBreak(attribute.key)) {
            return "A keyword has a line break, which odbc.ini cannot keep";
        }
        if (HasBlankAtEnd(attribute.key) ||
            attribute.key.find_first_of("[]") != std::string::npos) {
            return "Keyword \"" + attribute.key + "\" cannot be written to odbc.ini";
        }
        if (HasLineBreak(attribute.value) || HasBlankAtEnd(attribute.value)) {
            return "Value of " + attribute.key +
                   " has a line break or blanks at either end, which odbc.ini cannot keep";
        }
    }
    return "";
}

}  // namespace hlreports::setup

// The attribute block that the ODBC installer hands to ConfigDSN, split into keyword/value pairs.
//
// The block is "key=value" entries, each ended by a NUL, closed by an empty entry. Parsing keeps
// every entry as given (an entry without "=" is kept with no separator) so that checking can name
// what is wrong. Cost: one pass over the block.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hlreports::setup {

struct Attribute {
    std::string key;
    std::string value;
    bool hasSeparator = false;  // the entry had an "="
};

// The entries of a NUL-separated block; a null block is empty.
std::vector<Attribute> ParseAttributeBlock(const char* block);

// Whether the entry has the keyword, ignoring case (ODBC keywords do).
bool HasKeyword(const Attribute& attribute, std::string_view keyword);

// The value of the first entry with the keyword.
std::optional<std::string> FindAttribute(const std::vector<Attribute>& attributes,
                                         std::string_view keyword);

// Why the entries cannot be written to odbc.ini unchanged, or "" when they can. The ini file has
// no quoting: a line break would start a new key and blanks at either end would be trimmed.
std::string UnwritableAttributeProblem(const std::vector<Attribute>& attributes);

}  // namespace hlreports::setup

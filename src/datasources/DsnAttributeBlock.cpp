// Builds the NUL-separated attribute block of a report DSN; see DsnAttributeBlock.h.
#include "datasources/DsnAttributeBlock.h"

namespace hlreports {

namespace {

void AppendAttribute(std::string& block, std::string_view key, std::string_view value) {
    block.append(key);
    block.push_back('=');
    block.append(value);
    block.push_back('\0');
}

}  // namespace

std::string BuildDsnAttributeBlock(std::string_view dsnName, std::string_view dataFolder,
                                   std::string_view modeKey) {
    std::string block;
    AppendAttribute(block, "DSN", dsnName);
    AppendAttribute(block, "DBQ", dataFolder);
    AppendAttribute(block, "MaxColSupport", "1500");
    AppendAttribute(block, "ShortenNames", "0");
    AppendAttribute(block, modeKey, "1");
    block.push_back('\0');
    return block;
}

}  // namespace hlreports

// The attribute block handed to the installer and the names given to report DSNs.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "datasources/DsnAttributeBlock.h"
#include "datasources/DsnName.h"

namespace hlreports {
namespace {

using namespace std::string_literals;

// The block is the five attributes in order, each NUL-ended, then one more NUL.
TEST(DsnAttributeBlock, ExactBytes) {
    struct Row {
        const char* name;
        const char* folder;
        const char* modeKey;
        std::string expected;
    };
    const Row rows[] = {
        {"HLReportDSN0A1B2C", "D:\\Data", StandardModeKey,
         "DSN=HLReportDSN0A1B2C\0DBQ=D:\\Data\0MaxColSupport=1500\0ShortenNames=0\0"
         "StandardMode=1\0\0"s},
        {"HLReportDSNFFFFFF", "/srv/data", CustomModeKey,
         "DSN=HLReportDSNFFFFFF\0DBQ=/srv/data\0MaxColSupport=1500\0ShortenNames=0\0"
         "CustomMode=1\0\0"s},
        {"HLReportDSN000000", "", DictionaryModeKey,
         "DSN=HLReportDSN000000\0DBQ=\0MaxColSupport=1500\0ShortenNames=0\0"
         "DictionaryMode=1\0\0"s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.modeKey);
        EXPECT_EQ(BuildDsnAttributeBlock(row.name, row.folder, row.modeKey), row.expected);
    }
}

// The name drops the GUID text's first digit and keeps the next six; short text gives none.
TEST(DsnName, FromGuidText) {
    struct Row {
        const char* guidText;
        const char* expected;
    };
    const Row rows[] = {
        {"90A1B2C3D4E5F60718293A4B5C6D7E8F", "HLReportDSN0A1B2C"},
        {"12345678", "HLReportDSN234567"},
        {"1234567", ""},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.guidText);
        EXPECT_EQ(DsnNameFromGuidText(row.guidText), row.expected);
    }
}

// New names are HLReportDSN and six upper-case hex digits, and random: ten draws do not repeat.
TEST(DsnName, NewNamesAreRandomHex) {
    const std::regex format("HLReportDSN[0-9A-F]{6}");
    std::set<std::string> names;
    for (int i = 0; i < 10; ++i) {
        std::string name = NewDsnName();
        EXPECT_TRUE(std::regex_match(name, format)) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 10u);
}

}  // namespace
}  // namespace hlreports

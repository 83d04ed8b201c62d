// The classification of custom report parameter names: keyword tests, list names and braces.
#include <gtest/gtest.h>

#include "engine/CoreReport.h"
#include "prompts/ParameterTokens.h"
#include "runtime/ComError.h"

namespace hlreports::test {
namespace {

CoreParameter Named(const std::string& name) {
    return CoreParameter(name, "", CoreValueString, false, false, {});
}

// Prompt and list tests look only at the keyword after "{?", ignoring case and whatever follows
// it; short names and names with the keyword elsewhere are not classified.
TEST(ParameterTokens, ClassifiesByKeyword) {
    const struct {
        const char* name;
        bool prompt;
        bool list;
    } cases[] = {
        {"QZPROMPT(Note)", true, false},   {"qzPrompt(Note)", true, false},
        {"@QZPROMPT(Note)", false, false}, {"qzPromptly", true, false},
        {"qzPromp", false, false},         {"QZLIST(Unit Selection)", false, true},
        {"QZLISTING", false, true},        {"qzlist", false, true},
        {"qzLis", false, false},           {"QZPREFILL(Year)", false, false},
        {"Start_Date", false, false},      {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CoreParameter parameter = Named(c.name);
        EXPECT_EQ(basIsPromptParameter(parameter), c.prompt);
        EXPECT_EQ(basIsListParameter(parameter), c.list);
    }
}

// The list name drops "{?QZLIST(" and ")}", the stripped name "{?" and "}", whatever the token;
// names just long enough give "" and never read past the end.
TEST(ParameterTokens, CutsListNamesAndBraces) {
    const struct {
        const char* fullName;
        const char* listName;
        const char* stripped;
    } cases[] = {
        {"{?QZLIST(Unit Selection)}", "Unit Selection", "QZLIST(Unit Selection)"},
        {"{?qzList(Property Selection)}", "Property Selection", "qzList(Property Selection)"},
        {"{?QZLIST()}", "", "QZLIST()"},
        {"{?QZLISTING}", "N", "QZLISTING"},
        {"{?@Start_Date}", "Dat", "@Start_Date"},
        {"{?}", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fullName);
        EXPECT_EQ(basStripBraces(c.fullName), c.stripped);
        if (c.listName != nullptr) {
            EXPECT_EQ(basListName(c.fullName), c.listName);
        }
    }
}

// Names too short for the cut are error 5 naming the name, not a crash or a cut past the end.
TEST(ParameterTokens, ShortNamesAreError5) {
    const struct {
        const char* fullName;
        bool listName;
        const char* source;
    } cases[] = {
        {"{?qzList}", true, "basUtils.basListName"},
        {"", true, "basUtils.basListName"},
        {"{?", false, "basUtils.basStripBraces"},
        {"", false, "basUtils.basStripBraces"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fullName) + (c.listName ? " list" : " strip"));
        try {
            c.listName ? basListName(c.fullName) : basStripBraces(c.fullName);
            ADD_FAILURE() << "no error";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), ErrorNumber::InvalidProcedureCall);
            EXPECT_EQ(error.Source(), c.source);
            EXPECT_EQ(error.Description(),
                      "Invalid procedure call or argument: the parameter name \"" +
                          std::string(c.fullName) + "\" is too short");
        }
    }
}

}  // namespace
}  // namespace hlreports::test

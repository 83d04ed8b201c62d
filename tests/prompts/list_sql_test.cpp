// The SQL of list prompts: the keyword check with its three passes and whitespace, the user-name
// list and the security wrapper, the unit list's call and the property filter text.
#include <gtest/gtest.h>

#include "prompts/ListSql.h"
#include "runtime/ComError.h"

namespace hlreports::test {
namespace {

// Each pass refuses with its own entry text; whitespace of any kind is a blank; harmless words
// that merely contain a keyword, and EXEC after the start, pass.
TEST(ListSqlTest, KeywordCheckPasses) {
    const struct {
        const char* sql;
        const char* refusedEntry;  // nullptr: passes
    } cases[] = {
        {"SELECT Name FROM Units WHERE x = 1", nullptr},
        {"drop table x", "DROP"},
        {"EXECUTE sp_x", "EXEC"},
        {"Exec sp_x", "EXEC"},
        {"SELECT * FROM x; DELETE FROM y", " DELETE "},
        {"SELECT * FROM (SELECT 1)DROP TABLE y", ")DROP "},
        {"SELECT * FROM x WHERE y IN (EXEC z)", nullptr},
        {"SELECT UPDATED, CREATED_BY, DROPS FROM x", nullptr},
        {"SELECT 1\nDELETE FROM x", " DELETE "},
        {"SELECT 1\tUPDATE x SET y = 1", " UPDATE "},
        {"SELECT 1\r\nINSERT\tINTO x VALUES (1)", " INSERT "},
        {"SELECT (1)GRANT\nALL", ")GRANT "},
        {"  DROP TABLE x", " DROP "},
        {"SELECT a FROM b WHERE c = ' commit '", " COMMIT "},
        {"SELECT a, b FROM c ORDER BY a", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        if (c.refusedEntry == nullptr) {
            EXPECT_TRUE(ValidSelectStatement(c.sql, "Units"));
            continue;
        }
        try {
            ValidSelectStatement(c.sql, "Units");
            ADD_FAILURE() << "not refused";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), 3301);
            EXPECT_EQ(error.Source(), "ValidSelectStatement");
            EXPECT_EQ(error.Description(),
                      std::string(c.refusedEntry) + " is not allowed in formula Units");
        }
    }
}

// User names become quoted literals with doubled apostrophes; a text that is no list of names
// is refused with 3302 naming it.
TEST(ListSqlTest, UserNameListQuoting) {
    const struct {
        const char* userName;
        const char* sql;  // nullptr: refused
    } cases[] = {
        {"kim", "'kim'"},
        {"kim,lee", "'kim','lee'"},
        {" kim , lee ", "'kim','lee'"},
        {"'kim', 'lee'", "'kim','lee'"},
        {"'o''neil'", "'o''neil'"},
        {"O'Brien", "'O''Brien'"},
        {"kim') OR ('1'='1", "'kim'') OR (''1''=''1'"},
        {"'kim' OR 1=1", nullptr},
        {"", nullptr},
        {"kim,", nullptr},
        {",kim", nullptr},
        {"'kim", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.userName);
        if (c.sql != nullptr) {
            EXPECT_EQ(UserNameListSql(c.userName), c.sql);
            continue;
        }
        try {
            UserNameListSql(c.userName);
            ADD_FAILURE() << "not refused";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), 3302);
            EXPECT_NE(error.Description().find(std::string("\"") + c.userName + "\""),
                      std::string::npos)
                << error.Description();
        }
    }
}

// The wrapper keeps the classic text around the formula's SQL, with "Property, Property"
// folded and the users quoted.
TEST(ListSqlTest, PropertySecurityWrapper) {
    EXPECT_EQ(
        PropertySecurityCommand("SELECT Property, Property, Name FROM tblProperty", "kim,lee"),
        "SELECT DISTINCT Property, Property, Name FROM (SELECT Property, Name FROM "
        "tblProperty) v, tblSecurity sec WHERE Property = Item AND Username IN "
        "('kim','lee') AND Type = 'Property'");
}

// Property ids reach the unit list call as literals inside one double-quoted text; a blank
// filter gives no call.
TEST(ListSqlTest, PropertyFilterAndUnitCall) {
    EXPECT_EQ(PropertyFilterText({}), "\"\"");
    EXPECT_EQ(PropertyFilterText({"P1", "P2"}), "\"'P1','P2'\"");
    EXPECT_EQ(PropertyFilterText({"O'HARE", "A\"B"}), "\"'O''HARE','A\"\"B'\"");
    EXPECT_EQ(basDistinctUnitListCommand("\"\""), "");
    EXPECT_EQ(basDistinctUnitListCommand("\"'P1'\""),
              "EXECUTE sp_DistinctUnitListParameter @PropertyString = \"'P1'\"");
}

}  // namespace
}  // namespace hlreports::test

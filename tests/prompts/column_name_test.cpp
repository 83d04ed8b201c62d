// GetColumnName: the n-th selected column of list SQL, and its one failure.
#include <gtest/gtest.h>

#include "prompts/ListColumnName.h"
#include "runtime/ComError.h"

namespace hlreports::test {
namespace {

// Plain columns, aliases, CASE columns, the first column, and texts it cannot read.
TEST(ColumnNameTest, FindsTheColumn) {
    const struct {
        const char* sql;
        int index;
        const char* name;  // nullptr: fails
    } cases[] = {
        {"SELECT UNIT, UNIT, DESCR FROM UNIT_LIST", 1, "UNIT"},
        {"SELECT CODE, NAME AS LABEL, X FROM T", 1, "NAME"},
        {"select code, name, x from t", 1, "NAME"},
        {"SELECT CODE, NAME, X FROM T", 0, "CODE"},
        {"SELECT A, B, C FROM T", 2, "C"},
        {"SELECT CODE, K = CASE WHEN A = 1 THEN 'X', 'Y' END , NAME, D FROM T", 1, "K"},
        {"SELECT CODE, K = CASE WHEN A = 1 THEN 'X', 'Y' END , NAME, D FROM T", 2, "NAME"},
        {"SELECT DISTINCT Property, Property, Name FROM (SELECT Property, Name FROM tblProperty) v",
         1, "PROPERTY"},
        {"SELECT * FROM T", 1, nullptr},
        {"SELECT * FROM T", 0, nullptr},
        {"SELECT CODE FROM T", 1, nullptr},
        {"NOTHING", 0, nullptr},
        {"SELECT A, K = CASE WHEN 1 THEN 2 END", 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sql) + " #" + std::to_string(c.index));
        if (c.name != nullptr) {
            EXPECT_EQ(GetColumnName(c.sql, c.index), c.name);
            continue;
        }
        try {
            const std::string name = GetColumnName(c.sql, c.index);
            ADD_FAILURE() << "found " << name;
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), 40001);
            EXPECT_EQ(error.Source(), "HLReports.frmDatabaseList.GetColumnName");
            EXPECT_EQ(error.Description().rfind("Cannot find column name in '", 0), 0U);
        }
    }
}

}  // namespace
}  // namespace hlreports::test

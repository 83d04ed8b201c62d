// A NOT NULL base column read through an outer join: the field stays nullable when a row holds
// NULL in it, so the rowset XML it saves loads back.
#include <gtest/gtest.h>

#include "data/Connections.h"
#include "recordset/AdoTypes.h"
#include "support/TestDatabase.h"

namespace hlreports {
namespace {

struct OuterJoinCase {
    const char* label;
    const char* where;
    bool mayBeNull;
};

class OuterJoinNullability : public ::testing::TestWithParam<OuterJoinCase> {
  protected:
    test::TestDatabase db{
        "CREATE TABLE tblUnit (id INTEGER PRIMARY KEY, code varchar(5) NOT NULL);"
        "CREATE TABLE tblLease (id INTEGER PRIMARY KEY, unit int, tenant varchar(20) NOT NULL);"
        "INSERT INTO tblUnit VALUES (1, 'A1'), (2, 'B2');"
        "INSERT INTO tblLease VALUES (10, 1, 'Ann Lee');"};
};

// The NOT NULL column is marked "may not be null" only when no fetched row holds NULL in it,
// and the saved XML loads back with the same values.
TEST_P(OuterJoinNullability, SavedXmlLoadsBack) {
    const OuterJoinCase& row = GetParam();
    std::unique_ptr<Connection> connection = OpenConnection(db.ConnectionString());
    RecordsetPtr rows = connection->OpenRecordset(
        std::string("SELECT u.code, l.tenant FROM tblUnit u LEFT JOIN tblLease l ON l.unit = u.id"
                    " WHERE ") +
        row.where + " ORDER BY u.id");
    ASSERT_TRUE(rows);
    const FieldInfo& tenant = rows->Field(1);
    EXPECT_EQ(tenant.baseColumn, "tenant");
    EXPECT_EQ((tenant.attributes & adFldMayBeNull) != 0, row.mayBeNull);

    RecordsetPtr loaded = Recordset::LoadXml(rows->SaveXml());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->RecordCount(), rows->RecordCount());
    while (!rows->EOF()) {
        EXPECT_EQ(loaded->Value("tenant"), rows->Value("tenant"));
        rows->MoveNext();
        loaded->MoveNext();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, OuterJoinNullability,
                         ::testing::Values(OuterJoinCase{"unmatchedRow", "1", true},
                                           OuterJoinCase{"matchedOnly", "u.id = 1", false},
                                           OuterJoinCase{"noRows", "0", false}),
                         [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace hlreports

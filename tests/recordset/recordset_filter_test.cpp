// Filter, Find and Sort: the criteria grammar, what matches, and what they do to the cursor.
#include <gtest/gtest.h>

#include "recordset/RecordsetTestData.h"

namespace hlreports::test {
namespace {

// ID, Name, Amount (currency), Due (date), Rate (double), Open Balance (nullable int).
RecordsetPtr People() {
    return MakeRecordset({MakeField("ID", adInteger), MakeField("Name", adVarChar, 30),
                          MakeField("Amount", adCurrency), MakeField("Due", adDBTimeStamp),
                          MakeField("Rate", adDouble), MakeField("Open Balance", adInteger)},
                         {
                             {Variant(1), Variant("O'Malley"), Variant::Currency(500000),
                              Variant(Date::FromYmd(1995, 8, 24)), Variant(1500.0), Variant(10)},
                             {Variant(2), Variant("smith"), Variant::Currency(1500000),
                              Variant(Date::FromYmd(2001, 1, 1)), Variant(0.5), Variant::Null()},
                             {Variant(3), Variant("Smithers"), Variant::Currency(2500000),
                              Variant(Date::FromYmd(1995, 8, 25)), Variant(2.0), Variant(-5)},
                             {Variant(4), Variant::Null(), Variant::Currency(0), Variant::Null(),
                              Variant::Null(), Variant(0)},
                             {Variant(5), Variant("Jones"), Variant::Currency(1000000),
                              Variant(Date::FromYmd(2010, 5, 6)), Variant(1.5e3), Variant(7)},
                         });
}

std::vector<int32_t> VisibleIds(Recordset& recordset) {
    std::vector<int32_t> ids;
    for (const auto& row : AllRows(recordset)) {
        ids.push_back(row[0].ToLong());
    }
    return ids;
}

struct FilterCase {
    const char* criteria;
    std::vector<int32_t> ids;
};

class RecordsetFilterAccepts : public ::testing::TestWithParam<FilterCase> {};

// Accepted criteria select exactly these rows; strings ignore case, NULL fields never match,
// AND binds before OR, literals convert to the field's type.
TEST_P(RecordsetFilterAccepts, SelectsTheMatchingRows) {
    RecordsetPtr recordset = People();
    recordset->SetFilter(GetParam().criteria);
    EXPECT_EQ(VisibleIds(*recordset), GetParam().ids) << GetParam().criteria;
    EXPECT_EQ(recordset->Filter(), GetParam().criteria);
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, RecordsetFilterAccepts,
    ::testing::Values(
        FilterCase{"Name = 'O''Malley'", {1}}, FilterCase{"Name = 'SMITH'", {2}},
        FilterCase{"Name <> 'smith'", {1, 3, 5}}, FilterCase{"Name LIKE 'smi*'", {2, 3}},
        FilterCase{"Name like 'Smi%'", {2, 3}}, FilterCase{"Name Like '*MIT*'", {2, 3}},
        FilterCase{"Name LIKE 'jones'", {5}}, FilterCase{"Name LIKE '*'", {1, 2, 3, 5}},
        FilterCase{"Name > 'n'", {1, 2, 3}}, FilterCase{"Due = #8/24/95#", {1}},
        FilterCase{"Due > '12/31/1999'", {2, 5}}, FilterCase{"Due >= #1995-08-25#", {2, 3, 5}},
        FilterCase{"Amount = $50.00", {1}}, FilterCase{"Amount > 100", {2, 3}},
        FilterCase{"Rate = 1.5E3", {1, 5}}, FilterCase{"Rate < 1", {2}},
        FilterCase{"[Open Balance] < 0", {3}}, FilterCase{"[Open Balance] <> 10", {3, 4, 5}},
        FilterCase{"ID = '3'", {3}}, FilterCase{"ID <= 2 OR ID >= 5", {1, 2, 5}},
        FilterCase{"ID = 1 OR ID > 2 AND Amount > 100", {1, 3}},
        FilterCase{"(ID > 1 AND ID < 4) OR Name = 'Jones'", {2, 3, 5}},
        FilterCase{"(ID > 1) AND (ID < 3)", {2}}, FilterCase{"((ID = 4))", {4}},
        FilterCase{"Amount > 100 AND Name LIKE 'S*'", {2, 3}}, FilterCase{"id=5", {5}}),
    [](const ::testing::TestParamInfo<FilterCase>& param) {
        return "Case" + std::to_string(param.index);
    });

struct RejectCase {
    const char* criteria;
    int32_t number;
};

class RecordsetFilterRejects : public ::testing::TestWithParam<RejectCase> {};

// Refused criteria raise 3001 (or 3265 for an unknown field) with the classic texts and keep the
// previous filter.
TEST_P(RecordsetFilterRejects, RaisesAndKeepsTheFilter) {
    RecordsetPtr recordset = People();
    recordset->SetFilter("ID > 3");
    const ComError error = ErrorFrom([&] { recordset->SetFilter(GetParam().criteria); });
    EXPECT_EQ(error.Number(), GetParam().number);
    EXPECT_EQ(error.Source(), "Recordset.Filter");
    EXPECT_EQ(error.Description(), GetParam().number == 3265
                                       ? "Item cannot be found in the collection corresponding to "
                                         "the requested name or ordinal."
                                       : "Arguments are of the wrong type, are out of acceptable "
                                         "range, or are in conflict with one "
                                         "another.");
    EXPECT_EQ(recordset->Filter(), "ID > 3");
    EXPECT_EQ(VisibleIds(*recordset), (std::vector<int32_t>{4, 5}));
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, RecordsetFilterRejects,
    ::testing::Values(RejectCase{"Name LIKE '*ith'", 3001}, RejectCase{"Name LIKE 'S*h'", 3001},
                      RejectCase{"(ID = 1 OR ID = 2) AND Name = 'x'", 3001},
                      RejectCase{"(ID = 1 OR ID = 2)", 3001}, RejectCase{"Nobody = 1", 3265},
                      RejectCase{"[No Body] = 1", 3265}, RejectCase{"Name = 'open", 3001},
                      RejectCase{"ID = abc", 3001}, RejectCase{"ID 5", 3001},
                      RejectCase{"ID =", 3001}, RejectCase{"ID = 1 AND", 3001},
                      RejectCase{"Due = #not a date#", 3001}, RejectCase{"Due = 5", 3001},
                      RejectCase{"ID LIKE '1*'", 3001}, RejectCase{"ID = NULL", 3001},
                      RejectCase{"[ID = 1", 3001}, RejectCase{"ID = 1)", 3001}),
    [](const ::testing::TestParamInfo<RejectCase>& param) {
        return "Case" + std::to_string(param.index);
    });

// Setting a filter moves to the first visible row; RecordCount and AbsolutePosition follow the
// view; no match leaves BOF and EOF both true; "" clears the filter.
TEST(RecordsetFilterCursor, RepositionsAndCounts) {
    RecordsetPtr recordset = People();
    recordset->MoveLast();
    recordset->SetFilter("Amount >= 100");
    EXPECT_EQ(recordset->RecordCount(), 3);
    EXPECT_EQ(recordset->AbsolutePosition(), 1);
    EXPECT_EQ(recordset->Value("ID"), Variant(2));
    recordset->SetFilter("ID > 100");
    EXPECT_TRUE(recordset->BOF());
    EXPECT_TRUE(recordset->EOF());
    EXPECT_EQ(recordset->RecordCount(), 0);
    EXPECT_EQ(recordset->AbsolutePosition(), adPosUnknown);
    recordset->SetFilter("");
    EXPECT_EQ(recordset->Filter(), "");
    EXPECT_EQ(recordset->RecordCount(), 5);
    EXPECT_EQ(recordset->Value("ID"), Variant(1));
}

// Find: a hit makes the row current; a miss goes to EOF forward and BOF backward; skip 0 tests
// the current row and skip 1 the next; a start bookmark replaces the current row.
TEST(RecordsetFind, SearchesFromTheCurrentRow) {
    RecordsetPtr recordset = People();
    recordset->Find("Name LIKE 'S*'");
    EXPECT_EQ(recordset->Value("ID"), Variant(2));
    recordset->Find("Name LIKE 'S*'");
    EXPECT_EQ(recordset->Value("ID"), Variant(2));
    recordset->Find("Name LIKE 'S*'", 1);
    EXPECT_EQ(recordset->Value("ID"), Variant(3));
    recordset->Find("Name LIKE 'S*'", 1);
    EXPECT_TRUE(recordset->EOF());
    EXPECT_FALSE(recordset->BOF());

    recordset->MoveLast();
    recordset->Find("Amount > 100", 0, adSearchBackward);
    EXPECT_EQ(recordset->Value("ID"), Variant(3));
    recordset->Find("ID = 99", 1, adSearchBackward);
    EXPECT_TRUE(recordset->BOF());

    recordset->MoveFirst();
    const Bookmark third = (recordset->Move(2), recordset->GetBookmark());
    recordset->MoveFirst();
    recordset->Find("Rate = 1500", 0, adSearchForward, third);
    EXPECT_EQ(recordset->Value("ID"), Variant(5));
}

// Find takes one clause and needs a current row or a start bookmark.
TEST(RecordsetFind, RefusesSeveralClausesAndNoCurrentRow) {
    RecordsetPtr recordset = People();
    EXPECT_EQ(ErrorFrom([&] { recordset->Find("ID = 1 AND Name = 'x'"); }).Number(), 3001);
    EXPECT_EQ(ErrorFrom([&] { recordset->Find("ID = 1 OR ID = 2"); }).Number(), 3001);
    EXPECT_EQ(ErrorFrom([&] { recordset->Find("Name LIKE '*x'"); }).Source(), "Recordset.Find");
    EXPECT_EQ(ErrorFrom([&] { recordset->Find("Due = #8/24/95 10:00:00.123#"); }).Number(), 3001);
    recordset->MoveLast();
    recordset->MoveNext();
    const ComError error = ErrorFrom([&] { recordset->Find("ID = 1"); });
    EXPECT_EQ(error.Number(), 3021);
    EXPECT_EQ(error.Description(),
              "Either BOF or EOF is True, or the current record has been deleted. Requested "
              "operation requires a "
              "current record.");
}

// Find searches only rows the filter shows, in sort order.
TEST(RecordsetFind, FollowsFilterAndSort) {
    RecordsetPtr recordset = People();
    recordset->SetFilter("ID <> 3");
    recordset->SetSort("ID DESC");
    recordset->Find("Name LIKE 'S*'");
    EXPECT_EQ(recordset->Value("ID"), Variant(2));
    EXPECT_EQ(recordset->AbsolutePosition(), 3);
}

struct SortCase {
    const char* sort;
    std::vector<int32_t> ids;
};

class RecordsetSortOrder : public ::testing::TestWithParam<SortCase> {};

// Multi-key sorts: strings ignore case, NULLs first ascending and last descending, ties keep
// source order, "" restores it.
TEST_P(RecordsetSortOrder, OrdersRows) {
    RecordsetPtr recordset = People();
    recordset->SetSort(GetParam().sort);
    EXPECT_EQ(VisibleIds(*recordset), GetParam().ids) << GetParam().sort;
}

INSTANTIATE_TEST_SUITE_P(Keys, RecordsetSortOrder,
                         ::testing::Values(SortCase{"Name", {4, 5, 1, 2, 3}},
                                           SortCase{"Name DESC", {3, 2, 1, 5, 4}},
                                           SortCase{"Rate DESC, ID ASC", {1, 5, 3, 2, 4}},
                                           SortCase{"Rate DESC, ID DESC", {5, 1, 3, 2, 4}},
                                           SortCase{"[Open Balance]", {2, 3, 4, 5, 1}},
                                           SortCase{"Due asc", {4, 1, 3, 2, 5}},
                                           SortCase{"Amount DESC", {3, 2, 5, 1, 4}},
                                           SortCase{"", {1, 2, 3, 4, 5}}),
                         [](const ::testing::TestParamInfo<SortCase>& param) {
                             return "Case" + std::to_string(param.index);
                         });

// Sort moves to the first row, combines with the filter, and bad keys raise 3265/3001.
TEST(RecordsetSortCursor, RepositionsAndValidates) {
    RecordsetPtr recordset = People();
    recordset->SetFilter("Amount > 0");
    recordset->MoveLast();
    recordset->SetSort("Amount");
    EXPECT_EQ(recordset->AbsolutePosition(), 1);
    EXPECT_EQ(VisibleIds(*recordset), (std::vector<int32_t>{1, 5, 2, 3}));
    recordset->SetSort("");
    EXPECT_EQ(VisibleIds(*recordset), (std::vector<int32_t>{1, 2, 3, 5}));
    EXPECT_EQ(ErrorFrom([&] { recordset->SetSort("Nobody"); }).Number(), 3265);
    EXPECT_EQ(ErrorFrom([&] { recordset->SetSort("ID SIDEWAYS"); }).Number(), 3001);
    EXPECT_EQ(ErrorFrom([&] { recordset->SetSort("ID,"); }).Source(), "Recordset.Sort");
}

}  // namespace
}  // namespace hlreports::test

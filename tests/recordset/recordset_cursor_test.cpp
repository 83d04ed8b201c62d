// Cursor rules (BOF/EOF moves, AbsolutePosition, bookmarks), edits with pending changes, clones,
// and the lifecycle errors of a recordset.
#include <gtest/gtest.h>

#include <functional>

#include "recordset/RecordsetTestData.h"

namespace hlreports::test {
namespace {

RecordsetPtr Numbers(int count, int32_t lockType = adLockBatchOptimistic) {
    std::vector<std::vector<Variant>> rows;
    for (int32_t i = 1; i <= count; ++i) {
        rows.push_back({Variant(i), Variant("n" + std::to_string(i))});
    }
    return MakeRecordset({MakeField("ID", adInteger), MakeField("Name", adVarChar, 10)}, rows,
                         lockType);
}

int32_t CurrentId(Recordset& recordset) {
    return recordset.Value(0).ToLong();
}

struct MoveCase {
    const char* label;
    std::function<void(Recordset&)> setup;  // from the first row of a 3-row recordset
    std::function<void(Recordset&)> move;
    bool raises;  // 3021
    bool bof;
    bool eof;
    int64_t position;
};

class RecordsetMoves : public ::testing::TestWithParam<MoveCase> {};

// Each move from BOF, EOF, both or a row either raises 3021 or lands on the documented state.
TEST_P(RecordsetMoves, FollowTheBofEofRules) {
    const MoveCase& c = GetParam();
    RecordsetPtr recordset =
        std::string_view(c.label).starts_with("Empty") ? Numbers(0) : Numbers(3);
    c.setup(*recordset);
    if (c.raises) {
        const ComError error = ErrorFrom([&] { c.move(*recordset); });
        EXPECT_EQ(error.Number(), 3021);
        return;
    }
    c.move(*recordset);
    EXPECT_EQ(recordset->BOF(), c.bof);
    EXPECT_EQ(recordset->EOF(), c.eof);
    EXPECT_EQ(recordset->AbsolutePosition(), c.position);
}

void Nothing(Recordset&) {}
void ToBof(Recordset& r) {
    r.MovePrevious();
}
void ToEof(Recordset& r) {
    r.MoveLast();
    r.MoveNext();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RecordsetMoves,
    ::testing::Values(
        MoveCase{"EmptyMoveFirst", Nothing, [](Recordset& r) { r.MoveFirst(); }, true, true, true,
                 0},
        MoveCase{"EmptyMoveNext", Nothing, [](Recordset& r) { r.MoveNext(); }, true, true, true, 0},
        MoveCase{"EmptyMoveZero", Nothing, [](Recordset& r) { r.Move(0); }, true, true, true, 0},
        MoveCase{"BofMoveNext", ToBof, [](Recordset& r) { r.MoveNext(); }, false, false, false, 1},
        MoveCase{"BofMoveLast", ToBof, [](Recordset& r) { r.MoveLast(); }, false, false, false, 3},
        MoveCase{"BofMovePrevious", ToBof, [](Recordset& r) { r.MovePrevious(); }, true, true,
                 false, 0},
        MoveCase{"BofMoveZero", ToBof, [](Recordset& r) { r.Move(0); }, true, true, false, 0},
        MoveCase{"BofMoveTwo", ToBof, [](Recordset& r) { r.Move(2); }, false, false, false, 2},
        MoveCase{"EofMovePrevious", ToEof, [](Recordset& r) { r.MovePrevious(); }, false, false,
                 false, 3},
        MoveCase{"EofMoveFirst", ToEof, [](Recordset& r) { r.MoveFirst(); }, false, false, false,
                 1},
        MoveCase{"EofMoveNext", ToEof, [](Recordset& r) { r.MoveNext(); }, true, false, true, 0},
        MoveCase{"EofMoveBackTwo", ToEof, [](Recordset& r) { r.Move(-2); }, false, false, false, 2},
        MoveCase{"RowMovePastEnd", Nothing, [](Recordset& r) { r.Move(10); }, false, false, true,
                 adPosEOF},
        MoveCase{"RowMoveBeforeStart", Nothing, [](Recordset& r) { r.Move(-10); }, false, true,
                 false, adPosBOF},
        MoveCase{"RowMovePreviousToBof", Nothing, [](Recordset& r) { r.MovePrevious(); }, false,
                 true, false, adPosBOF},
        MoveCase{"RowMoveZero", Nothing, [](Recordset& r) { r.Move(0); }, false, false, false, 1}),
    [](const ::testing::TestParamInfo<MoveCase>& param) { return std::string(param.param.label); });

// A fresh recordset is on its first row; an empty one is at BOF and EOF with no position.
TEST(RecordsetCursorState, OpensOnTheFirstRow) {
    RecordsetPtr recordset = Numbers(3);
    EXPECT_FALSE(recordset->BOF());
    EXPECT_FALSE(recordset->EOF());
    EXPECT_EQ(CurrentId(*recordset), 1);
    EXPECT_EQ(recordset->RecordCount(), 3);
    RecordsetPtr empty = Numbers(0);
    EXPECT_TRUE(empty->BOF() && empty->EOF());
    EXPECT_EQ(empty->AbsolutePosition(), adPosUnknown);
    EXPECT_EQ(ErrorFrom([&] { (void)empty->Value(0); }).Number(), 3021);
}

// AbsolutePosition can be set within 1..RecordCount only; bookmarks return to their row even
// after a sort reorders the rows.
TEST(RecordsetCursorState, PositionsAndBookmarks) {
    RecordsetPtr recordset = Numbers(5);
    recordset->SetAbsolutePosition(4);
    EXPECT_EQ(CurrentId(*recordset), 4);
    EXPECT_EQ(ErrorFrom([&] { recordset->SetAbsolutePosition(6); }).Number(), 3001);
    EXPECT_EQ(ErrorFrom([&] { recordset->SetAbsolutePosition(0); }).Number(), 3001);
    const Bookmark four = recordset->GetBookmark();
    recordset->SetSort("ID DESC");
    recordset->SetBookmark(four);
    EXPECT_EQ(CurrentId(*recordset), 4);
    EXPECT_EQ(recordset->AbsolutePosition(), 2);
    EXPECT_EQ(ErrorFrom([&] { recordset->SetBookmark(99); }).Number(), 3001);
    recordset->SetFilter("ID < 3");
    EXPECT_EQ(ErrorFrom([&] { recordset->SetBookmark(four); }).Number(), 3001);
    recordset->MoveLast();
    recordset->MoveNext();
    EXPECT_EQ(ErrorFrom([&] { (void)recordset->GetBookmark(); }).Number(), 3021);
}

// In batch mode edits are pending with their originals; Status tells each row's state;
// CancelBatch restores everything and AcceptPendingChanges makes the current values plain.
TEST(RecordsetEdits, BatchModeKeepsChangesPending) {
    RecordsetPtr recordset = Numbers(3);
    EXPECT_EQ(recordset->Status(), adRecUnmodified);
    recordset->SetValue("Name", Variant("changed"));
    EXPECT_EQ(recordset->Value("Name"), Variant("changed"));
    recordset->MoveNext();  // a move completes the edit
    recordset->MovePrevious();
    EXPECT_EQ(recordset->Status(), adRecModified);
    recordset->MoveLast();
    recordset->Delete();
    EXPECT_EQ(ErrorFrom([&] { (void)recordset->Value(0); }).Number(), 3021);
    EXPECT_FALSE(recordset->BOF());
    EXPECT_FALSE(recordset->EOF());
    recordset->AddNew();
    recordset->SetValue("ID", Variant(4));
    EXPECT_EQ(recordset->Status(), adRecNew);
    recordset->Update();
    EXPECT_EQ(CurrentId(*recordset), 4);
    EXPECT_EQ(recordset->RecordCount(), 3);
    recordset->MoveNext();
    EXPECT_TRUE(recordset->EOF());
    EXPECT_TRUE(recordset->HasPendingChanges());

    const auto changes = recordset->PendingChanges();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].status, adRecModified);
    EXPECT_EQ(changes[0].originalValues, (std::vector<Variant>{Variant(1), Variant("n1")}));
    EXPECT_EQ(changes[0].currentValues, (std::vector<Variant>{Variant(1), Variant("changed")}));
    EXPECT_EQ(changes[1].status, adRecDeleted);
    EXPECT_EQ(changes[1].originalValues, (std::vector<Variant>{Variant(3), Variant("n3")}));
    EXPECT_TRUE(changes[1].currentValues.empty());
    EXPECT_EQ(changes[2].status, adRecNew);
    EXPECT_TRUE(changes[2].originalValues.empty());
    EXPECT_EQ(changes[2].currentValues, (std::vector<Variant>{Variant(4), Variant::Null()}));

    recordset->CancelBatch();
    EXPECT_FALSE(recordset->HasPendingChanges());
    EXPECT_EQ(AllRows(*recordset), AllRows(*Numbers(3)));
}

// Accepting the changes drops deleted rows and leaves no pending state.
TEST(RecordsetEdits, AcceptPendingChangesClearsTheBatch) {
    RecordsetPtr recordset = Numbers(2);
    recordset->Delete();
    recordset->MoveNext();
    recordset->SetValue(1, Variant("x"));
    recordset->Update();
    recordset->AcceptPendingChanges();
    EXPECT_FALSE(recordset->HasPendingChanges());
    EXPECT_TRUE(recordset->PendingChanges().empty());
    EXPECT_EQ(AllRows(*recordset), (std::vector<std::vector<Variant>>{{Variant(2), Variant("x")}}));
    recordset->MoveFirst();
    EXPECT_EQ(recordset->Status(), adRecUnmodified);
}

// CancelUpdate drops the edit buffer; after AddNew it returns to the row that was current.
TEST(RecordsetEdits, CancelUpdateRestores) {
    RecordsetPtr recordset = Numbers(2);
    recordset->MoveNext();
    recordset->SetValue(1, Variant("x"));
    recordset->CancelUpdate();
    EXPECT_EQ(recordset->Value(1), Variant("n2"));
    recordset->AddNew();
    recordset->SetValue(0, Variant(9));
    recordset->CancelUpdate();
    EXPECT_EQ(CurrentId(*recordset), 2);
    EXPECT_EQ(recordset->RecordCount(), 2);
    EXPECT_FALSE(recordset->HasPendingChanges());
}

// With an optimistic lock edits apply at once and nothing is pending; a new row then deleted
// in batch mode leaves no trace.
TEST(RecordsetEdits, ImmediateModeAndVanishingNewRows) {
    RecordsetPtr immediate = Numbers(2, adLockOptimistic);
    immediate->SetValue(1, Variant("x"));
    immediate->Update();
    immediate->MoveNext();
    immediate->Delete();
    EXPECT_FALSE(immediate->HasPendingChanges());
    EXPECT_EQ(AllRows(*immediate), (std::vector<std::vector<Variant>>{{Variant(1), Variant("x")}}));

    RecordsetPtr batch = Numbers(1);
    batch->AddNew();
    batch->Update();
    batch->Delete();
    EXPECT_FALSE(batch->HasPendingChanges());
}

// Read-only recordsets refuse every edit with 3251; edits without a current row raise 3021.
TEST(RecordsetEdits, RefusedEdits) {
    RecordsetPtr readOnly = Numbers(1, adLockReadOnly);
    for (const auto& edit : std::vector<std::function<void()>>{
             [&] { readOnly->SetValue(0, Variant(2)); }, [&] { readOnly->AddNew(); },
             [&] { readOnly->Delete(); }}) {
        const ComError error = ErrorFrom(edit);
        EXPECT_EQ(error.Number(), 3251);
        EXPECT_EQ(error.Description(),
                  "Current Recordset does not support updating. This may be a limitation of the "
                  "provider, or of the "
                  "selected locktype.");
    }
    RecordsetPtr recordset = Numbers(1);
    recordset->MoveNext();
    EXPECT_EQ(ErrorFrom([&] { recordset->SetValue(0, Variant(2)); }).Number(), 3021);
    EXPECT_EQ(ErrorFrom([&] { recordset->Delete(); }).Number(), 3021);
    EXPECT_EQ(ErrorFrom([&] { recordset->SetValue("Nobody", Variant(2)); }).Number(), 3265);
}

// Clones share rows (edits and deletes show through every clone), keep their own cursor and
// filter, exchange bookmarks, and outlive the original.
TEST(RecordsetClones, ShareRowsNotCursors) {
    RecordsetPtr original = Numbers(3);
    original->SetFilter("ID > 1");
    RecordsetPtr clone = original->Clone();
    EXPECT_EQ(clone->Filter(), "");
    EXPECT_EQ(clone->RecordCount(), 3);
    EXPECT_EQ(CurrentId(*clone), 1);
    EXPECT_EQ(clone->LockType(), adLockBatchOptimistic);

    original->SetValue(1, Variant("shared"));
    original->Update();
    clone->MoveNext();
    EXPECT_EQ(clone->Value(1), Variant("shared"));
    EXPECT_EQ(clone->Status(), adRecModified);

    const Bookmark bookmark = clone->GetBookmark();
    original->MoveLast();
    original->SetBookmark(bookmark);
    EXPECT_EQ(CurrentId(*original), 2);

    clone->Delete();
    EXPECT_EQ(ErrorFrom([&] { (void)original->Value(0); }).Number(), 3021);
    original->MoveNext();
    EXPECT_EQ(CurrentId(*original), 3);
    EXPECT_EQ(original->RecordCount(), 1);

    clone->AddNew();
    clone->SetValue(0, Variant(4));
    clone->Update();
    EXPECT_EQ(original->RecordCount(), 2);

    original->Close();
    EXPECT_EQ(clone->RecordCount(), 3);
    EXPECT_EQ(AllRows(*clone).back(), (std::vector<Variant>{Variant(4), Variant::Null()}));
    EXPECT_EQ(ErrorFrom([&] { (void)original->Clone(); }).Number(), 3704);
}

// A read-only clone refuses edits; other lock types for a clone are refused.
TEST(RecordsetClones, ReadOnlyClone) {
    RecordsetPtr original = Numbers(1);
    RecordsetPtr clone = original->Clone(adLockReadOnly);
    EXPECT_EQ(clone->LockType(), adLockReadOnly);
    EXPECT_EQ(ErrorFrom([&] { clone->Delete(); }).Number(), 3251);
    EXPECT_EQ(ErrorFrom([&] { (void)original->Clone(adLockOptimistic); }).Number(), 3001);
}

// A closed recordset raises 3704 with the classic text; fields can be appended only while closed;
// a row of the wrong width or with a value that does not convert is refused without leaving half a
// row behind.
TEST(RecordsetLifecycle, ClosedAndBuildingErrors) {
    Recordset recordset;
    recordset.AppendField(MakeField("ID", adInteger));
    const ComError closed = ErrorFrom([&] { recordset.MoveFirst(); });
    EXPECT_EQ(closed.Number(), 3704);
    EXPECT_EQ(closed.Source(), "Recordset.MoveFirst");
    EXPECT_EQ(closed.Description(), "Operation is not allowed when the object is closed.");
    EXPECT_EQ(recordset.State(), adStateClosed);
    recordset.Open();
    EXPECT_EQ(recordset.State(), adStateOpen);
    EXPECT_EQ(ErrorFrom([&] { recordset.Open(); }).Number(), 3705);
    EXPECT_EQ(ErrorFrom([&] { recordset.AppendField(MakeField("X", adInteger)); }).Number(), 3219);
    EXPECT_EQ(ErrorFrom([&] { recordset.AppendRow({Variant(1), Variant(2)}); }).Number(), 3001);
    EXPECT_EQ(ErrorFrom([&] { recordset.AppendRow({Variant("abc")}); }).Number(), 3421);
    recordset.AppendRow({Variant(7)});
    recordset.FinishLoading();
    EXPECT_EQ(recordset.RecordCount(), 1);
    EXPECT_EQ(recordset.Value("id"), Variant(7));
    EXPECT_EQ(recordset.FieldIndex("ID"), 0);
    EXPECT_EQ(recordset.FieldIndex("nope"), -1);
    EXPECT_EQ(ErrorFrom([&] { (void)recordset.Value(1); }).Number(), 3265);
    recordset.Close();
    EXPECT_EQ(ErrorFrom([&] { recordset.Close(); }).Number(), 3704);
    EXPECT_EQ(recordset.FieldCount(), 1);
}

// ReplaceContents takes the fresh rows, re-applies filter and sort, and leaves old clones alone.
TEST(RecordsetLifecycle, ReplaceContentsKeepsFilterAndSort) {
    RecordsetPtr recordset = Numbers(3);
    recordset->SetSource("sp_x");
    recordset->SetFilter("ID > 1");
    recordset->SetSort("ID DESC");
    RecordsetPtr clone = recordset->Clone();
    recordset->ReplaceContents(*Numbers(5));
    EXPECT_EQ(recordset->RecordCount(), 4);
    EXPECT_EQ(CurrentId(*recordset), 5);
    EXPECT_EQ(recordset->Source(), "sp_x");
    EXPECT_EQ(clone->RecordCount(), 3);
}

}  // namespace
}  // namespace hlreports::test

// RecordsetLoader: typed cells go into the column store exactly as the same value appended as a
// Variant would, with the same errors; Nulls make a field nullable; a refused value leaves no
// half row; an empty result and a field typed late still give an open recordset.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "recordset/RecordsetLoader.h"
#include "recordset/RecordsetTestData.h"

namespace hlreports::test {
namespace {

using SetCell = std::function<void(RecordsetLoader&, uint32_t)>;

struct CellCase {
    const char* label;
    int32_t type;
    int precision;
    int scale;
    SetCell set;
    Variant sameAs;  // the Variant whose AppendRow stores (or refuses) the same
};

FieldInfo CaseField(const CellCase& c) {
    FieldInfo field = MakeField("V", c.type);
    field.precision = c.precision;
    field.scale = c.scale;
    return field;
}

SetCell Whole(int64_t value) {
    return [value](RecordsetLoader& loader, uint32_t row) { loader.SetWhole(0, row, value); };
}
SetCell Real(double value) {
    return [value](RecordsetLoader& loader, uint32_t row) { loader.SetReal(0, row, value); };
}
SetCell DayNumber(double value) {
    return [value](RecordsetLoader& loader, uint32_t row) { loader.SetDate(0, row, value); };
}
SetCell Text(std::string value) {
    return [value](RecordsetLoader& loader, uint32_t row) { loader.SetText(0, row, value); };
}
SetCell Exact(const char* digits) {
    const Decimal value = *Decimal::Parse(digits);
    return [value](RecordsetLoader& loader, uint32_t row) { loader.SetDecimal(0, row, value); };
}

// Every kind of column: the typed cell reads back as the Variant road stores it, and a value the
// field cannot hold is refused with that road's number, source and text.
TEST(RecordsetLoaderCells, StoreWhatTheVariantRoadStores) {
    const double infinity = std::numeric_limits<double>::infinity();
    const CellCase cases[] = {
        {"smallint", adSmallInt, 0, 0, Whole(-7), Variant::Integer(-7)},
        {"smallint too large", adSmallInt, 0, 0, Whole(40000), Variant(40000)},
        {"unsigned tinyint below zero", adUnsignedTinyInt, 0, 0, Whole(-1), Variant(-1)},
        {"int", adInteger, 0, 0, Whole(2147483647), Variant(2147483647)},
        {"unsigned int beyond Long", adUnsignedInt, 0, 0, Whole(4294967295), Variant(4294967295.0)},
        {"bigint beyond a double", adBigInt, 0, 0, Whole(9007199254740993),
         Variant("9007199254740993")},
        {"unsigned bigint below zero", adUnsignedBigInt, 0, 0, Whole(-5), Variant(-5)},
        {"boolean", adBoolean, 0, 0,
         [](RecordsetLoader& loader, uint32_t row) { loader.SetBoolean(0, row, true); },
         Variant(true)},
        {"double", adDouble, 0, 0, Real(2.5), Variant(2.5)},
        {"double infinite", adDouble, 0, 0, Real(infinity), Variant(infinity)},
        {"single rounds to a float", adSingle, 0, 0, Real(0.1), Variant(0.1)},
        {"single beyond a float", adSingle, 0, 0, Real(1e39), Variant(1e39)},
        {"currency", adCurrency, 0, 0,
         [](RecordsetLoader& loader, uint32_t row) { loader.SetCurrency(0, row, 123450); },
         Variant::Currency(123450)},
        {"decimal at the column's scale", adNumeric, 5, 2, Exact("1.5"),
         Variant(*Decimal::Parse("1.5"))},
        {"decimal beyond the column's scale", adNumeric, 5, 2, Exact("123.456"),
         Variant(*Decimal::Parse("123.456"))},
        {"date keeps the day", adDBDate, 0, 0, DayNumber(45000.75), Variant(Date(45000.75))},
        {"time keeps the time of day", adDBTime, 0, 0, DayNumber(45000.25),
         Variant(Date(45000.25))},
        {"timestamp past year 9999", adDBTimeStamp, 0, 0, DayNumber(3e6), Variant(Date(3e6))},
        {"text", adVarWChar, 0, 0, Text("h\xC3\xA9llo"), Variant("h\xC3\xA9llo")},
        {"guid in its stored form", adGUID, 0, 0, Text("0f8fad5b-d9cb-469f-a165-70867728950e"),
         Variant("0f8fad5b-d9cb-469f-a165-70867728950e")},
        {"guid that is none", adGUID, 0, 0, Text("nope"), Variant("nope")},
        {"binary as lowercase hex", adVarBinary, 0, 0, Text("00FF"), Variant("00FF")},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::optional<ComError> expectedError;
        Variant expected;
        try {
            expected = MakeRecordset({CaseField(c)}, {{c.sameAs}})->Value(0);
        } catch (const ComError& error) {
            expectedError = error;
        }
        RecordsetLoader loader({CaseField(c)});
        const uint32_t row = loader.AppendRow();
        if (expectedError) {
            const ComError error = CaughtComError([&] { c.set(loader, row); });
            EXPECT_EQ(error.Number(), expectedError->Number());
            EXPECT_EQ(error.Source(), expectedError->Source());
            EXPECT_EQ(error.Description(), expectedError->Description());
            continue;
        }
        c.set(loader, row);
        const RecordsetPtr rows = loader.Finish("SELECT V");
        ASSERT_EQ(rows->RecordCount(), 1);
        EXPECT_EQ(rows->Value(0), expected);
        EXPECT_EQ(rows->Value(0).Kind(), expected.Kind());
    }
}

// The decimal misfit names the field, the value and the column's limits.
TEST(RecordsetLoaderCells, DecimalMisfitNamesTheField) {
    FieldInfo field = MakeField("Amount", adNumeric);
    field.precision = 5;
    field.scale = 2;
    RecordsetLoader loader({field});
    const uint32_t row = loader.AppendRow();
    const ComError error =
        CaughtComError([&] { loader.SetDecimal(0, row, *Decimal::Parse("123.456")); });
    EXPECT_EQ(error.Number(), 3421);
    EXPECT_EQ(error.Source(), "Recordset.AppendRow");
    EXPECT_EQ(error.Description(),
              "Application uses a value of the wrong type for the current operation. The field "
              "'Amount' value 123.456 does not fit precision 5 and scale 2.");
}

// A Null makes a field declared NOT NULL nullable (an outer join can yield one); a field that
// holds none keeps its attributes.
TEST(RecordsetLoaderNulls, ANullMakesTheFieldNullable) {
    const uint32_t notNull = adFldFixed | adFldUnknownUpdatable;
    RecordsetLoader loader(
        {MakeField("A", adInteger, 4, notNull), MakeField("B", adInteger, 4, notNull)});
    const uint32_t first = loader.AppendRow();
    loader.SetWhole(0, first, 1);
    loader.SetWhole(1, first, 2);
    const uint32_t second = loader.AppendRow();
    loader.SetNull(0, second);
    loader.SetWhole(1, second, 3);
    const RecordsetPtr rows = loader.Finish("");
    EXPECT_EQ(rows->Field(0).attributes, notNull | adFldIsNullable | adFldMayBeNull);
    EXPECT_EQ(rows->Field(1).attributes, notNull);
    rows->MoveLast();
    EXPECT_TRUE(rows->Value(0).IsNull());
    EXPECT_EQ(rows->Value(1), Variant(3));
}

// A refused value takes its row with it: the rows before stay whole, the refused one is not
// seen, and loading can go on.
TEST(RecordsetLoaderErrors, ARefusedValueLeavesNoHalfRow) {
    RecordsetLoader loader({MakeField("Name", adVarWChar), MakeField("Count", adSmallInt)});
    const uint32_t first = loader.AppendRow();
    loader.SetText(0, first, "kept");
    loader.SetWhole(1, first, 1);
    const uint32_t refused = loader.AppendRow();
    loader.SetText(0, refused, "half");
    EXPECT_EQ(CaughtComError([&] { loader.SetWhole(1, refused, 70000); }).Number(), 3421);
    const uint32_t third = loader.AppendRow();
    loader.SetText(0, third, "after");
    loader.SetWhole(1, third, 3);
    const RecordsetPtr rows = loader.Finish("");
    ASSERT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(rows->Value(0), Variant("kept"));
    rows->MoveNext();
    EXPECT_EQ(rows->Value(0), Variant("after"));
    EXPECT_EQ(rows->Value(1), Variant::Integer(3));
}

// No rows still give an open, updatable recordset at BOF and EOF, with its fields and source.
TEST(RecordsetLoaderShape, EmptyResultIsOpenAtBofAndEof) {
    RecordsetLoader loader({MakeField("A", adInteger), MakeField("B", adVarWChar)});
    const RecordsetPtr rows = loader.Finish("SELECT A, B FROM T");
    EXPECT_TRUE(rows->IsOpen());
    EXPECT_TRUE(rows->BOF());
    EXPECT_TRUE(rows->EOF());
    EXPECT_EQ(rows->FieldCount(), 2);
    EXPECT_EQ(rows->Source(), "SELECT A, B FROM T");
    EXPECT_EQ(rows->LockType(), adLockBatchOptimistic);
}

// A field typed by its values is described before its first value; rows appended before keep
// Null there until set, and the recordset reports the late type.
TEST(RecordsetLoaderShape, LateFieldTakesItsTypeBeforeItsValues) {
    RecordsetLoader loader({MakeField("Id", adInteger), MakeField("Ratio", adVarWChar)});
    for (int64_t id = 1; id <= 3; ++id) {
        loader.SetWhole(0, loader.AppendRow(), id);
    }
    FieldInfo ratio = MakeField("Ratio", adDouble, 8);
    loader.DescribeLateField(1, ratio);
    loader.SetReal(1, 0, 0.5);
    loader.SetNull(1, 1);
    loader.SetReal(1, 2, 1.5);
    const RecordsetPtr rows = loader.Finish("");
    EXPECT_EQ(rows->Field(1).type, adDouble);
    EXPECT_EQ(rows->Value(1), Variant(0.5));
    rows->MoveNext();
    EXPECT_TRUE(rows->Value(1).IsNull());
    rows->MoveNext();
    EXPECT_EQ(rows->Value(0), Variant(3));
    EXPECT_EQ(rows->Value(1), Variant(1.5));
}

}  // namespace
}  // namespace hlreports::test

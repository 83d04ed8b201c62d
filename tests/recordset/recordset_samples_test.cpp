// Files written by the classic library load with the right types, values and pending changes,
// and what we write back from them loads the same.
#include <gtest/gtest.h>

#include <limits>

#include "recordset/RecordsetTestData.h"

namespace hlreports::test {
namespace {

// Each flat_<Type>_states.xml holds: row 1 updated from `original` to `updated`, row 3 plain,
// row 4 inserted, row 2 deleted.
struct StatesCase {
    const char* file;
    int32_t type;
    Variant original;
    Variant updated;
    Variant plain;
    Variant inserted;
    Variant deleted;
};

Date At(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
    return Date::FromYmdHms(y, m, d, hh, mm, ss);
}

Variant Time(int hh, int mm, int ss) {
    return Variant(At(1899, 12, 30, hh, mm, ss));
}

std::string Repeated(const std::string& stem, int count, const std::string& tail) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += stem + std::to_string(i) + tail + " ";
    }
    return text;
}

class RecordsetSampleStates : public ::testing::TestWithParam<StatesCase> {};

// Types, the visible rows in order, and the pending changes (with originals) are as stored.
TEST_P(RecordsetSampleStates, LoadsValuesAndPendingChanges) {
    const StatesCase& c = GetParam();
    const std::string xml = Sample(c.file);
    RecordsetPtr recordset = Recordset::LoadXml(xml);
    ASSERT_EQ(recordset->FieldCount(), 2);
    EXPECT_EQ(recordset->Field(1).name, "VALUE_FIELD");
    EXPECT_EQ(recordset->Field(1).type, c.type);
    EXPECT_EQ(recordset->LockType(), adLockBatchOptimistic);
    const std::vector<std::vector<Variant>> expectedRows = {
        {Variant(1), c.updated}, {Variant(3), c.plain}, {Variant(4), c.inserted}};
    EXPECT_EQ(AllRows(*recordset), expectedRows);

    const auto changes = recordset->PendingChanges();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].status, adRecModified);
    EXPECT_EQ(changes[0].originalValues, (std::vector<Variant>{Variant(1), c.original}));
    EXPECT_EQ(changes[1].status, adRecNew);
    EXPECT_EQ(changes[2].status, adRecDeleted);
    EXPECT_EQ(changes[2].originalValues, (std::vector<Variant>{Variant(2), c.deleted}));

    // Our own save of it loads back with the same rows and changes.
    RecordsetPtr again = Recordset::LoadXml(recordset->SaveXml());
    EXPECT_EQ(AllRows(*again), expectedRows);
    EXPECT_EQ(again->PendingChanges().size(), 3u);
    EXPECT_EQ(again->PendingChanges()[0].originalValues, changes[0].originalValues);
    EXPECT_EQ(again->PendingChanges()[2].originalValues, changes[2].originalValues);
}

// The classic library leaves a nullable column's Null out of the row, in plain rows and in every
// change group, while its datatype still says maybenull='false'; such a file loads with Nulls
// and our save of it loads back the same.
TEST_P(RecordsetSampleStates, NullsLeftOutOfEveryRowLoadAndSaveBack) {
    const StatesCase& c = GetParam();
    std::string xml = Sample(c.file);
    ASSERT_NE(xml.find("rs:maybenull='false'"), std::string::npos);
    // Every row loses its value: the Null of each row as the classic writer stores it.
    for (std::size_t at = xml.find(" VALUE_FIELD='"); at != std::string::npos;
         at = xml.find(" VALUE_FIELD='", at)) {
        const std::size_t valueEnd = xml.find('\'', at + 14);
        xml.erase(at, valueEnd + 1 - at);
    }
    RecordsetPtr recordset = Recordset::LoadXml(xml);
    const std::vector<std::vector<Variant>> expectedRows = {{Variant(1), Variant::Null()},
                                                            {Variant(3), Variant::Null()},
                                                            {Variant(4), Variant::Null()}};
    EXPECT_EQ(AllRows(*recordset), expectedRows);
    const auto changes = recordset->PendingChanges();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].originalValues, (std::vector<Variant>{Variant(1), Variant::Null()}));
    EXPECT_EQ(changes[2].originalValues, (std::vector<Variant>{Variant(2), Variant::Null()}));

    RecordsetPtr again = Recordset::LoadXml(recordset->SaveXml());
    EXPECT_EQ(AllRows(*again), expectedRows);
    EXPECT_EQ(again->Field(1).attributes, recordset->Field(1).attributes);
    EXPECT_EQ(again->PendingChanges()[0].originalValues, changes[0].originalValues);
    EXPECT_EQ(again->PendingChanges()[2].originalValues, changes[2].originalValues);
}

const char* const JoesData = "Joe's <xml> & data";

INSTANTIATE_TEST_SUITE_P(
    Samples, RecordsetSampleStates,
    ::testing::Values(
        StatesCase{"flat_BSTR_states.xml", adLongVarWChar, Variant(""), Variant("한글"),
                   Variant(JoesData), Variant("tail-value"), Variant("plain ascii")},
        StatesCase{"flat_BigInt_states.xml", adBigInt, Variant(-9223372036854775808.0),
                   Variant(2147483648.0), Variant(0.0), Variant("9223372036854775807"),
                   Variant(-2147483649.0)},
        StatesCase{"flat_Binary_states.xml", adBinary, Variant("001326394c5f7285"),
                   Variant("6f8295a8bbcee1f4"), Variant("4a5d708396a9bccf"),
                   Variant("94a7bacde0f30619"), Variant("25384b5e718497aa")},
        StatesCase{"flat_Boolean_states.xml", adBoolean, Variant(false), Variant(true),
                   Variant(false), Variant(false), Variant(true)},
        StatesCase{"flat_Char_states.xml", adChar, Variant("            "), Variant("twelve-char "),
                   Variant("fixed       "), Variant("last        "), Variant("A           ")},
        StatesCase{"flat_Currency_states.xml", adCurrency,
                   Variant::Currency(std::numeric_limits<int64_t>::min()), Variant::Currency(10001),
                   Variant::Currency(0), Variant::Currency(std::numeric_limits<int64_t>::max()),
                   Variant::Currency(-10001)},
        StatesCase{"flat_DBDate_states.xml", adDBDate, Variant(Date(0)), Variant(At(2026, 6, 12)),
                   Variant(At(2000, 1, 1)), Variant(At(2038, 1, 19)), Variant(At(1999, 12, 31))},
        StatesCase{"flat_DBTimeStamp_states.xml", adDBTimeStamp, Variant(Date(0)),
                   Variant(At(2026, 6, 12, 14, 30, 15)), Variant(At(2000, 1, 1, 0, 0, 1)),
                   Variant(At(2038, 1, 19, 3, 14, 7)), Variant(At(1999, 12, 31, 23, 59, 58))},
        StatesCase{"flat_DBTime_states.xml", adDBTime, Time(0, 0, 0), Time(14, 30, 15),
                   Time(0, 0, 1), Time(3, 14, 7), Time(23, 59, 58)},
        StatesCase{"flat_Date_states.xml", adDate, Variant(Date(0)),
                   Variant(At(2026, 6, 12, 14, 30, 15)), Variant(At(2000, 1, 1, 0, 0, 1)),
                   Variant(At(2038, 1, 19, 3, 14, 7)), Variant(At(1999, 12, 31, 23, 59, 58))},
        StatesCase{"flat_Decimal_states.xml", adDecimal, Variant(-922337.5808), Variant(1.2345),
                   Variant(0.0), Variant(922337.5807), Variant(-1.2345)},
        StatesCase{"flat_Double_states.xml", adDouble, Variant(-123456789.125), Variant(1.25),
                   Variant(0.0), Variant(123456789.5), Variant(-1.5)},
        StatesCase{"flat_FileTime_states.xml", adFileTime, Variant(Date(0)),
                   Variant(At(2026, 6, 12, 14, 30, 15)), Variant(At(2000, 1, 1, 0, 0, 1)),
                   Variant(At(2038, 1, 19, 3, 14, 7)), Variant(At(1999, 12, 31, 23, 59, 58))},
        StatesCase{"flat_GUID_states.xml", adGUID,
                   Variant("{00000000-0000-0000-0000-000000000000}"),
                   Variant("{01234567-89AB-CDEF-0123-456789ABCDEF}"),
                   Variant("{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}"),
                   Variant("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"),
                   Variant("{11111111-2222-3333-4444-555555555555}")},
        StatesCase{"flat_Integer_states.xml", adInteger, Variant(-2147483647), Variant(1),
                   Variant(0), Variant(2147483647), Variant(-1)},
        StatesCase{
            "flat_LongVarChar_states.xml", adLongVarChar, Variant(Repeated("long-0-", 80, " 한글")),
            Variant(Repeated("long-3-", 80, " 한글")), Variant(Repeated("long-2-", 80, " 한글")),
            Variant(Repeated("long-4-", 80, " 한글")), Variant(Repeated("long-1-", 80, " 한글"))},
        StatesCase{
            "flat_LongVarWChar_states.xml", adLongVarWChar,
            Variant(Repeated("long-0-", 80, " 한글")), Variant(Repeated("long-3-", 80, " 한글")),
            Variant(Repeated("long-2-", 80, " 한글")), Variant(Repeated("long-4-", 80, " 한글")),
            Variant(Repeated("long-1-", 80, " 한글"))},
        StatesCase{"flat_Numeric_states.xml", adNumeric, Variant(-922337.5808), Variant(1.2345),
                   Variant(0.0), Variant(922337.5807), Variant(-1.2345)},
        StatesCase{"flat_Single_states.xml", adSingle, Variant(-12345.25), Variant(1.25),
                   Variant(0.0), Variant(12345.5), Variant(-1.5)},
        StatesCase{"flat_SmallInt_states.xml", adSmallInt, Variant::Integer(-32768),
                   Variant::Integer(1), Variant::Integer(0), Variant::Integer(32767),
                   Variant::Integer(-1)},
        StatesCase{"flat_TinyInt_states.xml", adTinyInt, Variant::Integer(-128),
                   Variant::Integer(1), Variant::Integer(0), Variant::Integer(127),
                   Variant::Integer(-1)},
        StatesCase{"flat_UnsignedBigInt_states.xml", adUnsignedBigInt, Variant(0.0),
                   Variant(9223372036854775808.0), Variant("9223372036854775807"),
                   Variant("18446744073709551615"), Variant(1.0)},
        StatesCase{"flat_UnsignedInt_states.xml", adUnsignedInt, Variant(0), Variant(2147483648.0),
                   Variant(2147483647), Variant(4294967295.0), Variant(1)},
        StatesCase{"flat_UnsignedSmallInt_states.xml", adUnsignedSmallInt, Variant(0),
                   Variant(32768), Variant(32767), Variant(65535), Variant(1)},
        StatesCase{"flat_UnsignedTinyInt_states.xml", adUnsignedTinyInt, Variant::Integer(0),
                   Variant::Integer(254), Variant::Integer(127), Variant::Integer(255),
                   Variant::Integer(1)},
        StatesCase{"flat_VarBinary_states.xml", adVarBinary, Variant("001326394c5f728598abbed1"),
                   Variant("6f8295a8bbcee1f4071a2d40"), Variant("4a5d708396a9bccfe2f5081b"),
                   Variant("94a7bacde0f306192c3f5265"), Variant("25384b5e718497aabdd0e3f6")},
        StatesCase{"flat_VarChar_states.xml", adVarChar, Variant(""), Variant("한글"),
                   Variant(JoesData), Variant("tail-value"), Variant("plain ascii")},
        StatesCase{"flat_VarWChar_states.xml", adVarWChar, Variant(""), Variant("한글"),
                   Variant(JoesData), Variant("tail-value"), Variant("plain ascii")},
        StatesCase{"flat_WChar_states.xml", adWChar, Variant("            "),
                   Variant("twelve-char "), Variant("fixed       "), Variant("last        "),
                   Variant("A           ")}),
    [](const ::testing::TestParamInfo<StatesCase>& param) {
        std::string name = param.param.file;
        return name.substr(5, name.find("_states") - 5);
    });

// Binary wrapped inside the attribute value over several lines reads as one lowercase hex run.
TEST(RecordsetSamples, WrappedLongBinaryJoinsItsLines) {
    RecordsetPtr recordset = Recordset::LoadXml(Sample("flat_LongVarBinary_states.xml"));
    EXPECT_EQ(recordset->Field(1).type, adLongVarBinary);
    const std::string updated = recordset->Value(1).ToString();
    EXPECT_EQ(updated.size(), 192u);
    EXPECT_EQ(updated.substr(0, 16), "6f8295a8bbcee1f4");
    EXPECT_EQ(updated.substr(180), "1d304356697c");
    EXPECT_EQ(recordset->PendingChanges()[0].originalValues[1].ToString().substr(180),
              "aec1d4e7fa0d");
}

struct FileCase {
    const char* file;
    std::vector<std::string> names;
    std::vector<int32_t> types;
    std::vector<std::vector<Variant>> rows;
};

class RecordsetSampleFiles : public ::testing::TestWithParam<FileCase> {};

// The generated sample files load with their fields and every row (all of them inserts).
TEST_P(RecordsetSampleFiles, LoadsFieldsAndRows) {
    const FileCase& c = GetParam();
    RecordsetPtr recordset = Recordset::LoadXml(Sample(c.file));
    ASSERT_EQ(recordset->FieldCount(), static_cast<int>(c.names.size()));
    for (int i = 0; i < recordset->FieldCount(); ++i) {
        EXPECT_EQ(recordset->Field(i).name, c.names[static_cast<std::size_t>(i)]);
        EXPECT_EQ(recordset->Field(i).type, c.types[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(AllRows(*recordset), c.rows);
    for (const auto& change : recordset->PendingChanges()) {
        EXPECT_EQ(change.status, adRecNew);
    }
    EXPECT_EQ(static_cast<std::size_t>(recordset->PendingChanges().size()), c.rows.size());
    EXPECT_EQ(AllRows(*Recordset::LoadXml(recordset->SaveXml())), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, RecordsetSampleFiles,
    ::testing::Values(FileCase{"binary.xml",
                               {"ID", "BYTES_FIXED", "BYTES_LONG"},
                               {adInteger, adBinary, adLongVarBinary},
                               {{Variant(1), Variant("000102ff"), Variant("deadbeef00102030")}}},
                      FileCase{"empty.xml", {"ID", "NAME"}, {adInteger, adVarWChar}, {}},
                      FileCase{"long_text.xml",
                               {"ID", "BODY"},
                               {adInteger, adLongVarWChar},
                               {{Variant(1), Variant(Repeated("line-", 80, ""))}}},
                      FileCase{"nulls.xml",
                               {"ID", "MAYBE_TEXT", "MAYBE_INT"},
                               {adInteger, adVarWChar, adInteger},
                               {{Variant(1), Variant::Null(), Variant::Null()},
                                {Variant(2), Variant(""), Variant(0)}}},
                      FileCase{"strings_ascii.xml",
                               {"ID", "NAME", "NOTE"},
                               {adInteger, adVarWChar, adVarWChar},
                               {{Variant(1), Variant("alpha"), Variant("plain ascii")},
                                {Variant(2), Variant("reserved"), Variant("Joe's Garage & <xml>")},
                                {Variant(3), Variant("empty"), Variant("")}}},
                      FileCase{"strings_korean_ansi.xml",
                               {"ID", "WORD", "TAIL"},
                               {adInteger, adVarChar, adVarChar},
                               {{Variant(1), Variant("가"), Variant("각")},
                                {Variant(2), Variant("한글"), Variant("마지막")},
                                {Variant(3), Variant("홍길동"), Variant("끝값")}}},
                      FileCase{"strings_korean_unicode.xml",
                               {"ID", "WORD", "TAIL"},
                               {adInteger, adVarWChar, adVarWChar},
                               {{Variant(1), Variant("가"), Variant("각")},
                                {Variant(2), Variant("한글"), Variant("마지막")},
                                {Variant(3), Variant("홍길동"), Variant("끝값")}}},
                      FileCase{"types_basic.xml",
                               {"ID", "FLAG", "AMOUNT", "RATIO", "WHEN_AT"},
                               {adInteger, adBoolean, adCurrency, adDouble, adDate},
                               {{Variant(1), Variant(true), Variant::Currency(12345600),
                                 Variant(3.14159), Variant(At(2001, 2, 3, 4, 5, 6))},
                                {Variant(-2), Variant(false), Variant::Currency(-78900),
                                 Variant(-0.25), Variant(At(1999, 12, 31, 23, 59, 58))}}}),
    [](const ::testing::TestParamInfo<FileCase>& param) {
        std::string name = param.param.file;
        name = name.substr(0, name.find('.'));
        std::erase(name, '_');
        return name;
    });

// Schema flags of the samples come through as field attributes.
TEST(RecordsetSamples, SchemaFlagsBecomeFieldAttributes) {
    RecordsetPtr recordset = Recordset::LoadXml(Sample("nulls.xml"));
    const FieldInfo& id = recordset->Field(0);
    EXPECT_EQ(id.attributes, static_cast<uint32_t>(adFldUpdatable | adFldFixed));
    EXPECT_EQ(id.definedSize, 4);
    const FieldInfo& text = recordset->Field(1);
    EXPECT_EQ(text.attributes, static_cast<uint32_t>(adFldUpdatable | adFldIsNullable));
    EXPECT_EQ(text.definedSize, 40);
    EXPECT_EQ(Recordset::LoadXml(Sample("flat_BSTR_states.xml"))->Field(1).definedSize, -1);
    EXPECT_EQ(Recordset::LoadXml(Sample("flat_Numeric_states.xml"))->Field(1).scale, 4);
    EXPECT_EQ(Recordset::LoadXml(Sample("flat_Numeric_states.xml"))->Field(1).precision, 18);
}

}  // namespace
}  // namespace hlreports::test

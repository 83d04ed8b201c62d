// Handing a table the component's rows as a copy (Recordset::SavedCopy) gives the prepared report
// exactly what handing them over as saved XML gives.
#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <sstream>

#include "engine/EngineFixtures.h"
#include "engine/Render.h"
#include "recordset/RecordsetTestData.h"

namespace hlreports::test {
namespace {

constexpr const char* Report = R"(<report name="rptRows" title="Rows" connection-name="HLData">
  <tables><table name="Rows"/></tables>
  <report-footer count="true" label="Rows"/>
</report>)";

constexpr uint32_t Nullable = adFldMayBeNull | adFldIsNullable;

FieldInfo Sized(std::string name, int32_t type, int precision, int scale) {
    FieldInfo field = MakeField(std::move(name), type);
    field.precision = precision;
    field.scale = scale;
    return field;
}

// One field of every kind the row store keeps, with values that test each one's text form.
RecordsetPtr EveryType() {
    const std::vector<FieldInfo> fields = {
        MakeField("Tiny", adTinyInt),
        MakeField("Small", adSmallInt),
        MakeField("Whole", adInteger),
        MakeField("Big", adBigInt),
        MakeField("Byte", adUnsignedTinyInt),
        MakeField("Word", adUnsignedSmallInt),
        MakeField("Unsigned", adUnsignedInt),
        MakeField("Huge", adUnsignedBigInt),
        MakeField("Single", adSingle),
        MakeField("Real", adDouble),
        MakeField("Money", adCurrency),
        Sized("Amount", adNumeric, 10, 2),
        Sized("Exact", adDecimal, 28, 6),
        MakeField("Flag", adBoolean),
        MakeField("When", adDate),
        MakeField("Day", adDBDate),
        Sized("Stamp", adDBTimeStamp, 0, 3),
        MakeField("Code", adChar, 6),
        MakeField("Name", adVarChar, 50),
        MakeField("Wide", adVarWChar, 50),
        MakeField("Note", adLongVarWChar, -1),
        MakeField("Id", adGUID),
        MakeField("Blob", adVarBinary, 16),
    };
    const Date fraction = Date::FromYmdHms(2024, 2, 29, 13, 45, 7.12345);
    return MakeRecordset(fields, {{Variant::Integer(-7),
                                   Variant::Integer(-32768),
                                   Variant(2147483647),
                                   Variant(9007199254740993.0),
                                   Variant::Integer(255),
                                   Variant(65535),
                                   Variant(4294967295.0),
                                   Variant(1.8e19),
                                   Variant(0.1),
                                   Variant(1.0 / 3.0),
                                   Variant::Currency(-12345678),
                                   Variant(*Decimal::Parse("12345678.91")),
                                   Variant(*Decimal::Parse("-0.000001")),
                                   Variant(true),
                                   Variant(fraction),
                                   Variant(Date::FromYmd(1899, 12, 29)),
                                   Variant(fraction),
                                   Variant("A1"),
                                   Variant("O'Leary & <Sons> \"Ltd\""),
                                   Variant("Zoë, Łódź, 東京"),
                                   Variant("line one\r\nline two\ttabbed  "),
                                   Variant("{6f9619ff-8b86-d011-b42d-00c04fc964ff}"),
                                   Variant("DEADbeef")},
                                  {Variant::Integer(0),
                                   Variant::Integer(0),
                                   Variant(-1),
                                   Variant(-1.0),
                                   Variant::Integer(0),
                                   Variant(0),
                                   Variant(0),
                                   Variant(0.0),
                                   Variant(-2.5e-30),
                                   Variant(-0.0),
                                   Variant::Currency(1),
                                   Variant(*Decimal::Parse("0")),
                                   Variant(*Decimal::Parse("1e-6")),
                                   Variant(false),
                                   Variant(Date(-1.75)),
                                   Variant(Date(0.0)),
                                   Variant(Date(45000.99999999)),
                                   Variant(""),
                                   Variant(" "),
                                   Variant(""),
                                   Variant(""),
                                   Variant("6F9619FF-8B86-D011-B42D-00C04FC964FF"),
                                   Variant("")}});
}

RecordsetPtr Units() {
    return MakeRecordset(
        {MakeField("Unit", adInteger, 0, 0), MakeField("Resident", adVarWChar, 40),
         MakeField("Rent", adCurrency), MakeField("Moved In", adDate)},
        {{Variant(101), Variant("Ann"), Variant::Currency(9500000), Variant(Date(45000.5))},
         {Variant(102), Variant::Null(), Variant::Null(), Variant::Null()},
         {Variant(103), Variant("Bob"), Variant::Currency(10250000), Variant(Date(45100.0))},
         {Variant(104), Variant("Cyd"), Variant::Null(), Variant(Date(45200.25))}});
}

RecordsetPtr WithPendingChanges() {
    RecordsetPtr rows = Units();
    rows->MoveFirst();
    rows->SetValue("Resident", Variant("Ann Smith"));
    rows->SetValue("Rent", Variant::Null());
    rows->Update();
    rows->MoveNext();
    rows->Delete();
    rows->MoveLast();
    rows->SetValue("Moved In", Variant(Date(45300.0)));
    rows->Update();
    rows->AddNew();
    rows->SetValue("Unit", Variant(105));
    rows->SetValue("Resident", Variant("Dee"));
    rows->Update();
    return rows;
}

// Every way a recordset can reach a table, each as the component builds it.
const std::vector<std::pair<const char*, std::function<RecordsetPtr()>>> Recordsets = {
    {"every type", EveryType},
    {"Nulls", Units},
    {"empty", [] { return MakeRecordset({MakeField("Unit", adInteger)}, {}); }},
    {"no fields' values but Nulls",
     [] {
         return MakeRecordset({MakeField("A", adVarChar, 5), MakeField("B", adDouble)},
                              {{Variant::Null(), Variant::Null()}});
     }},
    {"read-only", [] { return MakeRecordset({MakeField("A", adInteger)}, {{Variant(1)}}, 1); }},
    {"filtered",
     [] {
         RecordsetPtr rows = Units();
         rows->SetFilter("Unit >= 103");
         return rows;
     }},
    {"sorted",
     [] {
         RecordsetPtr rows = Units();
         rows->SetSort("Resident DESC, Unit");
         return rows;
     }},
    {"filtered and sorted",
     [] {
         RecordsetPtr rows = Units();
         rows->SetFilter("Unit <> 103");
         rows->SetSort("Unit DESC");
         return rows;
     }},
    {"pending changes", WithPendingChanges},
    {"pending changes, filtered",
     [] {
         RecordsetPtr rows = WithPendingChanges();
         rows->SetFilter("Unit > 102");
         return rows;
     }},
    {"an edit not yet updated",
     [] {
         RecordsetPtr rows = Units();
         rows->MoveLast();
         rows->SetValue("Resident", Variant("Eve"));
         return rows;
     }},
    {"names that need aliases and field attributes",
     [] {
         FieldInfo key = MakeField("Unit No", adInteger, 0, adFldKeyColumn | adFldUpdatable);
         key.baseTable = "tblUnit";
         key.baseColumn = "UnitNo";
         return MakeRecordset({key, MakeField("c0", adVarChar, 10), MakeField("xmlns", adDouble),
                               MakeField("c0", adBoolean)},
                              {{Variant(1), Variant("a"), Variant(2.5), Variant(true)}});
     }},
    // The text road refuses these; the copy must raise the same error, not carry them.
    {"a control character",
     [] { return MakeRecordset({MakeField("A", adVarChar, 5)}, {{Variant("a\x01")}}); }},
    {"bytes that are not UTF-8",
     [] { return MakeRecordset({MakeField("A", adVarChar, 5)}, {{Variant("a\xff")}}); }},
};

// Every value the table holds, to the last bit: kind, and numbers and day numbers in full.
std::string ExactValues(const Recordset& source) {
    const RecordsetPtr rows = source.Clone();  // own cursor at the first row
    std::ostringstream text;
    text << std::setprecision(17);
    for (; !rows->EOF(); rows->MoveNext()) {
        for (int i = 0; i < rows->FieldCount(); ++i) {
            const Variant value = rows->Value(i);
            text << static_cast<int>(value.Kind()) << ':';
            if (value.Kind() == VariantKind::Date) {
                text << value.ToDate().DayNumber();
            } else if (value.Kind() == VariantKind::Double) {
                text << value.ToDouble();
            } else if (!value.IsNull()) {
                text << value.ToString();
            }
            text << '|';
        }
        text << '\n';
    }
    return text.str();
}

// What a road gave: the prepared report's JSON, every value exactly, the table's rows saved again
// (their fields, attributes, lock type and pending changes), and where the caller's cursor was
// left; or the error it raised.
std::string Outcome(const TempDir& folder, Recordset& rows,
                    const std::function<void(CoreTable&, Recordset&)>& handOver) {
    const std::shared_ptr<CoreReport> report = LoadReport(folder, Report);
    CoreTable& table = *report->Database()->Tables()[0];
    try {
        handOver(table, rows);
    } catch (const ComError& error) {
        return "error " + std::to_string(error.Number()) + " (" + error.Source() +
               "): " + error.Description();
    }
    return RenderJson(*report) + "\n" + ExactValues(*table.Rows()) + table.Rows()->SaveXml() +
           "\nlock " + std::to_string(table.Rows()->LockType()) + ", caller at " +
           std::to_string(rows.AbsolutePosition());
}

// Each recordset gives the same prepared report through the copy as through saved XML.
TEST(TableHandover, CopyGivesWhatSavedXmlGives) {
    const TempDir folder;
    for (const auto& [name, make] : Recordsets) {
        SCOPED_TRACE(name);
        const RecordsetPtr throughText = make();
        const std::string expected =
            Outcome(folder, *throughText,
                    [](CoreTable& table, Recordset& rows) { table.SetDataSource(rows.SaveXml()); });
        const RecordsetPtr copied = make();
        EXPECT_EQ(
            Outcome(folder, *copied,
                    [](CoreTable& table, Recordset& rows) { table.SetRows(rows.SavedCopy()); }),
            expected);
    }
}

// Changing the caller's rows after the hand-over leaves the prepared report as it was.
TEST(TableHandover, CopySharesNoRowsWithTheCaller) {
    const TempDir folder;
    const std::shared_ptr<CoreReport> report = LoadReport(folder, Report);
    const RecordsetPtr rows = Units();
    report->Database()->Tables()[0]->SetRows(rows->SavedCopy());
    const std::string before = RenderJson(*report);
    rows->MoveFirst();
    rows->SetValue("Resident", Variant("Changed"));
    rows->Update();
    rows->Delete();
    rows->AddNew();
    rows->SetValue("Unit", Variant(999));
    rows->Update();
    EXPECT_EQ(RenderJson(*report), before);
}

}  // namespace
}  // namespace hlreports::test

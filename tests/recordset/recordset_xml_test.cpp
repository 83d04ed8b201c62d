// Rowset XML writing: document layout, schema attributes, name aliases, NULL/empty/escaping round
// trips, and the serialisation of pending changes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "recordset/AdoTypeSets.h"
#include "recordset/RecordsetTestData.h"
#include "runtime/Text.h"

namespace hlreports::test {
namespace {

using ::testing::HasSubstr;

// The document has the classic skeleton: no declaration, four namespaces, CRLF and TAB indents.
TEST(RecordsetXmlLayout, WritesTheClassicSkeleton) {
    RecordsetPtr recordset =
        MakeRecordset({MakeField("ID", adInteger)}, {{Variant(1)}}, adLockReadOnly);
    const std::string xml = recordset->SaveXml();
    const std::string expected =
        "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
        "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\r\n"
        "\txmlns:rs='urn:schemas-microsoft-com:rowset'\r\n"
        "\txmlns:z='#RowsetSchema'>\r\n"
        "<s:Schema id='RowsetSchema'>\r\n"
        "\t<s:ElementType name='row' content='eltOnly'>\r\n"
        "\t\t<s:AttributeType name='ID' rs:number='1' rs:nullable='true'>\r\n"
        "\t\t\t<s:datatype dt:type='int' dt:maxLength='4' rs:precision='0' "
        "rs:fixedlength='true'/>\r\n"
        "\t\t</s:AttributeType>\r\n"
        "\t\t<s:extends type='rs:rowbase'/>\r\n"
        "\t</s:ElementType>\r\n"
        "</s:Schema>\r\n"
        "<rs:data>\r\n"
        "\t<z:row ID='1'/>\r\n"
        "</rs:data>\r\n"
        "</xml>";
    EXPECT_EQ(xml, expected);
}

// An empty rowset still has its data element, written open and closed on two lines.
TEST(RecordsetXmlLayout, EmptyRowsetKeepsTheDataElement) {
    RecordsetPtr recordset = MakeRecordset({MakeField("ID", adInteger)}, {});
    EXPECT_THAT(recordset->SaveXml(), HasSubstr("<rs:data>\r\n</rs:data>\r\n</xml>"));
}

struct SchemaCase {
    const char* label;
    FieldInfo field;
    const char* attributeType;  // expected start tag of s:AttributeType
    const char* datatype;       // expected s:datatype element
};

FieldInfo With(FieldInfo field, auto&& change) {
    change(field);
    return field;
}

class RecordsetSchemaEmission : public ::testing::TestWithParam<SchemaCase> {};

// Field attributes become the schema attributes, in their fixed order.
TEST_P(RecordsetSchemaEmission, WritesFieldAttributesInOrder) {
    const SchemaCase& c = GetParam();
    RecordsetPtr recordset = MakeRecordset({c.field}, {});
    const std::string xml = recordset->SaveXml();
    EXPECT_THAT(
        xml, HasSubstr(std::string("\t\t") + c.attributeType + "\r\n\t\t\t" + c.datatype + "\r\n"));
    // What is written reads back as the same field.
    const FieldInfo read = Recordset::LoadXml(xml)->Field(0);
    EXPECT_EQ(read.name, c.field.name);
    EXPECT_EQ(read.type, c.field.type);
    EXPECT_EQ(read.attributes & ~(adFldFixed | adFldLong),
              c.field.attributes & ~(adFldFixed | adFldLong));
    EXPECT_EQ(read.baseTable, c.field.baseTable);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RecordsetSchemaEmission,
    ::testing::Values(
        SchemaCase{
            "NotNull", MakeField("Code", adVarChar, 10, 0),
            "<s:AttributeType name='Code' rs:number='1'>",
            "<s:datatype dt:type='string' rs:dbtype='str' dt:maxLength='10' rs:precision='0' "
            "rs:maybenull='false'/>"},
        SchemaCase{"Nullable", MakeField("Note", adVarWChar, 50),
                   "<s:AttributeType name='Note' rs:number='1' rs:nullable='true'>",
                   "<s:datatype dt:type='string' dt:maxLength='50' rs:precision='0'/>"},
        SchemaCase{"FixedAnsi", MakeField("Flag", adChar, 1),
                   "<s:AttributeType name='Flag' rs:number='1' rs:nullable='true'>",
                   "<s:datatype dt:type='string' rs:dbtype='str' dt:maxLength='1' rs:precision='0' "
                   "rs:fixedlength='true'/>"},
        SchemaCase{"LongUnlimited", MakeField("Body", adLongVarWChar, -1),
                   "<s:AttributeType name='Body' rs:number='1' rs:nullable='true'>",
                   "<s:datatype dt:type='string' dt:maxLength='4294967295' rs:precision='0' "
                   "rs:long='true'/>"},
        SchemaCase{
            "NumericPrecisionScale",
            With(MakeField("Rate", adNumeric),
                 [](FieldInfo& f) {
                     f.precision = 18;
                     f.scale = 4;
                 }),
            "<s:AttributeType name='Rate' rs:number='1' rs:nullable='true'>",
            "<s:datatype dt:type='number' rs:dbtype='numeric' dt:maxLength='19' rs:scale='4' "
            "rs:precision='18' rs:fixedlength='true'/>"},
        SchemaCase{
            "BaseColumnAndKey",
            With(MakeField("UnitID", adVarChar, 10, adFldMayBeNull | adFldUnknownUpdatable),
                 [](FieldInfo& f) {
                     f.baseCatalog = "Rentals";
                     f.baseSchema = "dbo";
                     f.baseTable = "tblUnit";
                     f.baseColumn = "UnitID";
                     f.isKeyColumn = true;
                     f.attributes |= adFldKeyColumn;
                 }),
            "<s:AttributeType name='UnitID' rs:number='1' rs:writeunknown='true' "
            "rs:basecatalog='Rentals' "
            "rs:baseschema='dbo' rs:basetable='tblUnit' rs:basecolumn='UnitID' "
            "rs:keycolumn='true'>",
            "<s:datatype dt:type='string' rs:dbtype='str' dt:maxLength='10' rs:precision='0'/>"},
        SchemaCase{
            "Currency", MakeField("Amount", adCurrency, 0, adFldMayBeNull | adFldUpdatable),
            "<s:AttributeType name='Amount' rs:number='1' rs:write='true'>",
            "<s:datatype dt:type='number' rs:dbtype='currency' dt:maxLength='8' rs:precision='0' "
            "rs:fixedlength='true'/>"},
        SchemaCase{
            "Timestamp", MakeField("At", adDBTimeStamp),
            "<s:AttributeType name='At' rs:number='1' rs:nullable='true'>",
            "<s:datatype dt:type='dateTime' rs:dbtype='timestamp' dt:maxLength='16' rs:scale='0' "
            "rs:precision='0' rs:fixedlength='true'/>"}),
    [](const ::testing::TestParamInfo<SchemaCase>& param) {
        return std::string(param.param.label);
    });

// A variant column is written without rs:precision, as the classic writer leaves it out there.
TEST(RecordsetXmlLayout, VariantColumnHasNoPrecision) {
    const std::string xml = MakeRecordset({MakeField("Any", adVariant)}, {})->SaveXml();
    EXPECT_EQ(AttributeIn(xml, "<s:datatype", "rs:precision"), "<absent>");
    EXPECT_EQ(AttributeIn(xml, "<s:datatype", "dt:type"), "string");
}

// The rowset is marked updatable unless the recordset is read-only.
TEST(RecordsetXmlLayout, UpdatableFollowsTheLockType) {
    for (const auto& [lockType, expected] :
         {std::pair{adLockReadOnly, "<absent>"}, std::pair{adLockOptimistic, "true"},
          std::pair{adLockBatchOptimistic, "true"}}) {
        RecordsetPtr recordset = MakeRecordset({MakeField("ID", adInteger)}, {}, lockType);
        EXPECT_EQ(AttributeIn(recordset->SaveXml(), "<s:ElementType", "rs:updatable"), expected)
            << lockType;
    }
}

struct NameCase {
    const char* label;
    std::vector<std::string> names;
    std::vector<std::string> xmlNames;
};

class RecordsetNameAliases : public ::testing::TestWithParam<NameCase> {};

// Names that cannot be attribute names, or repeat, become c<position> with rs:name; rows use the
// alias, and loading restores the real names.
TEST_P(RecordsetNameAliases, AliasesAwkwardAndRepeatedNames) {
    const NameCase& c = GetParam();
    std::vector<FieldInfo> fields;
    std::vector<Variant> row;
    for (std::size_t i = 0; i < c.names.size(); ++i) {
        fields.push_back(MakeField(c.names[i], adInteger));
        row.push_back(Variant(static_cast<int32_t>(i + 1)));
    }
    RecordsetPtr recordset = MakeRecordset(fields, {row});
    const std::string xml = recordset->SaveXml();
    std::size_t at = 0;
    for (std::size_t i = 0; i < c.names.size(); ++i) {
        at = xml.find("<s:AttributeType", at + 1);
        const std::string tag = xml.substr(at, xml.find('>', at) - at);
        EXPECT_EQ(AttributeIn(tag, "<s:AttributeType", "name"), c.xmlNames[i]);
        const bool aliased = c.xmlNames[i] != c.names[i];
        const std::string escaped =
            ReplaceAll(ReplaceAll(c.names[i], "&", "&#x26;"), "'", "&#x27;");
        EXPECT_EQ(AttributeIn(tag, "<s:AttributeType", "rs:name"), aliased ? escaped : "<absent>");
        EXPECT_EQ(AttributeIn(tag, "<s:AttributeType", "rs:number"), std::to_string(i + 1));
        EXPECT_EQ(AttributeIn(xml, "<z:row", c.xmlNames[i]), std::to_string(i + 1));
    }
    RecordsetPtr loaded = Recordset::LoadXml(xml);
    for (std::size_t i = 0; i < c.names.size(); ++i) {
        EXPECT_EQ(loaded->Field(static_cast<int>(i)).name, c.names[i]);
        EXPECT_EQ(loaded->Value(static_cast<int>(i)), Variant(static_cast<int32_t>(i + 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, RecordsetNameAliases,
    ::testing::Values(NameCase{"Ordinary", {"UnitID", "Rent_2"}, {"UnitID", "Rent_2"}},
                      NameCase{"Space", {"ID", "Open Balance"}, {"ID", "c1"}},
                      NameCase{"LeadingDigit", {"1st"}, {"c0"}},
                      NameCase{"Dash", {"A", "B", "Name-With-Dash"}, {"A", "B", "c2"}},
                      NameCase{"NonAscii", {"Città"}, {"c0"}},
                      NameCase{"Punctuation", {"COUNT(*)", "a&b", "it's"}, {"c0", "c1", "c2"}},
                      NameCase{"Duplicate", {"ROWID", "X", "ROWID"}, {"ROWID", "X", "c2"}},
                      NameCase{"ReservedXmlPrefix", {"xmlns", "XmlText"}, {"c0", "c1"}},
                      NameCase{"Underscore", {"_id"}, {"c0"}}, NameCase{"Empty", {""}, {"c0"}},
                      NameCase{"RealNameCollidesWithAlias", {"a b", "c0"}, {"c0", "c1"}}),
    [](const ::testing::TestParamInfo<NameCase>& param) { return std::string(param.param.label); });

// NULL is an absent attribute and '' an empty one; the five special characters and TAB/CR/LF are
// written as references and survive a standard parser; non-ASCII text is kept as UTF-8.
TEST(RecordsetXmlRoundTrip, KeepsNullEmptyEscapesAndLineBreaks) {
    const std::vector<std::string> texts = {"", "'\"&<>", "line1\r\nline2\tend", "  padded  ",
                                            "가나 Città"};
    std::vector<std::vector<Variant>> rows = {{Variant(0), Variant::Null()}};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        rows.push_back({Variant(static_cast<int32_t>(i + 1)), Variant(texts[i])});
    }
    RecordsetPtr recordset =
        MakeRecordset({MakeField("ID", adInteger), MakeField("T", adVarWChar, 50)}, rows);
    const std::string xml = recordset->SaveXml();
    EXPECT_THAT(xml, HasSubstr("<z:row ID='0'/>"));
    EXPECT_THAT(xml, HasSubstr("<z:row ID='1' T=''/>"));
    EXPECT_THAT(xml, HasSubstr("T='&#x27;&#x22;&#x26;&#x3c;&#x3e;'"));
    EXPECT_THAT(xml, HasSubstr("T='line1&#xd;&#xa;line2&#x9;end'"));
    EXPECT_EQ(AllRows(*Recordset::LoadXml(xml)), rows);
}

// Control characters XML 1.0 cannot carry, and bytes that are not UTF-8, refuse the save with a
// 3001 that names the field, and the cursor stays where it was.
TEST(RecordsetXmlRoundTrip, RefusesTextXmlCannotCarry) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string("bell\x07"),
         "field 'Note' holds the control character 0x07, which XML 1.0 cannot carry"},
        {std::string("nul\0x", 5),
         "field 'Note' holds the control character 0x00, which XML 1.0 cannot carry"},
        {std::string("v\x0btab"),
         "field 'Note' holds the control character 0x0B, which XML 1.0 cannot carry"},
        {std::string("latin1 \xe9"), "field 'Note' holds text that is not UTF-8 (byte 0xE9)"},
    };
    for (const auto& [text, description] : cases) {
        RecordsetPtr recordset = MakeRecordset({MakeField("Note", adVarWChar, 50)},
                                               {{Variant("fine")}, {Variant(text)}});
        recordset->MoveLast();
        const ComError error = ErrorFrom([&] { (void)recordset->SaveXml(); });
        EXPECT_EQ(error.Number(), 3001);
        EXPECT_EQ(error.Source(), "Recordset.SaveXml");
        EXPECT_EQ(error.Description(), description);
        EXPECT_EQ(recordset->AbsolutePosition(), 2);
    }
}

// One recordset with an update (one field to NULL), an insert, a delete and an untouched row:
// updates in place with the full original, the insert group after, deletes last; after the
// changes are accepted a second save has plain rows only.
TEST(RecordsetXmlPendingChanges, WritesUpdateInsertDeleteGroups) {
    RecordsetPtr recordset =
        MakeRecordset({MakeField("ID", adInteger), MakeField("Amount", adCurrency),
                       MakeField("Note", adVarWChar, 20)},
                      {{Variant(1), Variant::Currency(12505000), Variant("a")},
                       {Variant(2), Variant::Currency(0), Variant("b")},
                       {Variant(3), Variant::Currency(-352500), Variant::Null()}});
    recordset->SetValue("Amount", Variant::Null());
    recordset->SetValue("Note", Variant("changed"));
    recordset->Update();
    recordset->MoveNext();
    recordset->Delete();
    recordset->AddNew();
    recordset->SetValue("ID", Variant(4));
    recordset->SetValue("Amount", Variant::Currency(0));
    recordset->Update();
    const std::string expected =
        "<rs:data>\r\n"
        "\t<rs:update>\r\n"
        "\t\t<rs:original>\r\n"
        "\t\t\t<z:row ID='1' Amount='1250.5' Note='a'/>\r\n"
        "\t\t</rs:original>\r\n"
        "\t\t<z:row Note='changed' rs:forcenull='Amount'/>\r\n"
        "\t</rs:update>\r\n"
        "\t<z:row ID='3' Amount='-35.25'/>\r\n"
        "\t<rs:insert>\r\n"
        "\t\t<z:row ID='4' Amount='0' rs:forcenull='Note'/>\r\n"
        "\t</rs:insert>\r\n"
        "\t<rs:delete>\r\n"
        "\t\t<z:row ID='2' Amount='0' Note='b'/>\r\n"
        "\t</rs:delete>\r\n"
        "</rs:data>\r\n";
    const std::string xml = recordset->SaveXml();
    EXPECT_THAT(xml, HasSubstr(expected));

    // Reading the file back gives the same pending changes.
    RecordsetPtr loaded = Recordset::LoadXml(xml);
    const auto changes = loaded->PendingChanges();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].status, adRecModified);
    EXPECT_EQ(changes[0].originalValues,
              (std::vector<Variant>{Variant(1), Variant::Currency(12505000), Variant("a")}));
    EXPECT_EQ(changes[0].currentValues,
              (std::vector<Variant>{Variant(1), Variant::Null(), Variant("changed")}));
    EXPECT_EQ(changes[1].status, adRecNew);
    EXPECT_EQ(changes[1].currentValues,
              (std::vector<Variant>{Variant(4), Variant::Currency(0), Variant::Null()}));
    EXPECT_EQ(changes[2].status, adRecDeleted);
    EXPECT_EQ(changes[2].originalValues,
              (std::vector<Variant>{Variant(2), Variant::Currency(0), Variant("b")}));
    EXPECT_EQ(loaded->SaveXml(), xml);

    recordset->AcceptPendingChanges();
    const std::string accepted = recordset->SaveXml();
    EXPECT_THAT(accepted, HasSubstr("<rs:data>\r\n"
                                    "\t<z:row ID='1' Note='changed'/>\r\n"
                                    "\t<z:row ID='3' Amount='-35.25'/>\r\n"
                                    "\t<z:row ID='4' Amount='0'/>\r\n"
                                    "</rs:data>"));
}

// A fabricated recordset filled with AddNew and never accepted saves every row under rs:insert.
TEST(RecordsetXmlPendingChanges, FabricatedRowsAreAllInserts) {
    RecordsetPtr recordset = MakeRecordset({MakeField("ID", adInteger)}, {});
    for (int32_t id : {1, 2}) {
        recordset->AddNew();
        recordset->SetValue(0, Variant(id));
        recordset->Update();
    }
    EXPECT_THAT(recordset->SaveXml(), HasSubstr("<rs:data>\r\n"
                                                "\t<rs:insert>\r\n"
                                                "\t\t<z:row ID='1'/>\r\n"
                                                "\t\t<z:row ID='2'/>\r\n"
                                                "\t</rs:insert>\r\n"
                                                "</rs:data>"));
}

// Save writes only the rows the filter shows, in sort order, and leaves the first row current.
TEST(RecordsetXmlFilterAndSort, SavesVisibleRowsInSortOrder) {
    RecordsetPtr recordset =
        MakeRecordset({MakeField("ID", adInteger), MakeField("Name", adVarChar, 10)},
                      {{Variant(1), Variant("b")},
                       {Variant(2), Variant("x")},
                       {Variant(3), Variant("a")},
                       {Variant(4), Variant("B2")}});
    recordset->SetFilter("Name < 'c'");
    recordset->SetSort("Name DESC");
    recordset->MoveLast();
    EXPECT_THAT(recordset->SaveXml(), HasSubstr("<rs:data>\r\n"
                                                "\t<z:row ID='4' Name='B2'/>\r\n"
                                                "\t<z:row ID='1' Name='b'/>\r\n"
                                                "\t<z:row ID='3' Name='a'/>\r\n"
                                                "</rs:data>"));
    EXPECT_EQ(recordset->AbsolutePosition(), 1);
}

}  // namespace
}  // namespace hlreports::test

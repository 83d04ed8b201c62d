// LoadXml on malformed or inconsistent text: ComError 3001 from "Recordset.LoadXml" naming the
// line and the problem; tolerated variations of well-formed files; the fuzz corpus replayed.
#include <gtest/gtest.h>

#include "recordset/RecordsetTestData.h"
#include "recordset/RecordsetXmlLoader.h"

namespace hlreports::test {
namespace {

const std::string Head =
    "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"                // line 1
    "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"                  // line 2
    "\txmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>\n"  // line 3
    "<s:Schema id='RowsetSchema'>\n"                                            // line 4
    "\t<s:ElementType name='row' content='eltOnly'>\n";                         // line 5

// Line 6 onwards: one int field X (not nullable), one string field S.
const std::string Fields =
    "\t\t<s:AttributeType name='X' rs:number='1'><s:datatype dt:type='int' "
    "rs:maybenull='false'/>"
    "</s:AttributeType>\n"  // line 6
    "\t\t<s:AttributeType name='S' rs:number='2'><s:datatype "
    "dt:type='string'/></s:AttributeType>\n"         // line 7
    "\t</s:ElementType>\n</s:Schema>\n<rs:data>\n";  // 8-10

struct MalformedCase {
    const char* label;
    std::string text;
    const char* description;
};

class RecordsetLoadErrors : public ::testing::TestWithParam<MalformedCase> {};

// Each problem is reported as 3001 from Recordset.LoadXml with its line, text and column.
TEST_P(RecordsetLoadErrors, NamesLineAndProblem) {
    const MalformedCase& c = GetParam();
    const ComError error = ErrorFrom([&] { (void)Recordset::LoadXml(c.text); });
    EXPECT_EQ(error.Number(), 3001);
    EXPECT_EQ(error.Source(), "Recordset.LoadXml");
    EXPECT_EQ(error.Description(), c.description);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, RecordsetLoadErrors,
    ::testing::Values(
        MalformedCase{"Empty", "", "line 1: the document has no root element (column 1)"},
        MalformedCase{"NotXml", "hello", "line 1: the document has no root element (column 5)"},
        MalformedCase{"UnterminatedValue",
                      Head + Fields + "\t<z:row X='1' S='abc/>\n</rs:data>\n</xml>",
                      "line 11: unterminated attribute value (column 18)"},
        MalformedCase{"UnquotedValue", Head + Fields + "\t<z:row X=1/>\n</rs:data>\n</xml>",
                      "line 11: attribute value is not quoted (column 11)"},
        MalformedCase{"MismatchedEndTag",
                      Head + Fields + "\t<z:row X='1'></y:row>\n</rs:data>\n</xml>",
                      "line 11: end tag does not match its start tag (column 17)"},
        MalformedCase{"Truncated", Head + Fields + "\t<z:row X='1'/>\n",
                      "line 11: the document ends inside an element (column 16)"},
        MalformedCase{"BadInteger",
                      Head + Fields + "\t<z:row X='1'/>\n\t<z:row X='abc'/>\n</rs:data>\n</xml>",
                      "line 12: field 'X' value 'abc' is not a valid int (column 12)"},
        MalformedCase{"IntegerOverflow",
                      Head + Fields + "\t<z:row X='2147483648'/>\n</rs:data>\n</xml>",
                      "line 11: field 'X' value '2147483648' is not a valid int (column 12)"},
        MalformedCase{"RequiredMissing", Head + Fields + "\t<z:row S='x'/>\n</rs:data>\n</xml>",
                      "line 11: required field 'X' has no value (column 3)"},
        MalformedCase{"RepeatedAttribute",
                      Head + Fields + "\t<z:row X='1' X='2'/>\n</rs:data>\n</xml>",
                      "line 11: attribute 'X' appears twice in a row (column 18)"},
        MalformedCase{"NoSchema",
                      "<xml>\n<rs:data xmlns:rs='urn:schemas-microsoft-com:rowset'/>\n</xml>",
                      "line 1: the document has no s:Schema element (column 2)"},
        MalformedCase{"NoData", Head + Fields.substr(0, Fields.find("<rs:data>")) + "</xml>",
                      "line 1: the document has no rs:data element (column 2)"},
        MalformedCase{
            "NoElementType",
            "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'>\n<s:Schema/>\n</xml>",
            "line 2: the schema has no s:ElementType (column 2)"},
        MalformedCase{"UndeclaredReference",
                      Head + "\t\t<s:attribute type='Nope'/>\n" + Fields + "</rs:data>\n</xml>",
                      "line 6: s:attribute refers to the undeclared type 'Nope' (column 4)"},
        MalformedCase{
            "BadNumber",
            Head +
                "\t\t<s:AttributeType name='A' rs:number='x'/>\n\t</s:ElementType>\n</s:Schema>\n"
                "<rs:data/>\n</xml>",
            "line 6: field 'A' has an invalid rs:number 'x' (column 40)"},
        MalformedCase{
            "SharedNumber",
            Head +
                "\t\t<s:AttributeType name='A' rs:number='1'/>\n"
                "\t\t<s:AttributeType name='B' rs:number='1'/>\n\t</s:ElementType>\n</s:Schema>\n"
                "<rs:data/>\n</xml>",
            "line 7: fields 'A' and 'B' share rs:number 1 (column 4)"},
        MalformedCase{"DuplicateName",
                      Head + "\t\t<s:AttributeType name='A'/>\n\t\t<s:AttributeType name='A'/>\n"
                             "\t</s:ElementType>\n</s:Schema>\n<rs:data/>\n</xml>",
                      "line 7: two fields are named 'A' (column 4)"},
        MalformedCase{
            "UpdateWithoutOriginal",
            Head + Fields + "\t<rs:update>\n\t\t<z:row X='1'/>\n\t</rs:update>\n</rs:data>\n</xml>",
            "line 11: rs:update has no rs:original row (column 3)"},
        MalformedCase{
            "BadMaxLength",
            Head + "\t\t<s:AttributeType name='A'><s:datatype dt:type='string' dt:maxLength='-5'/>"
                   "</s:AttributeType>\n\t</s:ElementType>\n</s:Schema>\n<rs:data/>\n</xml>",
            "line 6: field 'A' has an invalid dt:maxLength '-5' (column 72)"},
        MalformedCase{
            "BadDate",
            Head + "\t\t<s:AttributeType name='D'><s:datatype dt:type='date'/></s:AttributeType>\n"
                   "\t</s:ElementType>\n</s:Schema>\n<rs:data>\n\t<z:row D='2001-02-30'/>\n"
                   "</rs:data>\n</xml>",
            "line 10: field 'D' value '2001-02-30' is not a valid date (column 12)"}),
    [](const ::testing::TestParamInfo<MalformedCase>& param) {
        return std::string(param.param.label);
    });

// Other prefixes, double quotes, the separate-declaration schema layout, dt:type on the field,
// whitespace and comments anywhere, a BOM, and unknown attributes all load.
TEST(RecordsetLoadVariants, ToleratesOtherSpellingsOfTheFormat) {
    const std::string text =
        "\xEF\xBB\xBF<root xmlns:a=\"uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882\"\n"
        "  xmlns:b=\"uuid:C2F41010-65B3-11d1-A29F-00AA00C14882\" "
        "xmlns:c=\"urn:schemas-microsoft-com:rowset\"\n"
        "  xmlns:r=\"#RowsetSchema\">\n"
        "<a:Schema id=\"RowsetSchema\"><!-- comment -->\n"
        "  <a:AttributeType name=\"N\" b:type=\"int\" c:number=\"2\" extra=\"ignored\"/>\n"
        "  <a:AttributeType name=\"c0\" c:name=\"First Name\" c:number=\"1\">\n"
        "     <a:datatype b:type=\"string\" b:maxLength=\"20\"/></a:AttributeType>\n"
        "  <a:ElementType name=\"row\" content=\"eltOnly\" c:updatable=\"true\">\n"
        "    <a:attribute type=\"N\"/>\n    <a:attribute type=\"c0\"/>\n  </a:ElementType>\n"
        "</a:Schema>\n"
        "<c:data>\n  <r:row\n     N=\"7\"\n\t c0=\"Ann\" unknown=\"x\"/>\n  <r:row "
        "c0=\"Bob\"/>\n</c:data></root>";
    RecordsetPtr recordset = Recordset::LoadXml(text);
    ASSERT_EQ(recordset->FieldCount(), 2);
    EXPECT_EQ(recordset->Field(0).name, "First Name");
    EXPECT_EQ(recordset->Field(0).definedSize, 20);
    EXPECT_EQ(recordset->Field(1).name, "N");
    EXPECT_EQ(recordset->Field(1).type, adInteger);
    EXPECT_EQ(AllRows(*recordset),
              (std::vector<std::vector<Variant>>{{Variant("Ann"), Variant(7)},
                                                 {Variant("Bob"), Variant::Null()}}));
    EXPECT_EQ(recordset->LockType(), adLockBatchOptimistic);
}

// A document larger than one read chunk reports a bad value deep inside with its own line, and
// loads every row when it has none.
TEST(RecordsetLoadVariants, LargeDocumentsKeepLineNumbers) {
    std::string rows;
    for (int i = 0; i < 40000; ++i) {
        rows +=
            "\t<z:row X='" + std::to_string(i) + "' S='padding text that makes the row longer'/>\n";
    }
    const std::string good = Head + Fields + rows + "</rs:data>\n</xml>";
    ASSERT_GT(good.size(), 2u << 20);
    EXPECT_EQ(Recordset::LoadXml(good)->RecordCount(), 40000);
    std::string bad = good;
    const std::string row = "<z:row X='35000'";
    bad.replace(bad.find(row), row.size(), "<z:row X='35k00'");
    const ComError error = ErrorFrom([&] { (void)Recordset::LoadXml(bad); });
    EXPECT_EQ(error.Description(),
              "line 35011: field 'X' value '35k00' is not a valid int (column 12)");
}

// Space for rows is reserved by the rows a text can really hold: a comment full of '<' beside
// many fields asks for no more than its two real rows need.
TEST(RecordsetLoadVariants, ReservationFollowsRealRows) {
    std::string fields;
    for (int i = 0; i < 200; ++i) {
        fields += "\t\t<s:AttributeType name='F" + std::to_string(i) +
                  "'><s:datatype dt:type='int'/></s:AttributeType>\n";
    }
    const std::string xml = Head + fields +
                            "\t\t<s:extends type='rs:rowbase'/>\n\t</s:ElementType>\n"
                            "</s:Schema>\n<rs:data>\n<!-- " +
                            std::string(3u << 20, '<') +
                            " -->\n<z:row F0='1'/><z:row F1='2'/>\n</rs:data>\n</xml>";
    const std::shared_ptr<RowStore> rows = rowset_xml::XmlLoader(xml).Load();
    EXPECT_EQ(rows->RowCount(), 2u);
    EXPECT_LT(rows->AllocatedBytes(), 1u << 20);
    // The estimate counts element starts only and stops where the value limit does.
    EXPECT_EQ(rowset_xml::EstimatedRows("<!-- <<< < -->\n<z:row/><_x/>", 3), 2u);
    EXPECT_EQ(rowset_xml::EstimatedRows(std::string(1000, '<') + "a", 0), 1u);
    EXPECT_EQ(rowset_xml::EstimatedRows("<a/><a/><a/><a/>", rowset_xml::MaxRowsetValues / 3), 3u);
}

// Another element named "data" before rs:data does not hide the rows.
TEST(RecordsetLoadVariants, ForeignDataElementFirst) {
    const std::string text = Head + Fields.substr(0, Fields.find("<rs:data>")) +
                             "<other:data xmlns:other='urn:other'><x/></other:data>\n<rs:data>\n"
                             "\t<z:row X='5'/>\n</rs:data>\n</xml>";
    EXPECT_EQ(AllRows(*Recordset::LoadXml(text)),
              (std::vector<std::vector<Variant>>{{Variant(5), Variant::Null()}}));
}

// Without rs:updatable the loaded recordset is read-only and refuses edits with 3251.
TEST(RecordsetLoadVariants, ReadOnlyRowsetRefusesEdits) {
    RecordsetPtr recordset =
        Recordset::LoadXml(Head + Fields + "\t<z:row X='1'/>\n</rs:data>\n</xml>");
    EXPECT_EQ(recordset->LockType(), adLockReadOnly);
    const ComError error = ErrorFrom([&] { recordset->SetValue("X", Variant(2)); });
    EXPECT_EQ(error.Number(), 3251);
    EXPECT_EQ(error.Source(), "Recordset.SetValue");
}

// Every file of the fuzz corpus either loads or raises ComError, never anything else; what
// loads saves (or the save refuses it) and what it saved always loads again.
TEST(RecordsetLoadCorpus, EveryCorpusFileLoadsOrRaisesComError) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder())) {
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        RecordsetPtr recordset;
        try {
            recordset = Recordset::LoadXml(ReadFile(entry.path()));
        } catch (const ComError& error) {
            EXPECT_FALSE(error.Description().empty());
            continue;
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
            continue;
        }
        std::string saved;
        try {
            saved = recordset->SaveXml();
        } catch (const ComError& error) {
            EXPECT_EQ(error.Source(), "Recordset.SaveXml");
            continue;
        }
        try {
            EXPECT_EQ(Recordset::LoadXml(saved)->RecordCount(), recordset->RecordCount());
        } catch (const ComError& error) {
            ADD_FAILURE() << "its own saved text does not load: " << error.Description();
        }
    }
    EXPECT_GT(files, 30);
}

}  // namespace
}  // namespace hlreports::test

// Renderers: the JSON contract on its key paths, the text layout with groups, counts and sums,
// HTML escaping, Null display, and the render errors.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "engine/EngineFixtures.h"
#include "engine/Render.h"

namespace hlreports::test {
namespace {

constexpr const char* ReturnedItems =
    R"(<report name="rptNSF" title="Returned Items" connection-name="HLData">
  <parameters>
    <parameter name="Property" type="11"/>
    <parameter name="StartDate" prompt="From" type="10"/>
    <parameter name="Units" type="11" range="true" multi="true"/>
    <parameter name="Batch ID" type="11" multi="true"/>
  </parameters>
  <formulas><formula name="qzDataFolder">""</formula></formulas>
  <tables><table name="NSF" location="sp_Rep_NSF"/></tables>
  <page-header>
    <parameter name="Property"/>
    <parameter name="StartDate"/>
    <parameter name="Units" label="Units"/>
    <formula name="qzDataFolder" label="Data"/>
    <report-date/>
  </page-header>
  <detail>
    <column field="Unit" width="4"/>
    <column field="Resident" width="8"/>
    <column field="Amount" format="currency" width="9"/>
  </detail>
  <group field="Unit">
    <footer count="true"><sum field="Amount"/></footer>
  </group>
  <report-footer count="true">
    <sum field="Amount"/>
    <subreport name="Reasons" title="By Reason">
      <tables><table name="R"/></tables>
      <detail><column field="Reason" width="6"/><column field="Times" width="5"/></detail>
    </subreport>
  </report-footer>
</report>)";

const std::vector<TestField> NsfFields = {
    {"Unit"}, {"Resident"}, {"Amount", "currency"}, {"Returned", "dateTime"}};

class Rendering : public ::testing::Test {
  protected:
    TempDir folder_;
    std::shared_ptr<CoreReport> report_ = LoadReport(folder_, ReturnedItems);

    // Rows arrive out of unit order: the report groups them anyway.
    void Fill() {
        report_->ParameterByName("Property")->SetCurrentValue(Variant("P1 - Sunset"));
        report_->ParameterByName("StartDate")->SetCurrentValue(Variant(Date::FromYmd(2024, 1, 1)));
        const auto units = report_->ParameterByName("Units");
        units->AddCurrentRange(Variant("101"), Variant("105"));
        units->AddCurrentValue(Variant("110"));
        units->ApplyValues();
        report_->ParameterByName("Batch ID")->AddCurrentValue(Variant("B9"));
        report_->FormulaField("qzDataFolder")->SetText("\"D:\\Data\"");
        report_->SetReportDate(Date::FromYmd(2024, 1, 31));
        report_->Database()->Tables()[0]->SetDataSource(
            RowsXml(NsfFields, {{"102", "Cy", "10", "2024-01-09T14:30:00"},
                                {"101", "Ann", "35.5", "2024-01-05T00:00:00"},
                                {"102", "Dee", std::nullopt, std::nullopt},
                                {"101", "Bob", "1200", "2024-01-07T00:00:00"}}));
        report_->OpenSubreport("Reasons")->Database()->Tables()[0]->SetDataSource(
            RowsXml({{"Reason"}, {"Times", "int"}}, {{"NSF", "3"}, {"Closed", "1"}}));
    }
};

// The text output: header values, headings, groups in unit order with counts and sums, Null as an
// empty cell, the report footer, then the sub-report.
TEST_F(Rendering, TextLayoutWithGroupsCountsAndSums) {
    Fill();
    const std::string expected =
        "Returned Items\n"
        "==============\n"
        "Property: P1 - Sunset\n"
        "From: 1/1/2024\n"
        "Units: 101 to 105, 110\n"
        "Data: D:\\Data\n"
        "Report date: 1/31/2024\n"
        "\n"
        "Unit  Resident     Amount\n"
        "----  --------  ---------\n"
        "Unit: 101\n"
        "101   Ann          $35.50\n"
        "101   Bob       $1,200.00\n"
        "Total Unit 101: Count 2; Amount $1,235.50\n"
        "Unit: 102\n"
        "102   Cy           $10.00\n"
        "102   Dee\n"
        "Total Unit 102: Count 2; Amount $10.00\n"
        "\n"
        "Grand total: Count 4; Amount $1,245.50\n"
        "\n"
        "By Reason\n"
        "---------\n"
        "\n"
        "Reason  Times\n"
        "------  -----\n"
        "NSF         3\n"
        "Closed      1\n";
    EXPECT_EQ(RenderText(*report_), expected);
}

std::vector<std::string> GroupHeaders(const std::string& text) {
    std::vector<std::string> headers;
    std::size_t at = 0;
    while ((at = text.find("\nUnit: ", at)) != std::string::npos) {
        at += 7;
        headers.push_back(text.substr(at, text.find('\n', at) - at));
    }
    return headers;
}

// Group order: ascending and descending sort the rows by the group field, as-read keeps them.
TEST(RenderingOrder, GroupOrders) {
    struct Case {
        const char* order;
        std::vector<std::string> headers;
    };
    const Case cases[] = {
        {"ascending", {"a", "B", "b"}},
        {"descending", {"b", "B", "a"}},
        {"as-read", {"b", "a", "b", "B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        TempDir folder;
        const auto report =
            LoadReport(folder, std::string("<report><tables><table name='T'/></tables>"
                                           "<group field='Unit' order='") +
                                   c.order + "'/></report>");
        report->Database()->Tables()[0]->SetDataSource(
            RowsXml({{"Unit"}}, {{"b"}, {"a"}, {"b"}, {"B"}}));
        EXPECT_EQ(GroupHeaders(RenderText(*report)), c.headers);
    }
}

// A table that received no data, or no rows, prints "No data." and zero totals.
TEST_F(Rendering, NoDataPrintsZeroTotals) {
    const std::string text = RenderText(*report_);
    EXPECT_NE(text.find("----  --------  ---------\nNo data.\n"), std::string::npos);
    EXPECT_NE(text.find("Grand total: Count 0; Amount $0.00\n"), std::string::npos);
    report_->Database()->Tables()[0]->SetDataSource(RowsXml(NsfFields, {}));
    EXPECT_NE(RenderText(*report_).find("No data.\n"), std::string::npos);
    EXPECT_NE(
        RenderHtml(*report_).find("<tr class=\"no-data\"><td colspan=\"3\">No data.</td></tr>"),
        std::string::npos);
}

// Render errors name the report, table and field: a field the rows lack, a sum over text.
TEST(RenderingErrors, FieldsAndSumsAreChecked) {
    struct Case {
        const char* what;
        const char* layout;
        const char* description;
    };
    const Case cases[] = {
        {"unknown column field", "<detail><column field='Amt'/></detail>",
         "Report r: table T has no field Amt"},
        {"unknown group field", "<group field='Unitt'/>", "Report r: table T has no field Unitt"},
        {"sum over text", "<report-footer><sum field='Unit'/></report-footer>",
         "Report r: cannot sum field Unit of table T: the value 'abc' is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir folder;
        const auto report =
            LoadReport(folder, std::string("<report name='r'><tables><table name='T'/></tables>") +
                                   c.layout + "</report>");
        report->Database()->Tables()[0]->SetDataSource(
            RowsXml({{"Unit"}, {"Amount", "float"}}, {{"abc", "1"}}));
        using StringRender = std::string (*)(const CoreReport&);
        for (const StringRender render : {StringRender{&RenderText}, StringRender{&RenderHtml}}) {
            const ComError error = CaughtComError([&] { render(*report); });
            EXPECT_EQ(error.Number(), 20514);
            EXPECT_EQ(error.Source(), "CoreReport.Render");
            EXPECT_EQ(error.Description(), c.description);
        }
        EXPECT_NO_THROW(RenderJson(*report));
    }
}

// HTML escapes every text from the report and its rows; Null is an empty cell.
TEST(RenderingHtml, EscapesEverything) {
    TempDir folder;
    const auto report =
        LoadReport(folder,
                   "<report title='R&amp;D &lt;Report&gt;'><tables><table name='T'/></tables>"
                   "<page-header><text>\"quoted\" &amp; 'single'</text></page-header>"
                   "<detail><column field='Note' heading='Note &lt;b&gt;'/><column field='N' "
                   "heading='N' format='number'/></detail></report>");
    report->Database()->Tables()[0]->SetDataSource(
        RowsXml({{"Note"}, {"N", "float"}}, {{"<script>alert('x')</script>", std::nullopt}}));
    const std::string html = RenderHtml(*report);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("<title>R&amp;D &lt;Report&gt;</title>"), std::string::npos);
    EXPECT_NE(html.find("<h1>R&amp;D &lt;Report&gt;</h1>"), std::string::npos);
    EXPECT_NE(html.find("&quot;quoted&quot; &amp; &#39;single&#39;"), std::string::npos);
    EXPECT_NE(html.find("<th>Note &lt;b&gt;</th><th class=\"number\">N</th>"), std::string::npos);
    EXPECT_NE(html.find("<tr><td>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;</td><td "
                        "class=\"number\"></td></tr>"),
              std::string::npos);
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
    EXPECT_TRUE(html.ends_with("</html>\n"));
}

// HTML carries the same groups and totals as the text output, sub-report in its own section.
TEST_F(Rendering, HtmlGroupsTotalsAndSubreport) {
    Fill();
    const std::string html = RenderHtml(*report_);
    const std::size_t header =
        html.find("<tr class=\"group-header level-1\"><td colspan=\"3\">Unit: 101</td></tr>");
    const std::size_t footer = html.find(
        "<tr class=\"group-footer level-1\"><td colspan=\"3\">Total Unit 101: Count 2; Amount "
        "$1,235.50</td></tr>");
    const std::size_t total =
        html.find("<p class=\"report-footer\">Grand total: Count 4; Amount $1,245.50</p>");
    const std::size_t subreport = html.find("<section class=\"subreport\">\n<h2>By Reason</h2>");
    EXPECT_NE(header, std::string::npos);
    EXPECT_LT(header, footer);
    EXPECT_LT(footer, total);
    EXPECT_LT(total, subreport);
    EXPECT_NE(subreport, std::string::npos);
    EXPECT_NE(html.find("<tr><td>102</td><td>Dee</td><td class=\"number\"></td></tr>"),
              std::string::npos);
}

// JSON carries the complete state on the documented key paths, values typed, no password.
TEST_F(Rendering, JsonKeyPaths) {
    Fill();
    report_->Database()->Tables()[0]->SetLogOnInfo("srv", "hl", "sa", "table-secret");
    report_->LogOnDataSources("HLReportDSN0A0B0C", "", "qz", "logon-secret", {"HLData"},
                              {"HLReportDSN0A0B0C"}, 0, -1, 5, -1, -1);
    const std::string text = RenderJson(*report_);
    EXPECT_EQ(text.find("secret"), std::string::npos);
    const nlohmann::json j = nlohmann::json::parse(text);
    EXPECT_EQ(j["name"], "rptNSF");
    EXPECT_EQ(j["title"], "Returned Items");
    EXPECT_EQ(j["path"], report_->Path());
    EXPECT_EQ(j["report_date"], "2024-01-31");
    EXPECT_EQ(j["parameters"][0]["parameter_name"], "{?Property}");
    EXPECT_EQ(j["parameters"][0]["current_values"],
              nlohmann::json::parse(R"([{"value":"P1 - Sunset"}])"));
    EXPECT_EQ(j["parameters"][1]["current_values"][0]["value"], "2024-01-01");
    EXPECT_EQ(j["parameters"][1]["value_type"], 10);
    EXPECT_EQ(j["parameters"][2]["current_values"],
              nlohmann::json::parse(R"([{"start":"101","end":"105"},{"value":"110"}])"));
    EXPECT_EQ(j["parameters"][2]["values_applied"], true);
    EXPECT_EQ(j["parameters"][3]["pending_values"], nlohmann::json::parse(R"([{"value":"B9"}])"));
    EXPECT_EQ(j["parameters"][3]["values_applied"], false);
    EXPECT_EQ(j["formulas"][0]["text"], "\"D:\\Data\"");
    const auto& table = j["tables"][0];
    EXPECT_EQ(table["log_on"],
              nlohmann::json::parse(
                  R"({"server":"srv","database":"hl","user":"sa","password_set":true})"));
    EXPECT_EQ(table["has_data"], true);
    EXPECT_EQ(table["row_count"], 4);
    EXPECT_EQ(table["fields"][2]["name"], "Amount");
    EXPECT_EQ(table["fields"][2]["type"], 6);
    EXPECT_EQ(table["rows"][0], nlohmann::json::parse(R"(["102","Cy",10,"2024-01-09T14:30:00"])"));
    EXPECT_EQ(table["rows"][1][2], 35.5);
    EXPECT_EQ(table["rows"][1][3], "2024-01-05");
    EXPECT_TRUE(table["rows"][2][2].is_null());
    EXPECT_TRUE(table["rows"][2][3].is_null());
    EXPECT_EQ(j["log_ons"][0],
              nlohmann::json::parse(R"({"dsn":"HLReportDSN0A0B0C","user":"qz","password_set":true,
        "names":["HLData"],"dsns":["HLReportDSN0A0B0C"]})"));
    EXPECT_EQ(j["layout"]["body_table"], "NSF");
    EXPECT_EQ(j["layout"]["columns"][2]["format"], "currency");
    EXPECT_TRUE(j["layout"]["columns"][0]["format"].is_null());
    EXPECT_EQ(j["layout"]["groups"][0]["footer"]["sums"][0]["label"], "Amount");
    EXPECT_EQ(j["layout"]["report_footer"]["label"], "Grand total");
    EXPECT_EQ(j["sections"][4]["objects"][2],
              nlohmann::json::parse(R"({"kind":5,"name":"Reasons"})"));
    const auto& subreport = j["subreports"][0];
    EXPECT_EQ(subreport["name"], "Reasons");
    EXPECT_EQ(subreport["tables"][0]["rows"], nlohmann::json::parse(R"([["NSF",3],["Closed",1]])"));
    EXPECT_EQ(subreport["subreports"], nlohmann::json::array());
}

// JSON of a report that got nothing yet: no data, null report date, no log-ons.
TEST_F(Rendering, JsonBeforeAnyData) {
    const nlohmann::json j = nlohmann::json::parse(RenderJson(*report_));
    EXPECT_TRUE(j["report_date"].is_null());
    EXPECT_EQ(j["tables"][0]["has_data"], false);
    EXPECT_EQ(j["tables"][0]["rows"], nlohmann::json::array());
    EXPECT_EQ(j["tables"][0]["log_on"]["password_set"], false);
    EXPECT_EQ(j["log_ons"], nlohmann::json::array());
    EXPECT_EQ(j["parameters"][0]["current_values"], nlohmann::json::array());
}

// Rendering does not move the cursor of the recordset the component handed over.
TEST_F(Rendering, RenderingLeavesTheCursorAlone) {
    Fill();
    const RecordsetPtr rows = report_->Database()->Tables()[0]->Rows();
    rows->MoveLast();
    RenderText(*report_);
    RenderJson(*report_);
    RenderHtml(*report_);
    EXPECT_EQ(rows->Value("Resident"), Variant("Bob"));
}

// Output far larger than the pieces it is streamed in comes out whole: every row once, in order,
// text lines without trailing blanks however a piece ends, JSON that parses.
TEST(RenderingLargeOutput, EveryRowAcrossPieces) {
    TempDir folder;
    const auto report = LoadReport(
        folder,
        "<report name='r'><tables><table name='T'/></tables><detail><column field='Unit' "
        "width='6'/><column field='Note' width='40'/></detail></report>");
    constexpr int Rows = 5000;
    std::vector<TestRow> rows;
    for (int i = 0; i < Rows; ++i) {
        rows.push_back(
            {std::to_string(i), i % 3 == 0 ? std::nullopt : std::optional<std::string>("note")});
    }
    report->Database()->Tables()[0]->SetDataSource(RowsXml({{"Unit"}, {"Note"}}, rows));

    const std::string text = RenderText(*report);
    std::istringstream lines(text);
    std::string line;
    int expected = 0;
    while (std::getline(lines, line)) {
        EXPECT_FALSE(line.ends_with(' ')) << line;
        std::string firstWord;
        std::istringstream(line) >> firstWord;
        if (firstWord == std::to_string(expected)) {
            ++expected;
        }
    }
    EXPECT_EQ(expected, Rows);

    const nlohmann::json json = nlohmann::json::parse(RenderJson(*report));
    ASSERT_EQ(json["tables"][0]["rows"].size(), static_cast<std::size_t>(Rows));
    EXPECT_EQ(json["tables"][0]["rows"][Rows - 1][0], std::to_string(Rows - 1));

    const std::string html = RenderHtml(*report);
    std::size_t rowsInHtml = 0;
    for (std::size_t at = html.find("<tr><td>"); at != std::string::npos;
         at = html.find("<tr><td>", at + 1)) {
        ++rowsInHtml;
    }
    EXPECT_EQ(rowsInHtml, static_cast<std::size_t>(Rows));
    EXPECT_TRUE(html.ends_with("</html>\n"));
}

// A caller's members close the JSON's top object, after the report's own.
TEST_F(Rendering, JsonWithCallersMembers) {
    std::ostringstream stream;
    RenderJson(*report_, stream, {{"request", R"({"destination":1})"}, {"empty", "{}"}});
    const nlohmann::json j = nlohmann::json::parse(stream.str());
    EXPECT_EQ(j["request"]["destination"], 1);
    EXPECT_EQ(j["empty"], nlohmann::json::object());
    EXPECT_EQ(j["name"], "rptNSF");
    EXPECT_TRUE(stream.str().ends_with(",\"request\":{\"destination\":1},\"empty\":{}}\n"));
}

}  // namespace
}  // namespace hlreports::test

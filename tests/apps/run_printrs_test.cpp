// hlreports printrs: the caller's rows and parameters reach the report; exit codes and the error
// stream's exact lines.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>

#include "apps/HostFixture.h"
#include "hlreports/HostCommand.h"
#include "hlreports/ReportOutput.h"
#include "recordset/Recordset.h"

namespace hlreports::test {
namespace {

using host::PrintRsRequest;
using host::RunPrintRs;

// Two charge types as recordset XML, in the columns of the charge type list.
std::string ChargeTypeRows() {
    Recordset rows;
    const std::pair<const char*, int32_t> columns[] = {
        {"Charge_Type", adVarChar},    {"Charge_Description", adVarChar},
        {"Charge_Class", adVarChar},   {"GL_Account", adVarChar},
        {"GL_Title", adVarChar},       {"Recurring", adBoolean},
        {"Default_Amount", adCurrency}};
    for (const auto& [name, type] : columns) {
        FieldInfo field;
        field.name = name;
        field.type = type;
        field.definedSize = type == adVarChar ? 30 : 8;
        rows.AppendField(field);
    }
    rows.Open();
    rows.AppendRow({Variant("RNT"), Variant("Zebra rent"), Variant("Rent"), Variant("4000"),
                    Variant("Rental Income"), Variant(true), Variant::Currency(9'500'000)});
    rows.AppendRow({Variant("PET"), Variant("Quokka fee"), Variant("Fee"), Variant("4100"),
                    Variant::Null(), Variant(false), Variant::Null()});
    rows.FinishLoading();
    return rows.SaveXml();
}

class HostPrintRsTest : public HostTest {
  protected:
    PrintRsRequest ChargeTypeList() const {
        PrintRsRequest request;
        request.description = "Charge Type List";
        request.dataFile = files.WriteFile("rows.xml", ChargeTypeRows()).string();
        return request;
    }
};

// The given rows and the parameter by position are what the prepared report shows; the JSON
// form's request records no outcome, as PrintRS returns none.
TEST_F(HostPrintRsTest, PrintsTheGivenRowsAndParameters) {
    PrintRsRequest request = ChargeTypeList();
    request.parameters = {"Walrus Court"};
    request.outFile = (files / "report.txt").string();
    std::ostringstream errors;
    ASSERT_EQ(RunPrintRs(request, errors), host::ExitReport) << errors.str();
    EXPECT_EQ(errors.str(), "");
    const std::string text = FileText(*request.outFile);
    for (const char* shown : {"Zebra rent", "Quokka fee", "Walrus Court"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    }

    request.outFile = (files / "report.json").string();
    ASSERT_EQ(RunPrintRs(request, errors), host::ExitReport);
    EXPECT_EQ(nlohmann::json::parse(FileText(*request.outFile))["request"],
              nlohmann::json::object());
}

// Failures: component errors are exit 1 with their exact line, a missing data file is usage.
TEST_F(HostPrintRsTest, ErrorsAndWrongUsage) {
    using Expected = std::function<std::string(const PrintRsRequest&)>;
    const auto fixed = [](std::string line) -> Expected {
        return [line](const PrintRsRequest&) { return line; };
    };
    const struct {
        const char* name;
        std::function<void(PrintRsRequest&)> change;
        int exitCode;
        Expected expected;
    } cases[] = {
        {"unknown report", [](PrintRsRequest& r) { r.description = "No Such Report"; },
         host::ExitError,
         fixed("error 2943 (PrintRS): The report requested does not exist in the report "
               "table.\n")},
        {"more parameters than the report has",
         [](PrintRsRequest& r) {
             r.parameters = {"one", "two"};
         },
         host::ExitError,
         fixed("error 2943 (PrintRS): Subscript out of range: the report has 1 parameters and "
               "the values have more rows\n")},
        {"missing data file", [](PrintRsRequest& r) { r.dataFile += ".missing"; }, host::ExitUsage,
         [](const PrintRsRequest& r) {
             return "hlreports: --data " + r.dataFile + ": cannot read the file\n";
         }},
        {"pdf", [](PrintRsRequest& r) { r.outFile = r.dataFile + ".pdf"; }, host::ExitUsage,
         [](const PrintRsRequest& r) {
             return "hlreports: --out " + *r.outFile +
                    ": PDF output needs the Qt front-end, which this build does not have; use "
                    ".json, .txt or .html\n";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (host::HasPdfOutput() && std::string_view(c.name) == "pdf") {
            continue;  // this build writes PDF
        }
        PrintRsRequest request = ChargeTypeList();
        c.change(request);
        std::ostringstream errors;
        EXPECT_EQ(RunPrintRs(request, errors), c.exitCode);
        EXPECT_EQ(errors.str(), c.expected(request));
    }
}

// Rows that are not recordset XML are an error of the loader, exit 1, on one line.
TEST_F(HostPrintRsTest, MalformedRowsAreAnError) {
    PrintRsRequest request = ChargeTypeList();
    request.dataFile = files.WriteFile("broken.xml", "<xml><rs:data>").string();
    std::ostringstream errors;
    EXPECT_EQ(RunPrintRs(request, errors), host::ExitError);
    EXPECT_TRUE(errors.str().starts_with("error 3001 (")) << errors.str();
    EXPECT_EQ(errors.str().find('\n'), errors.str().size() - 1) << errors.str();
}

}  // namespace
}  // namespace hlreports::test

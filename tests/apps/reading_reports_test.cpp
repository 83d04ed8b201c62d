// Demo tests: the journals, the applicant ledger and the custom report read their own rows from
// the demo database, so the prepared report carries data rows, and text and HTML print them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "apps/HostFixture.h"
#include "hlreports/HostCommand.h"

namespace hlreports::test {
namespace {

using host::PrintRequest;
using host::RunPrint;

// Each report prints the rows its criteria select, with the text of one of them.
TEST_F(HostTest, ReportsThatReadTheirOwnRowsPrintThem) {
    const struct Case {
        const char* description;
        const char* criteria;  // nullptr: none
        int rows;
        const char* seen;  // a text of the rows that the text output shows
    } cases[] = {
        {"Posting Journal", R"(["O261205C,O261204C", "Post", "GL", "CM", "AP", "", 0, ""])", 12,
         "Payment"},
        {"Refund Deposits Journal", R"(["O261208F,O261210F", "AP", "", "12/10/2026", "amartin"])",
         3, "5098"},
        {"Send Invoices Journal", R"(["O2612V", "AP", ""])", 1, "INV-4694"},
        {"Import Payments Journal", R"([["a", "b", "c"], ["O261103I", "O261203I", "0"]])", 31,
         "O261203I"},
        {"Import Charges Journal", R"([["a", "b"], [7257, "0"]])", 3, "O261003M"},
        {"Applicant Ledger", R"(["GCO00439"])", 2, "Application fee"},
        {"Occupancy Custom", nullptr, -1, "Move Out"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.description);
        for (const char* extension : {"json", "txt", "html"}) {
            PrintRequest request;
            request.description = row.description;
            if (row.criteria != nullptr) {
                request.criteriaJson = row.criteria;
            }
            request.outFile = (files / (std::string("report.") + extension)).string();
            std::ostringstream errors;
            ASSERT_EQ(RunPrint(request, errors), host::ExitReport) << errors.str();
            const std::string text = FileText(*request.outFile);
            if (std::string(extension) == "json") {
                const auto document = nlohmann::json::parse(text);
                const auto& table = document["tables"][0];
                EXPECT_TRUE(table["has_data"].get<bool>());
                if (row.rows >= 0) {
                    EXPECT_EQ(table["row_count"].get<int>(), row.rows);
                } else {
                    EXPECT_GT(table["row_count"].get<int>(), 0);
                }
            } else {
                EXPECT_NE(text.find(row.seen), std::string::npos) << text;
                EXPECT_EQ(text.find("No data."), std::string::npos) << text;
            }
        }
    }
}

// A journal's batch list that names no batch prints the journal with no rows, not an error.
TEST_F(HostTest, JournalOfUnknownBatchesHasNoRows) {
    PrintRequest request;
    request.description = "Posting Journal";
    request.criteriaJson = R"(["NOBATCH", "Post", "", "", "", "", 0, ""])";
    request.outFile = (files / "report.json").string();
    std::ostringstream errors;
    ASSERT_EQ(RunPrint(request, errors), host::ExitReport) << errors.str();
    const auto document = nlohmann::json::parse(FileText(*request.outFile));
    EXPECT_EQ(document["tables"][0]["row_count"].get<int>(), 0);
}

}  // namespace
}  // namespace hlreports::test

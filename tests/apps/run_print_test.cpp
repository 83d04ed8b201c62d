// hlreports print: exit codes, the error stream's exact lines and the files --out writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "apps/HostFixture.h"
#include "hlreports/HostCommand.h"
#include "hlreports/ReportOutput.h"

namespace hlreports::test {
namespace {

using host::PrintRequest;
using host::RunPrint;

// A report of the demo database that opens no dialog.
PrintRequest ChargeTypeList() {
    PrintRequest request;
    request.description = "Charge Type List";
    return request;
}

// Each extension gives its form; the JSON form also carries the request's outcome.
TEST_F(HostTest, PrintWritesTheFormItsExtensionPicks) {
    const struct {
        const char* fileName;
        const char* destination;
        std::function<void(const std::string&)> check;
    } cases[] = {
        {"report.json", "window",
         [](const std::string& text) {
             const nlohmann::json document = nlohmann::json::parse(text);
             EXPECT_EQ(document["request"],
                       nlohmann::json::parse(R"({"destination": 0, "bParamsWindow": false})"));
         }},
        {"printer.JSON", "printer",
         [](const std::string& text) {
             const nlohmann::json document = nlohmann::json::parse(text);
             EXPECT_EQ(document["request"],
                       nlohmann::json::parse(R"({"destination": 1, "bParamsWindow": false})"));
         }},
        {"report.txt", "window",
         [](const std::string& text) {
             EXPECT_NE(text.find("Oak Terrace Apartments"), std::string::npos) << text;
             EXPECT_EQ(text.find('<'), std::string::npos);
         }},
        {"report.html", "window",
         [](const std::string& text) {
             EXPECT_NE(text.find("<html"), std::string::npos);
             EXPECT_NE(text.find("Oak Terrace Apartments"), std::string::npos);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        PrintRequest request = ChargeTypeList();
        request.destination = c.destination;
        request.outFile = (files / c.fileName).string();
        std::ostringstream errors;
        EXPECT_EQ(RunPrint(request, errors), host::ExitReport);
        EXPECT_EQ(errors.str(), "");
        c.check(FileText(*request.outFile));
        EXPECT_FALSE(std::filesystem::exists(*request.outFile + ".partial"));
    }
}

// The report is written through a fresh temporary that follows no link: a link planted at a
// predictable name, or at the target itself, never leads the write to another file.
TEST_F(HostTest, PrintFollowsNoPlantedLink) {
    const std::filesystem::path victim = files / "victim.txt";
    { std::ofstream(victim) << "keep me"; }
    const std::filesystem::path out = files / "report.txt";
    std::filesystem::create_symlink(victim, out.string() + ".partial");
    PrintRequest request = ChargeTypeList();
    request.outFile = out.string();
    std::ostringstream errors;
    EXPECT_EQ(RunPrint(request, errors), host::ExitReport) << errors.str();
    EXPECT_EQ(FileText(victim), "keep me");
    EXPECT_NE(FileText(out).find("Oak Terrace Apartments"), std::string::npos);

    const std::filesystem::path linked = files / "linked.txt";
    std::filesystem::create_symlink(victim, linked);
    request.outFile = linked.string();
    EXPECT_EQ(RunPrint(request, errors), host::ExitReport) << errors.str();
    EXPECT_EQ(FileText(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(linked));
    // Nothing but the reports, the victim and the planted link is left in the folder.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(files.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 4u);
}

// When the database cannot be opened the classic 2905 line stays as it is, and a second line
// gives the real cause, with no password in it.
TEST_F(HostTest, EarlyFailureNamesItsCause) {
    const std::string notADatabase = files.WriteFile("plain.txt", "not a database").string();
    const std::string lookup = "error 3002 (GetSetupInfo): ";
    const struct {
        std::string connection;
        std::string cause;  // the start of the cause line
    } cases[] = {
        {"Server=(embedded);Database=" + (files / "absent.db").string(),
         lookup + "the database file '" + (files / "absent.db").string() +
             "' does not exist SP:sp_GetSetupInfo"},
        {"Server=(embedded);Database=" + notADatabase,
         lookup + "cannot open the database file '" + notADatabase +
             "': file is not a database SP:sp_GetSetupInfo"},
        {"Server=elsewhere;Database=x;Uid=kim;Pwd=secret", lookup},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connection);
        PrintRequest request = ChargeTypeList();
        request.connection = c.connection;
        request.dataFolder = files.Path().string();
        request.outFile = (files / "report.json").string();
        std::ostringstream stream;
        EXPECT_EQ(RunPrint(request, stream), host::ExitError);
        const std::string errors = stream.str();
        EXPECT_TRUE(errors.starts_with(
            "error 2905 (LoadCrystal): Unable to open the file .  The file may be missing or the "
            "path may be incorrect.\n  cause: " +
            c.cause))
            << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 2);
        EXPECT_EQ(errors.find("secret"), std::string::npos);
    }
}

// Without --out the report is prepared, and one line says so and how to write it.
TEST_F(HostTest, PrintWithoutOutSaysWhatWasPrepared) {
    std::ostringstream errors;
    EXPECT_EQ(RunPrint(ChargeTypeList(), errors), host::ExitReport);
    EXPECT_TRUE(errors.str().starts_with("hlreports: report \"")) << errors.str();
    EXPECT_TRUE(errors.str().ends_with(" rows); give --out FILE to write it\n")) << errors.str();
}

// An error of the component is exit 1 with one "error NUMBER (SOURCE): DESCRIPTION" line.
TEST_F(HostTest, PrintErrorsAreOneLineAndExitOne) {
    const struct {
        std::function<void(PrintRequest&)> change;
        std::string expected;
    } cases[] = {
        {[](PrintRequest& request) { request.description = "No Such Report"; },
         "error 2905 (LoadCrystal): Report data source not found\n"},
        {[](PrintRequest& request) { request.description = "charge type list"; },
         "error 2905 (LoadCrystal): Report data source not found\n"},
        {[&](PrintRequest& request) { request.answersFile = (files / "absent.json").string(); },
         "error 20602 (ScriptedUi): answer file '" + (files / "absent.json").string() +
             "' cannot be read: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        PrintRequest request = ChargeTypeList();
        c.change(request);
        SCOPED_TRACE(request.description);
        request.outFile = (files / "report.json").string();
        std::ostringstream errors;
        EXPECT_EQ(RunPrint(request, errors), host::ExitError);
        EXPECT_EQ(errors.str(), c.expected);
        EXPECT_FALSE(std::filesystem::exists(*request.outFile));
    }
}

// A file that cannot be written is an error (exit 1), and no part of it is left behind.
TEST_F(HostTest, PrintIntoAMissingFolderIsAnError) {
    PrintRequest request = ChargeTypeList();
    request.outFile = (files / "missing" / "report.html").string();
    std::ostringstream errors;
    EXPECT_EQ(RunPrint(request, errors), host::ExitError);
    EXPECT_EQ(errors.str(), "error: cannot write " + *request.outFile + "\n");
    EXPECT_FALSE(std::filesystem::exists(files / "missing"));
}

// Wrong usage is exit 2 with a line naming the option, found before any report runs, and
// nothing is written.
TEST_F(HostTest, PrintRefusesWrongUsage) {
    const std::string out = (files / "report").string();
    const std::string uses =
        host::HasPdfOutput() ? ".json, .txt, .html or .pdf\n" : ".json, .txt or .html\n";
    const struct {
        const char* name;
        std::function<void(PrintRequest&)> change;
        std::string expectedStart;  // the whole line unless it ends with "..."
    } cases[] = {
        {"destination", [](PrintRequest& r) { r.destination = "screen"; },
         "hlreports: --destination must be window or printer, not screen\n"},
        {"destination case", [](PrintRequest& r) { r.destination = "Window"; },
         "hlreports: --destination must be window or printer, not Window\n"},
        {"period end", [](PrintRequest& r) { r.periodEnd = "13/45/2026"; },
         "hlreports: --period-end 13/45/2026 is not a date (write month/day/year or YYYY-MM-DD)\n"},
        {"day past the month's end", [](PrintRequest& r) { r.periodEnd = "02/30/2026"; },
         "hlreports: --period-end 02/30/2026 is not a date (write month/day/year or YYYY-MM-DD)\n"},
        {"fiscal end", [](PrintRequest& r) { r.fiscalEnd = "soon"; },
         "hlreports: --fiscal-end soon is not a date (write month/day/year or YYYY-MM-DD)\n"},
        {"criteria not JSON", [](PrintRequest& r) { r.criteriaJson = "[1,"; },
         "hlreports: --criteria is not JSON: ..."},
        {"criteria object", [](PrintRequest& r) { r.criteriaJson = R"({"a": 1})"; },
         "hlreports: --criteria: an element must be a text, a number, true/false or null\n"},
        {"criteria ragged", [](PrintRequest& r) { r.criteriaJson = "[[1], 2]"; },
         "hlreports: --criteria: every row of a two-dimensional value must be an array\n"},
        {"out extension", [&](PrintRequest& r) { r.outFile = out + ".xml"; },
         "hlreports: --out " + out + ".xml: unknown extension; use " + uses},
        {"out pdf", [&](PrintRequest& r) { r.outFile = out + ".pdf"; },
         "hlreports: --out " + out +
             ".pdf: PDF output needs the Qt front-end, which this build does not have; use "
             ".json, .txt or .html\n"},
        {"out pdf for a report without rows",
         [&](PrintRequest& r) {
             r.description = "Wait List";
             r.propertyId = "NONE";
             r.outFile = out + ".pdf";
         },
         "hlreports: --out " + out +
             ".pdf: PDF output needs the Qt front-end, which this build does not have; use "
             ".json, .txt or .html\n"},
        {"out without extension", [&](PrintRequest& r) { r.outFile = out; },
         "hlreports: --out " + out + ": unknown extension; use " + uses},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (host::HasPdfOutput() && std::string_view(c.name).starts_with("out pdf")) {
            continue;  // this build writes PDF
        }
        PrintRequest request = ChargeTypeList();
        request.outFile = out + ".json";
        c.change(request);
        std::ostringstream errors;
        EXPECT_EQ(RunPrint(request, errors), host::ExitUsage);
        if (c.expectedStart.ends_with("...")) {
            const std::string start = c.expectedStart.substr(0, c.expectedStart.size() - 3);
            EXPECT_TRUE(errors.str().starts_with(start)) << errors.str();
            EXPECT_EQ(errors.str().find('\n'), errors.str().size() - 1) << errors.str();
        } else {
            EXPECT_EQ(errors.str(), c.expectedStart);
        }
        EXPECT_TRUE(std::filesystem::is_empty(files.Path()));
    }
}

// A report whose procedure returns no rows shows the message box on the error stream and ends
// with exit 4, writing nothing.
TEST_F(HostTest, PrintWithoutRowsIsExitFour) {
    PrintRequest request;
    request.description = "Wait List";
    request.propertyId = "NONE";
    request.outFile = (files / "report.json").string();
    std::ostringstream errors;
    EXPECT_EQ(RunPrint(request, errors), host::ExitNoReport);
    EXPECT_EQ(errors.str(), "Hearthline: There is no information to print.\n");
    EXPECT_FALSE(std::filesystem::exists(*request.outFile));
}

// A report with a criteria dialog: Cancel in the answers ends with exit 3 and no message, in
// the shared criteria dialog and in a dialog of the report's own (Cancel or the window's close);
// without answers the headless screen refuses to open the dialog and says how to answer it.
TEST_F(HostTest, PrintWithACriteriaDialog) {
    const struct {
        const char* name;
        const char* description;
        std::string answers;  // "" = no answer file
        int exitCode;
        std::string expected;
    } cases[] = {
        {"cancel", "Lease Expiration", R"({"dialogs": [{"do": [["click", "cmdCancel"]]}]})",
         host::ExitCancelled, ""},
        {"cancel in a dialog of its own", "Classic Interface Status",
         R"js({"dialogs": [{"do": [["click", "OptReport(2)"], ["click", "cmdCancel"]]}]})js",
         host::ExitCancelled, ""},
        {"own dialog closed", "Classic Interface Status", R"({"dialogs": [{"do": [["close"]]}]})",
         host::ExitCancelled, ""},
        // An answer-file error found while the dialog plays reaches the host through the runner.
        {"wrong caption", "Lease Expiration", R"({"dialogs": [{"caption": "Wrong", "do": []}]})",
         host::ExitError,
         "error 2905 (LoadCrystal): Error processing report: dialog 'Lease Expiration Report "
         "Criteria' opened where answer file 'ANSWERS' expects 'Wrong' (dialog 1)\n"},
        {"no answers", "Lease Expiration", "", host::ExitError,
         "error 2905 (LoadCrystal): Error processing report: The dialog \"Lease Expiration "
         "Report Criteria\" needs answers: this build has no dialog front-end, so give them "
         "with --answers FILE (see docs/answer-files.md)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrintRequest request;
        request.description = c.description;
        request.outFile = (files / "report.json").string();
        if (!c.answers.empty()) {
            request.answersFile = files.WriteFile("answers.json", c.answers).string();
        }
        std::ostringstream errors;
        EXPECT_EQ(RunPrint(request, errors), c.exitCode);
        std::string expected = c.expected;
        if (const std::size_t at = expected.find("ANSWERS"); at != std::string::npos) {
            expected.replace(at, 7, *request.answersFile);
        }
        EXPECT_EQ(errors.str(), expected);
        EXPECT_FALSE(std::filesystem::exists(*request.outFile));
    }
}

}  // namespace
}  // namespace hlreports::test

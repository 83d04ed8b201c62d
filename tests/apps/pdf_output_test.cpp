// PDF output of the host (builds with the Qt front-end): a multi-page demo report's PDF has the
// layout's page count, the title and page header and "Page N of M" on every page (read back with
// pdftotext), and a PDF that cannot be written leaves no file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include <fmt/format.h>

#include "apps/HostFixture.h"
#include "hlreports/HostCommand.h"
#include "hlreports/ReportOutput.h"

namespace hlreports::test {
namespace {

using host::PrintRequest;
using host::RunPrint;

// Standard output of a shell command; "" when it fails.
std::string CommandOutput(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    if (!pipe) {
        return output;
    }
    char buffer[4096];
    while (const std::size_t read = fread(buffer, 1, sizeof buffer, pipe.get())) {
        output.append(buffer, read);
    }
    return output;
}

int PageCount(const std::filesystem::path& pdf) {
    const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "'");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

std::string PageText(const std::filesystem::path& pdf, int page) {
    return CommandOutput(
        fmt::format("pdftotext -layout -f {0} -l {0} '{1}' -", page, pdf.string()));
}

// Every page repeats the title and the page header and ends with its number of all pages.
TEST_F(HostTest, PdfHasHeaderAndPageNumberOnEveryPage) {
    if (!host::HasPdfOutput()) {
        GTEST_SKIP() << "this build has no Qt front-end";
    }
    PrintRequest request;
    request.description = "Apartment Status";
    request.outFile = (files / "status.pdf").string();
    std::ostringstream errors;
    ASSERT_EQ(RunPrint(request, errors), host::ExitReport) << errors.str();
    EXPECT_EQ(errors.str(), "");
    const int pages = PageCount(*request.outFile);
    ASSERT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const std::string text = PageText(*request.outFile, page);
        EXPECT_TRUE(text.starts_with("Apartment Status\n")) << text.substr(0, 200);
        EXPECT_NE(text.find("Property: OAK - Oak Terrace Apartments"), std::string::npos);
        EXPECT_NE(text.find("Unit"), std::string::npos);
        EXPECT_NE(text.find(fmt::format("Page {} of {}", page, pages)), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(*request.outFile + ".partial"));
}

// A PDF into a folder that does not exist is an error naming the file; nothing is left.
TEST_F(HostTest, UnwritablePdfLeavesNoFile) {
    if (!host::HasPdfOutput()) {
        GTEST_SKIP() << "this build has no Qt front-end";
    }
    PrintRequest request;
    request.description = "Charge Type List";
    request.outFile = (files / "missing" / "list.pdf").string();
    std::ostringstream errors;
    EXPECT_EQ(RunPrint(request, errors), host::ExitError);
    EXPECT_EQ(errors.str(), "error: cannot write " + *request.outFile + "\n");
    EXPECT_FALSE(std::filesystem::exists(files / "missing"));
}

}  // namespace
}  // namespace hlreports::test

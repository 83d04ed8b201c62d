// demo_answer_check DESCRIPTION ANSWERS SUMMARY FOLDER
//
// Runs one demo answer file on a fresh demo database in FOLDER (demo/DemoRun.h) and compares the
// run's summary (demo/DemoSummary.h) with the expected one in SUMMARY. With
// HLREPORTS_WRITE_SUMMARIES=1 in the environment it writes SUMMARY instead (see
// docs/answer-files.md); exit 0 when the summaries agree or one was written, 1 with the
// differing lines otherwise.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "demo/DemoRun.h"

namespace {

namespace fs = std::filesystem;
using hlreports::test::DemoRun;

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Prints the lines from the first difference on, a few of each side, enough to see what moved.
void PrintDifference(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> want = Lines(expected);
    const std::vector<std::string> got = Lines(actual);
    std::size_t first = 0;
    while (first < want.size() && first < got.size() && want[first] == got[first]) {
        ++first;
    }
    std::cerr << "first difference at line " << first + 1 << ":\n";
    for (std::size_t i = first; i < want.size() && i < first + 8; ++i) {
        std::cerr << "- " << want[i] << "\n";
    }
    for (std::size_t i = first; i < got.size() && i < first + 8; ++i) {
        std::cerr << "+ " << got[i] << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: demo_answer_check DESCRIPTION ANSWERS SUMMARY FOLDER\n";
        return 2;
    }
    const std::string description = argv[1];
    const fs::path answers = argv[2];
    const fs::path summaryFile = argv[3];
    const fs::path folder = argv[4];
    // Fresh every time: a report may write to the database (the rent statement's last date).
    fs::remove_all(folder);
    const DemoRun run = hlreports::test::RunDemoAnswers(description, answers, folder);
    const std::string actual = hlreports::test::SummaryOf(run, folder.string()).dump(2) + "\n";
    std::ofstream(folder / "summary.json", std::ios::binary) << actual;

    const char* write = std::getenv("HLREPORTS_WRITE_SUMMARIES");
    if (write != nullptr && std::string(write) == "1") {
        fs::create_directories(summaryFile.parent_path());
        std::ofstream(summaryFile, std::ios::binary) << actual;
        std::cerr << "wrote " << summaryFile.string() << "\n";
        return 0;
    }
    if (!fs::exists(summaryFile)) {
        std::cerr << "no expected summary " << summaryFile.string() << "; this run's is in "
                  << (folder / "summary.json").string()
                  << " (HLREPORTS_WRITE_SUMMARIES=1 ctest -R DemoAnswers writes them, see "
                     "docs/answer-files.md)\n";
        return 1;
    }
    const std::string expected = FileText(summaryFile);
    if (expected == actual) {
        return 0;
    }
    std::cerr << summaryFile.string() << " differs from this run ("
              << (folder / "summary.json").string() << ")\n";
    PrintDifference(expected, actual);
    return 1;
}

// Replays the seed corpus of the report definition fuzz target through its entry point: every
// file either loads and renders or is refused with 20510; the entry point aborts otherwise.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TempDir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace hlreports::test {
namespace {

// Each corpus file runs through the fuzz entry point without a crash or an unexpected error.
TEST(ReportDefinitionFuzzCorpus, ReplaysEveryFile) {
    const std::filesystem::path corpus = SourcePath("fuzz/report_definition/corpus");
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        const std::string input = bytes.str();
        EXPECT_EQ(
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size()),
            0);
        ++replayed;
    }
    EXPECT_GE(replayed, 10);
}

}  // namespace
}  // namespace hlreports::test

// A file streamed through PartialFile appears whole at Commit, and not at all when the writer
// stops before it: no part of it, no temporary, and an existing file at the target unchanged.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "runtime/PartialFile.h"
#include "support/TempDir.h"

namespace hlreports::test {
namespace {

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Pieces of every size, single characters among them, as a renderer streams them.
void WritePieces(std::ostream& stream) {
    stream << 'a';
    stream.write("bc", 2);
    stream << std::string(100'000, 'x') << "\n";
    stream.put('z');
}

// Whole at Commit, or nothing (and the old file kept) when the writer throws before it.
TEST(PartialFileStream, WholeOrNothing) {
    const std::string whole = "abc" + std::string(100'000, 'x') + "\nz";
    const struct {
        const char* name;
        bool targetExists;
        bool writerThrows;
        std::string expected;  // "" when no file is expected
    } cases[] = {
        {"new file", false, false, whole},
        {"replaces the old file", true, false, whole},
        {"failure writes nothing", false, true, ""},
        {"failure keeps the old file", true, true, "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir folder;
        const std::filesystem::path target = folder / "report.txt";
        if (c.targetExists) {
            folder.WriteFile("report.txt", "old");
        }
        try {
            PartialFile partial(target);
            WritePieces(partial.Stream());
            if (c.writerThrows) {
                throw std::runtime_error("render failed");
            }
            partial.Commit();
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(c.writerThrows) << error.what();
        }
        EXPECT_EQ(std::filesystem::exists(target), !c.expected.empty());
        if (!c.expected.empty()) {
            EXPECT_EQ(Contents(target), c.expected);
        }
        const auto files = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                         std::filesystem::directory_iterator());
        EXPECT_EQ(files, c.expected.empty() ? 0 : 1);  // no temporary left behind
    }
}

}  // namespace
}  // namespace hlreports::test

#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace hlreports::test {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "hlreports-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::WriteFile(const std::string& name,
                                         const std::string& content) const {
    std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    return file;
}

std::filesystem::path SourcePath(const std::string& relative) {
    return std::filesystem::path(HL_SOURCE_DIR) / relative;
}

}  // namespace hlreports::test

// A temporary folder for one test; removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace hlreports::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // Writes a file inside the folder and returns its path.
    std::filesystem::path WriteFile(const std::string& name, const std::string& content) const;

  private:
    std::filesystem::path path_;
};

// The repository's own files (reference samples, demo scripts).
std::filesystem::path SourcePath(const std::string& relative);

}  // namespace hlreports::test

// A file written beside its target under a fresh, unpredictable name and renamed into place only
// when complete, so a reader never sees half a report and a failure leaves nothing behind.
//
// The temporary is created with O_CREAT|O_EXCL (mkstemp) in the target's own folder: an existing
// file or symbolic link of that name is never opened or followed, and the rename stays within
// one file system. Destroying a PartialFile that was not committed removes the temporary.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace hlreports::host {

class PartialFile {
  public:
    // Throws std::runtime_error naming `target` when its folder takes no new file.
    explicit PartialFile(std::filesystem::path target);
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // Buffered; a failure shows at Commit.
    void Write(std::string_view text);
    // Flushes, closes and checks, then renames over the target (a link there is replaced, not
    // followed). Throws std::runtime_error naming the target on any failure.
    void Commit();

    const std::filesystem::path& TemporaryPath() const { return temporary_; }

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

}  // namespace hlreports::host

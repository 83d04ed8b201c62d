// A file written beside its target under a fresh, unpredictable name and renamed into place only
// when complete, so a reader never sees half a report and a failure leaves nothing behind.
//
// The temporary is created with O_CREAT|O_EXCL (mkstemp) in the target's own folder: an existing
// file or symbolic link of that name is never opened or followed, and the rename stays within
// one file system. Destroying a PartialFile that was not committed removes the temporary.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string_view>

namespace hlreports {

class PartialFile {
  public:
    // Throws std::runtime_error naming `target` when its folder takes no new file.
    explicit PartialFile(std::filesystem::path target);
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // Buffered; a failure shows at Commit.
    void Write(std::string_view text);
    // The same writing as a stream, for writers that produce the file piece by piece.
    std::ostream& Stream() { return textStream_; }
    // Flushes, closes and checks, then renames over the target (a link there is replaced, not
    // followed). Throws std::runtime_error naming the target on any failure.
    void Commit();

    const std::filesystem::path& TemporaryPath() const { return temporary_; }

  private:
    // Passes every character on to Write, whose file is buffered already.
    class WriteBuffer final : public std::streambuf {
      public:
        explicit WriteBuffer(PartialFile& file) : file_(file) {}

      protected:
        int_type overflow(int_type character) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;

      private:
        PartialFile& file_;
    };

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
    WriteBuffer writeBuffer_{*this};
    std::ostream textStream_{&writeBuffer_};
};

// `write` fills the temporary path it is given (for writers that open a file by name); whatever
// it throws passes on after the temporary is removed. std::runtime_error naming the file when
// the temporary cannot be made or renamed.
void WriteThroughTemporary(const std::filesystem::path& file,
                           const std::function<void(const std::filesystem::path&)>& write);

// std::runtime_error "cannot write <file>" when the text cannot be written.
void WriteTextFile(const std::filesystem::path& file, std::string_view text);

}  // namespace hlreports

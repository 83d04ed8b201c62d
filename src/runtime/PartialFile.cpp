// Exclusive temporary files renamed into place (see PartialFile.h).
#include "runtime/PartialFile.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <system_error>

namespace hlreports {
namespace {

[[noreturn]] void CannotWrite(const std::filesystem::path& target) {
    throw std::runtime_error("cannot write " + target.string());
}

}  // namespace

PartialFile::PartialFile(std::filesystem::path target) : target_(std::move(target)) {
    const std::filesystem::path folder =
        target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) {
        CannotWrite(target_);
    }
    temporary_ = pattern;
    // mkstemp makes the file private; the report gets the permissions any new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    stream_ = fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        close(descriptor);
        unlink(temporary_.c_str());
        CannotWrite(target_);
    }
}

PartialFile::~PartialFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
    if (!committed_) {
        unlink(temporary_.c_str());
    }
}

void PartialFile::Write(std::string_view text) {
    if (!text.empty()) {
        std::fwrite(text.data(), 1, text.size(), stream_);
    }
}

PartialFile::WriteBuffer::int_type PartialFile::WriteBuffer::overflow(int_type character) {
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
        const char text = traits_type::to_char_type(character);
        file_.Write(std::string_view(&text, 1));
    }
    return traits_type::not_eof(character);
}

std::streamsize PartialFile::WriteBuffer::xsputn(const char* text, std::streamsize count) {
    file_.Write(std::string_view(text, static_cast<std::size_t>(count)));
    return count;
}

void PartialFile::Commit() {
    // A full disk can fail on the last flush: check after closing.
    const bool written = std::ferror(stream_) == 0;
    const int closed = std::fclose(stream_);
    stream_ = nullptr;
    if (!written || closed != 0) {
        CannotWrite(target_);
    }
    std::error_code renameError;
    std::filesystem::rename(temporary_, target_, renameError);
    if (renameError) {
        CannotWrite(target_);
    }
    committed_ = true;
}

void WriteThroughTemporary(const std::filesystem::path& file,
                           const std::function<void(const std::filesystem::path&)>& write) {
    PartialFile partial(file);
    write(partial.TemporaryPath());
    partial.Commit();
}

void WriteTextFile(const std::filesystem::path& file, std::string_view text) {
    PartialFile partial(file);
    partial.Write(text);
    partial.Commit();
}

}  // namespace hlreports

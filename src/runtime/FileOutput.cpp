// Whole-or-nothing file writing; see FileOutput.h.
#include "runtime/FileOutput.h"

#include <fstream>
#include <stdexcept>

namespace hlreports {

void WriteThroughTemporary(const std::filesystem::path& file,
                           const std::function<void(const std::filesystem::path&)>& write) {
    const std::filesystem::path temporary = file.string() + ".partial";
    std::error_code ignored;
    try {
        write(temporary);
    } catch (...) {
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, file, renameError);
    if (renameError) {
        std::filesystem::remove(temporary, ignored);
        throw std::runtime_error("cannot write " + file.string() + ": " + renameError.message());
    }
}

void WriteTextFile(const std::filesystem::path& file, std::string_view text) {
    WriteThroughTemporary(file, [&](const std::filesystem::path& temporary) {
        std::ofstream out(temporary, std::ios::binary);
        out << text;
        out.close();  // a full disk can fail on the last flush: check after closing
        if (!out) {
            throw std::runtime_error("cannot write " + file.string());
        }
    });
}

}  // namespace hlreports

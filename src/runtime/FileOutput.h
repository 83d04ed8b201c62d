// Files written whole or not at all: the content goes to "<file>.partial" beside the target,
// which is renamed over the target only when writing succeeded, so a failed write (a full disk,
// a renderer that throws) leaves no half-written file and keeps an older file as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace hlreports {

// `write` fills the temporary path it is given; whatever it throws passes on after the
// temporary file is removed. std::runtime_error naming the file when the rename fails.
void WriteThroughTemporary(const std::filesystem::path& file,
                           const std::function<void(const std::filesystem::path&)>& write);

// std::runtime_error "cannot write <file>" when the text cannot be written.
void WriteTextFile(const std::filesystem::path& file, std::string_view text);

}  // namespace hlreports

// A streaming JSON writer into one std::string, for prepared reports with many rows: nothing is
// built in memory but the text itself. Commas and nesting are tracked here; callers write keys
// and values in order. Compact output (no blanks), valid UTF-8 (invalid bytes of a value become
// U+FFFD), non-finite numbers as null.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hlreports {

class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);

    void String(std::string_view value);
    void Number(double value);
    void Integer(int64_t value);
    // A number already written as JSON text (an exact decimal).
    void RawNumber(std::string_view text);
    void Bool(bool value);
    void Null();

  private:
    std::string& out_;
    std::vector<bool> hasItem_;  // per open container: a comma is due before the next item
    bool afterKey_ = false;

    void BeforeValue();
    void AppendQuoted(std::string_view text);
};

}  // namespace hlreports

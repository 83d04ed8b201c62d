// Connection string keys (see ConnectionString.h).
#include "backends/ConnectionString.h"

#include "backends/DatabaseError.h"
#include "runtime/DoubledQuotes.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

[[noreturn]] void RaiseMalformed(std::string_view problem) {
    RaiseDatabaseError("the connection string is malformed: " + std::string(problem));
}

// Reads a value wrapped in `open`...`close`, where a doubled `close` stands for itself.
std::string ReadWrapped(std::string_view text, std::size_t& pos, char close, std::string_view key) {
    std::optional<std::string> value = ReadDoubledQuoted(text, pos, close);
    if (!value) {
        RaiseMalformed("the value of " + std::string(key) + " is not closed with " +
                       std::string(1, close));
    }
    return *std::move(value);
}

}  // namespace

std::vector<ConnectionStringKey> ParseConnectionString(std::string_view text) {
    std::vector<ConnectionStringKey> keys;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of(";=", pos);
        if (end == std::string_view::npos || text[end] == ';') {
            // Named by position only: the stray text may be part of a password.
            if (!Trim(text.substr(pos, end == std::string_view::npos ? end : end - pos)).empty()) {
                RaiseMalformed("part " + std::to_string(keys.size() + 1) + " has no '='");
            }
            pos = end == std::string_view::npos ? text.size() : end + 1;
            continue;
        }
        ConnectionStringKey entry;
        entry.key = Trim(text.substr(pos, end - pos));
        if (entry.key.empty()) {
            RaiseMalformed("a part has no key before '='");
        }
        pos = end + 1;
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
            ++pos;
        }
        if (pos < text.size() && (text[pos] == '{' || text[pos] == '"')) {
            entry.value = ReadWrapped(text, pos, text[pos] == '{' ? '}' : '"', entry.key);
            std::size_t next = text.find(';', pos);
            if (!Trim(text.substr(pos, next == std::string_view::npos ? next : next - pos))
                     .empty()) {
                RaiseMalformed("text follows the closed value of " + entry.key);
            }
            pos = next == std::string_view::npos ? text.size() : next + 1;
        } else {
            std::size_t next = text.find(';', pos);
            entry.value =
                Trim(text.substr(pos, next == std::string_view::npos ? next : next - pos));
            pos = next == std::string_view::npos ? text.size() : next + 1;
        }
        keys.push_back(std::move(entry));
    }
    return keys;
}

std::optional<std::string> FindConnectionKey(const std::vector<ConnectionStringKey>& keys,
                                             std::string_view key) {
    std::optional<std::string> found;
    for (const ConnectionStringKey& entry : keys) {
        if (EqualsIgnoreCase(entry.key, key)) {
            found = entry.value;
        }
    }
    return found;
}

}  // namespace hlreports

// A cursor over the small grammars of the embedded backend: procedure-call text
// ("EXEC sp_x @A='O''Brien', @B=7") and procedure parameter declarations
// ("@A varchar(10), @B int = 7, @C float OUTPUT"). Tokens: names, @names, literals ('text' and
// N'text' and "text" with the quote doubled inside, numbers, NULL) and single characters.
//
// Every Read/Accept first skips blanks (spaces, tabs, line breaks). Malformed text raises a
// ComError naming the context, the problem and the 1-based character position.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace hlreports {

class SqlTextCursor {
  public:
    explicit SqlTextCursor(std::string_view text, std::size_t start = 0)
        : text_(text), pos_(start) {}

    void SkipBlanks();
    bool AtEnd();
    std::size_t Position() const { return pos_; }
    bool Accept(char c);
    // A name: a letter or "_" then letters, digits, "_", "$", "#" or "."; or a [bracketed] name.
    std::optional<std::string> ReadName();
    // "@" followed by name characters; returned with the "@".
    std::optional<std::string> ReadParameterName();
    // Consumes the next name when it equals `keyword` ignoring case.
    bool AcceptKeyword(std::string_view keyword);
    // The next name without consuming it ("" when none).
    std::string PeekName();
    // 'text', N'text', "text", a number (Long when a whole number fits, else Double) or NULL.
    std::optional<Variant> ReadLiteral(std::string_view context);
    // Everything up to (not including) `stop`, consuming `stop`; no value when it never comes.
    std::optional<std::string> ReadUntil(char stop);

    [[noreturn]] void Fail(std::string_view context, std::string_view problem) const;
    // The same, pointing at an earlier position (the start of the offending token).
    [[noreturn]] void FailAt(std::size_t position, std::string_view context,
                             std::string_view problem) const;

  private:
    std::string_view text_;
    std::size_t pos_ = 0;

    std::optional<Variant> ReadNumber();
    std::string ReadQuoted(char quote, std::string_view context);
};

}  // namespace hlreports

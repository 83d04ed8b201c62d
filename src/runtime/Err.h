// Err: the pending error of the classic runtime. Some callers read it after a call returns (a
// dialog's Cancel leaves 20545 pending without throwing); trapped procedures clear it on entry.
// One instance lives in the Session; Err() reaches it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/ComError.h"

namespace hlreports {

class ErrState {
  public:
    int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

    // Leaves an error pending without throwing (the classic "raise inside a resumed handler").
    void SetPending(int32_t number, std::string source, std::string description);
    // Records a trapped error as the pending one.
    void SetPending(const ComError& error);
    void Clear();
    bool IsPending() const { return number_ != 0; }

    // Throws the pending error as a ComError; the state keeps it.
    [[noreturn]] void Raise(int32_t number, std::string source, std::string description);

  private:
    int32_t number_ = 0;
    std::string source_;
    std::string description_;
};

// The process-wide pending error (held by the Session).
ErrState& Err();

// For a trapped procedure's catch block: raises the error being handled again under the
// procedure's own number and source, keeping the original description and appending suffix
// (the database wrapper's " SP:name" / " SQL:text"). A ComError gives its Description, another
// std::exception its what(). The new error is left pending in Err() as well. Calling it outside a
// catch block is a bug.
[[noreturn]] void Reraise(int32_t number, std::string source, std::string_view suffix = {});

}  // namespace hlreports

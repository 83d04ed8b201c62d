// CausedComError: a ComError whose number, source and text stay fixed for callers that match
// them (the runner's 2905 "Unable to open the file"), carrying the error that really led to it
// for people to read. Code that catches ComError sees the fixed triple; code that shows errors
// asks CauseOf.
#pragma once

#include <memory>
#include <utility>

#include "runtime/ComError.h"

namespace hlreports {

class CausedComError : public ComError {
  public:
    CausedComError(ComError error, ComError cause)
        : ComError(std::move(error)), cause_(std::make_shared<const ComError>(std::move(cause))) {}

    const ComError& Cause() const { return *cause_; }

  private:
    std::shared_ptr<const ComError> cause_;
};

// The cause carried by `error`, or nullptr when it carries none.
inline const ComError* CauseOf(const ComError& error) {
    const auto* caused = dynamic_cast<const CausedComError*>(&error);
    return caused != nullptr ? &caused->Cause() : nullptr;
}

}  // namespace hlreports

// The pending error. It is plain state: setting it never throws, Raise records and throws.
#include "runtime/Err.h"

#include "runtime/Session.h"

namespace hlreports {

void ErrState::SetPending(int32_t number, std::string source, std::string description) {
    number_ = number;
    source_ = std::move(source);
    description_ = std::move(description);
}

void ErrState::SetPending(const ComError& error) {
    SetPending(error.Number(), error.Source(), error.Description());
}

void ErrState::Clear() {
    SetPending(0, {}, {});
}

void ErrState::Raise(int32_t number, std::string source, std::string description) {
    SetPending(number, source, description);
    throw ComError(number, std::move(source), std::move(description));
}

ErrState& Err() {
    return TheSession().err;
}

}  // namespace hlreports

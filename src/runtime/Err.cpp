// The pending error. It is plain state: setting it never throws, Raise records and throws.
#include "runtime/Err.h"

#include <cassert>
#include <exception>

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

void Reraise(int32_t number, std::string source, std::string_view suffix) {
    assert(std::current_exception() != nullptr && "Reraise belongs in a catch block");
    std::string description;
    try {
        throw;
    } catch (const ComError& error) {
        description = error.Description();
    } catch (const std::exception& error) {
        description = error.what();
    } catch (...) {
        description = "Unknown error";
    }
    description.append(suffix);
    Err().Raise(number, std::move(source), std::move(description));
}

ErrState& Err() {
    return TheSession().err;
}

}  // namespace hlreports

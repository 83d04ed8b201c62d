// The runtime's own error texts, kept in one table so tests and callers see the same words.
#include "runtime/RuntimeErrors.h"

#include <string>

#include "runtime/ComError.h"

namespace hlreports {

std::string_view RuntimeErrorDescription(int32_t number) {
    switch (number) {
        case ErrorNumber::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case ErrorNumber::Overflow:
            return "Overflow";
        case ErrorNumber::SubscriptOutOfRange:
            return "Subscript out of range";
        case ErrorNumber::TypeMismatch:
            return "Type mismatch";
        case ErrorNumber::InvalidUseOfNull:
            return "Invalid use of Null";
        default:
            return "Application-defined or object-defined error";
    }
}

void RaiseRuntimeError(int32_t number) {
    throw ComError(number, std::string(RuntimeErrorSource),
                   std::string(RuntimeErrorDescription(number)));
}

}  // namespace hlreports

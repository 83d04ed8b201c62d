// The errors a recordset raises, with the classic numbers and texts that callers and the host
// test for. The source is "Recordset." followed by the operation's name.
#pragma once

#include <string>

#include "runtime/ComError.h"

namespace hlreports::recordset_errors {

inline std::string SourceOf(const char* operation) {
    return std::string("Recordset.") + operation;
}

[[noreturn]] inline void RaiseNoCurrentRecord(const char* operation) {
    throw ComError(ErrorNumber::NoCurrentRecord, SourceOf(operation),
                   "Either BOF or EOF is True, or the current record has been deleted. Requested "
                   "operation requires a current record.");
}

[[noreturn]] inline void RaiseBadArgument(const char* operation) {
    throw ComError(
        ErrorNumber::ArgumentsWrong, SourceOf(operation),
        "Arguments are of the wrong type, are out of acceptable range, or are in conflict "
        "with one another.");
}

[[noreturn]] inline void RaiseUnknownField(const char* operation) {
    throw ComError(ErrorNumber::ItemNotFound, SourceOf(operation),
                   "Item cannot be found in the collection corresponding to the requested name or "
                   "ordinal.");
}

[[noreturn]] inline void RaiseClosed(const char* operation) {
    throw ComError(ErrorNumber::ObjectClosed, SourceOf(operation),
                   "Operation is not allowed when the object is closed.");
}

[[noreturn]] inline void RaiseOpen(const char* operation) {
    throw ComError(3705, SourceOf(operation), "Operation is not allowed when the object is open.");
}

[[noreturn]] inline void RaiseNotUpdatable(const char* operation) {
    throw ComError(3251, SourceOf(operation),
                   "Current Recordset does not support updating. This may be a limitation of the "
                   "provider, or of the selected locktype.");
}

[[noreturn]] inline void RaiseNotInContext(const char* operation) {
    throw ComError(3219, SourceOf(operation), "Operation is not allowed in this context.");
}

// A value that does not convert to its field's type; `detail` (a sentence) follows the text.
// `source` is whole here: conversions serve several operations.
[[noreturn]] inline void RaiseWrongType(const std::string& source, const std::string& detail = {}) {
    const std::string text =
        "Application uses a value of the wrong type for the current operation.";
    throw ComError(3421, source, detail.empty() ? text : text + " " + detail);
}

}  // namespace hlreports::recordset_errors

// The recording opener of CallRecorder.h.
#include "support/CallRecorder.h"

#include <memory>

#include "backends/ForwardingConnection.h"
#include "runtime/ComError.h"

namespace hlreports::test {
namespace {

std::vector<RecordedCall> calls;
int callCount = 0;
int failAt = 0;

void Count(std::string_view what) {
    ++callCount;
    if (callCount == failAt) {
        throw ComError(ErrorNumber::DatabaseError, "test backend",
                       "injected failure in " + std::string(what));
    }
}

// Records and counts the calls that do work; transaction calls pass unseen.
class RecordingConnection final : public ForwardingConnection {
  public:
    using ForwardingConnection::ForwardingConnection;

  protected:
    void Observe(ConnectionCallKind kind, std::string_view text,
                 const std::vector<ProcedureArgument>* arguments) override {
        if (kind != ConnectionCallKind::Execute && kind != ConnectionCallKind::OpenRecordset &&
            kind != ConnectionCallKind::CallProcedure && kind != ConnectionCallKind::OpenReadOnly &&
            kind != ConnectionCallKind::CallReadOnly) {
            return;
        }
        calls.push_back(
            {std::string(text), arguments ? *arguments : std::vector<ProcedureArgument>{}});
        Count(ConnectionCallName(kind));
    }
};

std::unique_ptr<Connection> OpenRecording(std::string_view connectionString,
                                          const ConnectionOptions& options) {
    return std::make_unique<RecordingConnection>(OpenBackendConnection(connectionString, options));
}

}  // namespace

CallRecorder::CallRecorder(int failOnCall) {
    calls.clear();
    callCount = 0;
    failAt = failOnCall;
    SetConnectionOpenerForTests(&OpenRecording);
}

CallRecorder::~CallRecorder() {
    SetConnectionOpenerForTests(nullptr);
}

const std::vector<RecordedCall>& CallRecorder::Calls() {
    return calls;
}

std::string DescribeValue(const Variant& value) {
    switch (value.Kind()) {
        case VariantKind::Empty:
            return "Empty";
        case VariantKind::Null:
            return "Null";
        case VariantKind::Missing:
            return "Missing";
        case VariantKind::Boolean:
            return value.ToBoolean() ? "Boolean True" : "Boolean False";
        case VariantKind::Integer:
            return "Integer " + value.ToString();
        case VariantKind::Long:
            return "Long " + value.ToString();
        case VariantKind::Double:
            return "Double " + value.ToString();
        case VariantKind::Currency:
            return "Currency " + value.ToString();
        case VariantKind::Decimal:
            return "Decimal " + value.ToString();
        case VariantKind::Date: {
            const Date date = value.ToDate();
            return "Date #" +
                   (date.DateOnly().DayNumber() == date.DayNumber() ? date.ToIsoDate()
                                                                    : date.ToIsoDateTime()) +
                   "#";
        }
        case VariantKind::String:
            return "String \"" + value.ToString() + "\"";
        case VariantKind::Array:
            return "Array";
        case VariantKind::Object:
            return "Object";
    }
    return "?";
}

std::string DescribeArgument(const ProcedureArgument& argument) {
    return argument.name + " " + std::to_string(argument.type) + "(" +
           std::to_string(argument.size) + ") " + (argument.direction == 2 ? "out" : "in") + " = " +
           DescribeValue(argument.value);
}

}  // namespace hlreports::test

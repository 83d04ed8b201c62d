// The recording opener of CallRecorder.h.
#include "support/CallRecorder.h"

#include <memory>

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

class RecordingConnection final : public Connection {
  public:
    explicit RecordingConnection(std::unique_ptr<Connection> inner) : inner_(std::move(inner)) {}

    void Execute(std::string_view sql) override {
        calls.push_back({std::string(sql), {}});
        Count("Execute");
        inner_->Execute(sql);
    }
    RecordsetPtr OpenRecordset(std::string_view sqlOrCall) override {
        calls.push_back({std::string(sqlOrCall), {}});
        Count("OpenRecordset");
        return inner_->OpenRecordset(sqlOrCall);
    }
    ProcedureResult CallProcedure(std::string_view name,
                                  const std::vector<ProcedureArgument>& arguments) override {
        calls.push_back({std::string(name), arguments});
        Count("CallProcedure");
        return inner_->CallProcedure(name, arguments);
    }
    RecordsetPtr OpenReadOnly(std::string_view sql,
                              const std::vector<BoundValue>& values) override {
        calls.push_back({std::string(sql), {}});
        Count("OpenReadOnly");
        return inner_->OpenReadOnly(sql, values);
    }
    RecordsetPtr CallReadOnly(std::string_view procedure,
                              const std::vector<BoundValue>& arguments) override {
        calls.push_back({std::string(procedure), {}});
        Count("CallReadOnly");
        return inner_->CallReadOnly(procedure, arguments);
    }
    void BeginTransaction() override { inner_->BeginTransaction(); }
    void Commit() override { inner_->Commit(); }
    void Rollback() override { inner_->Rollback(); }
    bool InTransaction() const override { return inner_->InTransaction(); }
    void UpdateBatch(Recordset& recordset) override { inner_->UpdateBatch(recordset); }

  private:
    std::unique_ptr<Connection> inner_;
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

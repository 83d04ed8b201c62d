// Passing connection calls on (see ForwardingConnection.h).
#include "backends/ForwardingConnection.h"

namespace hlreports {

std::string_view ConnectionCallName(ConnectionCallKind kind) {
    switch (kind) {
        case ConnectionCallKind::Execute:
            return "Execute";
        case ConnectionCallKind::OpenRecordset:
            return "OpenRecordset";
        case ConnectionCallKind::CallProcedure:
            return "CallProcedure";
        case ConnectionCallKind::OpenReadOnly:
            return "OpenReadOnly";
        case ConnectionCallKind::CallReadOnly:
            return "CallReadOnly";
        case ConnectionCallKind::BeginTransaction:
            return "BeginTransaction";
        case ConnectionCallKind::Commit:
            return "Commit";
        case ConnectionCallKind::Rollback:
            return "Rollback";
        case ConnectionCallKind::UpdateBatch:
            return "UpdateBatch";
    }
    return "?";
}

void ForwardingConnection::Observe(ConnectionCallKind, std::string_view,
                                   const std::vector<ProcedureArgument>*) {}

void ForwardingConnection::Execute(std::string_view sql) {
    Observe(ConnectionCallKind::Execute, sql, nullptr);
    inner_->Execute(sql);
}

RecordsetPtr ForwardingConnection::OpenRecordset(std::string_view sqlOrCall) {
    Observe(ConnectionCallKind::OpenRecordset, sqlOrCall, nullptr);
    return inner_->OpenRecordset(sqlOrCall);
}

ProcedureResult ForwardingConnection::CallProcedure(
    std::string_view name, const std::vector<ProcedureArgument>& arguments) {
    Observe(ConnectionCallKind::CallProcedure, name, &arguments);
    return inner_->CallProcedure(name, arguments);
}

RecordsetPtr ForwardingConnection::OpenReadOnly(std::string_view sql,
                                                const std::vector<BoundValue>& values) {
    Observe(ConnectionCallKind::OpenReadOnly, sql, nullptr);
    return inner_->OpenReadOnly(sql, values);
}

RecordsetPtr ForwardingConnection::CallReadOnly(std::string_view procedure,
                                                const std::vector<BoundValue>& arguments) {
    Observe(ConnectionCallKind::CallReadOnly, procedure, nullptr);
    return inner_->CallReadOnly(procedure, arguments);
}

void ForwardingConnection::BeginTransaction() {
    Observe(ConnectionCallKind::BeginTransaction, {}, nullptr);
    inner_->BeginTransaction();
}

void ForwardingConnection::Commit() {
    Observe(ConnectionCallKind::Commit, {}, nullptr);
    inner_->Commit();
}

void ForwardingConnection::Rollback() {
    Observe(ConnectionCallKind::Rollback, {}, nullptr);
    inner_->Rollback();
}

void ForwardingConnection::UpdateBatch(Recordset& recordset) {
    Observe(ConnectionCallKind::UpdateBatch, {}, nullptr);
    inner_->UpdateBatch(recordset);
}

}  // namespace hlreports

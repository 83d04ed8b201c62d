// Helpers of the wrapper's tests: a recordset ready for a requery, and a test opener that wraps
// the real backend to record the texts it receives and to fail its Nth call. Catching errors is
// in support/ErrorCapture.h.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/Connections.h"
#include "recordset/Recordset.h"
#include "runtime/ComError.h"
#include "support/ErrorCapture.h"

namespace hlreports::test {

// An open recordset with one field and no rows whose Source is `source`, ready for a requery.
inline RecordsetPtr RecordsetWithSource(std::string source) {
    auto rows = std::make_shared<Recordset>();
    FieldInfo field;
    field.name = "x";
    rows->AppendField(field);
    rows->Open();
    rows->FinishLoading();
    rows->SetSource(std::move(source));
    return rows;
}

// What the instrumented backend saw and when it fails. Calls are counted across the opener and
// every method that does work; the call numbered `failAt` (1-based, 0 = never) throws.
struct InstrumentedBackend {
    static inline std::vector<std::string> texts;  // Execute / OpenRecordset / CallProcedure
    static inline int calls = 0;
    static inline int failAt = 0;

    static void Reset(int failOnCall = 0) {
        texts.clear();
        calls = 0;
        failAt = failOnCall;
    }
    static void Count(std::string_view what) {
        ++calls;
        if (calls == failAt) {
            throw ComError(ErrorNumber::DatabaseError, "test backend",
                           "injected failure in " + std::string(what));
        }
    }
    static std::unique_ptr<Connection> Open(std::string_view connectionString,
                                            const ConnectionOptions& options);
};

class InstrumentedConnection final : public Connection {
  public:
    explicit InstrumentedConnection(std::unique_ptr<Connection> inner) : inner_(std::move(inner)) {}

    void Execute(std::string_view sql) override {
        InstrumentedBackend::Count("Execute");
        InstrumentedBackend::texts.emplace_back(sql);
        inner_->Execute(sql);
    }
    RecordsetPtr OpenRecordset(std::string_view sqlOrCall) override {
        InstrumentedBackend::Count("OpenRecordset");
        InstrumentedBackend::texts.emplace_back(sqlOrCall);
        return inner_->OpenRecordset(sqlOrCall);
    }
    ProcedureResult CallProcedure(std::string_view name,
                                  const std::vector<ProcedureArgument>& arguments) override {
        InstrumentedBackend::Count("CallProcedure");
        InstrumentedBackend::texts.emplace_back(name);
        return inner_->CallProcedure(name, arguments);
    }
    RecordsetPtr OpenReadOnly(std::string_view sql,
                              const std::vector<BoundValue>& values) override {
        InstrumentedBackend::Count("OpenReadOnly");
        InstrumentedBackend::texts.emplace_back(sql);
        return inner_->OpenReadOnly(sql, values);
    }
    RecordsetPtr CallReadOnly(std::string_view procedure,
                              const std::vector<BoundValue>& arguments) override {
        InstrumentedBackend::Count("CallReadOnly");
        InstrumentedBackend::texts.emplace_back(procedure);
        return inner_->CallReadOnly(procedure, arguments);
    }
    void BeginTransaction() override {
        InstrumentedBackend::Count("BeginTransaction");
        inner_->BeginTransaction();
    }
    void Commit() override {
        InstrumentedBackend::Count("Commit");
        inner_->Commit();
    }
    void Rollback() override {
        InstrumentedBackend::Count("Rollback");
        inner_->Rollback();
    }
    bool InTransaction() const override { return inner_->InTransaction(); }
    void UpdateBatch(Recordset& recordset) override {
        InstrumentedBackend::Count("UpdateBatch");
        inner_->UpdateBatch(recordset);
    }

  private:
    std::unique_ptr<Connection> inner_;
};

inline std::unique_ptr<Connection> InstrumentedBackend::Open(std::string_view connectionString,
                                                             const ConnectionOptions& options) {
    Count("open");
    return std::make_unique<InstrumentedConnection>(
        OpenBackendConnection(connectionString, options));
}

// Installs the instrumented opener for one test and restores the default afterwards.
class InstrumentedBackendScope {
  public:
    explicit InstrumentedBackendScope(int failOnCall = 0) {
        InstrumentedBackend::Reset(failOnCall);
        SetConnectionOpenerForTests(&InstrumentedBackend::Open);
    }
    ~InstrumentedBackendScope() {
        SetConnectionOpenerForTests(nullptr);
        InstrumentedBackend::Reset();
    }
    InstrumentedBackendScope(const InstrumentedBackendScope&) = delete;
    InstrumentedBackendScope& operator=(const InstrumentedBackendScope&) = delete;
};

}  // namespace hlreports::test

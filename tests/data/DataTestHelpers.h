// Helpers shared by the data road's tests: catching a ComError, and a test opener that wraps the
// real backend to record the texts it receives and to fail its Nth call.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "backends/ForwardingConnection.h"
#include "data/Connections.h"
#include "recordset/Recordset.h"
#include "runtime/ComError.h"
#include "support/CaughtComError.h"

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

inline bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
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

// Counts every call that does work and records the texts of those that carry one.
class InstrumentedConnection final : public ForwardingConnection {
  public:
    using ForwardingConnection::ForwardingConnection;

  protected:
    void Observe(ConnectionCallKind kind, std::string_view text,
                 const std::vector<ProcedureArgument>*) override {
        InstrumentedBackend::Count(ConnectionCallName(kind));
        if (kind == ConnectionCallKind::Execute || kind == ConnectionCallKind::OpenRecordset ||
            kind == ConnectionCallKind::CallProcedure || kind == ConnectionCallKind::OpenReadOnly ||
            kind == ConnectionCallKind::CallReadOnly) {
            InstrumentedBackend::texts.emplace_back(text);
        }
    }
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

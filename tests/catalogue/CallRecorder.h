// Test helper: a connection opener that wraps the embedded backend, records every call that
// reaches the database (the argument text of RunSpRetRS, the typed argument list of
// RunSPRetRSOutParams) and can fail its Nth call, so a test sees exactly what a builder sent.
#pragma once

#include <string>
#include <vector>

#include "data/Connections.h"

namespace hlreports::test {

struct RecordedCall {
    std::string text;                          // the call text, or the procedure's name
    std::vector<ProcedureArgument> arguments;  // the command road only
};

class CallRecorder {
  public:
    // Installs the recording opener; failOnCall (1-based, 0 = never) makes that call throw.
    explicit CallRecorder(int failOnCall = 0);
    ~CallRecorder();
    CallRecorder(const CallRecorder&) = delete;
    CallRecorder& operator=(const CallRecorder&) = delete;

    static const std::vector<RecordedCall>& Calls();
};

}  // namespace hlreports::test

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

// A value as the classic runtime would show it in code, with its kind: "String \"P1\"",
// "Date #2024-01-31#", "Integer 1", "Long 7", "Double 2.5", "Boolean True", "Null", "Empty".
std::string DescribeValue(const Variant& value);
// A command-road argument as one line: "@Name type(size) in|out = value" (value as above).
std::string DescribeArgument(const ProcedureArgument& argument);

}  // namespace hlreports::test

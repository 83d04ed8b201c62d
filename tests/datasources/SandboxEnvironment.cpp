// Registers the global environment that owns this program's ODBC sandbox; see
// SandboxEnvironment.h.
#include "datasources/SandboxEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace hlreports::test {

namespace {

std::unique_ptr<OdbcSandbox> sandbox;

class SandboxEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        sandbox = std::make_unique<OdbcSandbox>();
        sandbox->RegisterDriver(HL_ODBC_SETUP_LIBRARY);
    }
    void TearDown() override { sandbox.reset(); }
};

// gtest owns and deletes the environment.
const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new SandboxEnvironment);

}  // namespace

const OdbcSandbox& Sandbox() {
    return *sandbox;
}

}  // namespace hlreports::test

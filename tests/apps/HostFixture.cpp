// The host tests' fixture and the environment that places their demo database; see HostFixture.h.
#include "apps/HostFixture.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "runtime/Session.h"

namespace hlreports::test {
namespace {

std::unique_ptr<TempDir> demoFolder;

class DemoDatabaseEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        demoFolder = std::make_unique<TempDir>();
        setenv("HLREPORTS_DEMO_DB", (*demoFolder / "demo.db").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("HLREPORTS_DEMO_DB");
        demoFolder.reset();
    }
};

// gtest owns and deletes the environment.
const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new DemoDatabaseEnvironment);

}  // namespace

void HostTest::SetUp() {
    ResetSession();
}

void HostTest::TearDown() {
    ResetSession();
}

std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace hlreports::test

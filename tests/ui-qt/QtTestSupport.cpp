// The offscreen application of the Qt tests; see QtTestSupport.h.
#include <gtest/gtest.h>

#include "ui-qt/QtApplication.h"
#include "ui-qt/QtTestSupport.h"

namespace hlreports::test {
namespace {

class OffscreenEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { UseOffscreenQt(); }
};

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new OffscreenEnvironment);

}  // namespace

void UseOffscreenQt() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EnsureQtApplication(true);
}

}  // namespace hlreports::test

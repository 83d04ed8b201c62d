// The fixture of the custom prompt tests: a fresh session over a small database of the test's own
// (properties, units, security rows, the unit list procedure), a screen driver that hands each
// dialog shown modally to the next script of the test (or an answer file), and report files
// written from XML text.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "engine/CoreReport.h"
#include "runtime/Session.h"
#include "support/TestDatabase.h"
#include "ui/Form.h"
#include "ui/ScriptedUi.h"
#include "ui/Ui.h"

namespace hlreports::test {

// Each form shown modally takes the next script; without one the form stays open (an error).
class QueueUi : public RecordingUi {
  public:
    std::deque<std::function<void(Form&)>> scripts;
    std::vector<std::string> shown;  // form names, in order
    void ShowModal(Form& form) override;
};

class PromptsTest : public ::testing::Test {
  protected:
    TestDatabase db{PromptsSchema()};
    std::shared_ptr<QueueUi> ui = std::make_shared<QueueUi>();
    std::ostringstream messages;

    void SetUp() override;
    void TearDown() override;

    static std::string PromptsSchema();
    // A report file with these <parameters> and <formulas> children, loaded.
    std::shared_ptr<CoreReport> LoadReport(const std::string& parameters,
                                           const std::string& formulas = "");
    // Replaces the screen with a scripted driver playing this answer-file text.
    std::shared_ptr<ScriptedUi> UseAnswers(const std::string& json);
    // The property list's formula and parameters as the demo reports write them.
    static std::string PropertyFormula();
    // The text the unit list procedure received on its last call.
    std::string LastUnitListArgument() const;
};

}  // namespace hlreports::test

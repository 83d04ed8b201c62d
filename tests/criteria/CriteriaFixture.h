// The fixture of the criteria dialog tests: a fresh session with a screen driver that, when a
// dialog is shown modally, puts it on screen and hands it to the test's script (which inspects
// it and works it as a user would), and a small database of the test's own behind the shared
// recordset wrapper.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "data/clsRecordset.h"
#include "runtime/Session.h"
#include "support/TestDatabase.h"
#include "ui/Form.h"
#include "ui/Ui.h"

namespace hlreports::test {

class ScriptUi : public RecordingUi {
  public:
    std::function<void(Form&)> script;
    void ShowModal(Form& form) override {
        form.Present();
        if (script) {
            script(form);
        }
        form.DeliverSentKeys();
        form.Hide();
    }
};

class CriteriaTest : public ::testing::Test {
  protected:
    TestDatabase db{
        "CREATE TABLE tblPayment (Batch TEXT, Operator_Stamp TEXT, Date_Stamp date, "
        "Misc_Property TEXT, Batch_Source TEXT);"
        "CREATE TABLE tblTypes (ItemValue TEXT, ItemDescription TEXT);"};
    std::shared_ptr<ScriptUi> ui = std::make_shared<ScriptUi>();

    void SetUp() override {
        ResetSession();
        TheSession().ui = ui;
        TheSession().sharedRecordset = std::make_shared<clsRecordset>();
        TheSession().sharedRecordset->SetConnectionString(db.ConnectionString());
        TheSession().settings.propertyId = "P1";
    }
    void TearDown() override { ResetSession(); }
};

}  // namespace hlreports::test

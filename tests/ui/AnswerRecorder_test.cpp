// Recording answer files: what the recorder writes loads back as the same actions, typing
// collapses to the text entered, nested dialogs keep opening order, and a replay of the
// recording leaves the dialog exactly as the played actions did.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "runtime/Session.h"
#include "ui/ActionPlayer.h"
#include "ui/AnswerRecorder.h"
#include "ui/SampleDialog.h"
#include "ui/ScriptedUi.h"

namespace hlreports {
namespace {

using test::SampleDialog;

ControlReference Ref(const char* name, std::optional<int> index = std::nullopt) {
    return ControlReference{name, index};
}

// Texts, whole numbers, booleans and key codes survive the round trip through the file; a run of
// sets on one control keeps its last text; the inner dialog's entry comes second while the outer
// dialog's later actions stay in the first.
TEST(AnswerRecorder, WritesWhatLoadsBack) {
    SampleDialog outer;
    Form inner("frmDatePicker", "Select Date");
    AnswerRecorder recorder;
    recorder.BeginDialog(outer);
    recorder.Played(MakeAnswerAction(AnswerVerb::Set, Ref("txtAmount"), {Variant("1")}));
    recorder.Played(MakeAnswerAction(AnswerVerb::Set, Ref("txtAmount"), {Variant("12")}));
    recorder.Played(MakeAnswerAction(AnswerVerb::Pick, Ref("cboCombo", 0), {Variant("#1")}));
    recorder.BeginDialog(inner);
    recorder.Played(MakeAnswerAction(AnswerVerb::Close, std::nullopt, {}));
    recorder.EndDialog();
    recorder.Played(MakeAnswerAction(AnswerVerb::Set, Ref("chk1"), {Variant(true)}));
    recorder.Played(MakeAnswerAction(AnswerVerb::Key, Ref("txtAmount"), {Variant(13)}));
    recorder.EndDialog();

    const AnswerFile file = AnswerFile::Parse(recorder.Json(), "recorded");
    ASSERT_EQ(file.Dialogs().size(), 2u);
    EXPECT_EQ(file.Dialogs()[0].caption, "Sample Criteria");
    EXPECT_EQ(file.Dialogs()[1].caption, "Select Date");
    std::vector<std::string> written;
    for (const AnswerAction& action : file.Dialogs()[0].actions) {
        written.push_back(action.written);
    }
    EXPECT_EQ(written, (std::vector<std::string>{R"x(["set","txtAmount","12"])x",
                                                 R"x(["pick","cboCombo(0)","#1"])x",
                                                 R"x(["set","chk1",true])x",
                                                 R"x(["key","txtAmount",13])x"}));
    ASSERT_EQ(file.Dialogs()[1].actions.size(), 1u);
    EXPECT_EQ(file.Dialogs()[1].actions[0].written, R"x(["close"])x");
}

// Actions played live and recorded, then replayed by the scripted driver from the file, leave
// the dialog with the same values and result.
TEST(AnswerRecorder, ReplayMatchesThePlayedSession) {
        ResetSession();
        TheSession().ui = std::make_shared<RecordingUi>();
        SampleDialog live;
        AnswerRecorder recorder;
        recorder.BeginDialog(live);
        live.Present();
        for (AnswerAction action :
             {MakeAnswerAction(AnswerVerb::Set, Ref("datDate1"), {Variant("2024-01-01")}),
              MakeAnswerAction(AnswerVerb::Click, Ref("optSort2"), {}),
              MakeAnswerAction(AnswerVerb::Pick, Ref("cboCombo", 0), {Variant("1/12/2024")}),
              MakeAnswerAction(AnswerVerb::Set, Ref("cboCombo", 1), {Variant("#1")}),
              MakeAnswerAction(AnswerVerb::Click, Ref("cmdPreview"), {})}) {
            PlayAction(live, action);
            recorder.Played(action);
        }
        recorder.EndDialog();
        ASSERT_TRUE(live.result);

        std::ostringstream messages;
        TheSession().ui =
            std::make_shared<ScriptedUi>(AnswerFile::Parse(recorder.Json(), "recorded"), messages);
        SampleDialog replayed;
        replayed.ShowModal();
        EXPECT_TRUE(replayed.result);
        for (const char* name : {"datDate1", "optSort2", "cboCombo(0)", "cboCombo(1)"}) {
            EXPECT_EQ(replayed.Get(name).Value().DisplayText(),
                      live.Get(name).Value().DisplayText())
                << name;
        }
        ResetSession();
}

}  // namespace
}  // namespace hlreports

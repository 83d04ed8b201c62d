// A person's session in the Qt criteria dialog, recorded with --record, replays through
// --answers to the same prepared report; and the host's --ui choices are checked before any
// report runs.
#include <gtest/gtest.h>

#include <regex>

#include <QApplication>
#include <QDateEdit>
#include <QTest>
#include <QTimer>

#include "apps/HostFixture.h"
#include "hlreports/HostCommand.h"
#include "ui-qt/QtTestSupport.h"

namespace hlreports::test {
namespace {

using host::PrintRequest;
using host::RunPrint;

QWidget* ShownWindow(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName() == name) {
            return widget;
        }
    }
    return nullptr;
}

// Each request creates data sources of its own, named at random; the rest must match.
std::string WithoutDsnNames(const std::string& json) {
    return std::regex_replace(json, std::regex("HLReportDSN[0-9A-F]{6}"), "HLReportDSN");
}

// Works the returned-items criteria dialog as a person would, once it is on screen.
void WorkCriteriaDialogWhenShown() {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        QWidget* window = ShownWindow("frmRepCriteria");
        if (window == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        ControlWidget<QDateEdit>(*window, "datDate1")->setDate(QDate(2026, 1, 1));
        ControlWidget<QDateEdit>(*window, "datDate2")->setDate(QDate(2026, 11, 30));
        QTest::mouseClick(ControlWidget(*window, "optSort2"), Qt::LeftButton);
        QTest::mouseClick(ControlWidget(*window, "cmdPreview"), Qt::LeftButton);
    });
    poll->start(20);
}

// The recording replays headless to byte-identical prepared-report JSON.
TEST_F(HostTest, RecordedSessionReplaysToTheSameReport) {
    PrintRequest live;
    live.description = "Returned Items";
    live.ui = "qt";
    live.recordFile = (files / "session.json").string();
    live.outFile = (files / "live.json").string();
    WorkCriteriaDialogWhenShown();
    std::ostringstream liveErrors;
    ASSERT_EQ(RunPrint(live, liveErrors), host::ExitReport) << liveErrors.str();
    const std::string recorded = FileText(*live.recordFile);
    EXPECT_NE(recorded.find(R"(["click","cmdPreview"])"), std::string::npos) << recorded;

    PrintRequest replay;
    replay.description = "Returned Items";
    replay.answersFile = live.recordFile;
    replay.outFile = (files / "replayed.json").string();
    std::ostringstream replayErrors;
    ASSERT_EQ(RunPrint(replay, replayErrors), host::ExitReport) << replayErrors.str();
    EXPECT_EQ(WithoutDsnNames(FileText(*replay.outFile)), WithoutDsnNames(FileText(*live.outFile)));
    EXPECT_NE(FileText(*live.outFile).find("2026-11-30"), std::string::npos);
}

// Wrong --ui and --record combinations are usage errors that name the problem.
TEST_F(HostTest, UiChoicesAreChecked) {
    const struct {
        const char* name;
        std::function<void(PrintRequest&)> change;
        std::string expected;
    } cases[] = {
        {"unknown ui", [](PrintRequest& r) { r.ui = "tk"; },
         "hlreports: --ui must be qt or headless, not tk\n"},
        {"qt with answers",
         [](PrintRequest& r) {
             r.ui = "qt";
             r.answersFile = "answers.json";
         },
         "hlreports: --ui qt and --answers exclude each other: answers play headless\n"},
        {"record headless",
         [](PrintRequest& r) {
             r.ui = "headless";
             r.recordFile = "session.json";
         },
         "hlreports: --record writes what is done in the Qt dialogs; it needs --ui qt\n"},
        {"record into a missing folder",
         [this](PrintRequest& r) {
             r.ui = "qt";
             r.recordFile = (files / "missing" / "session.json").string();
         },
         "hlreports: --record " + (files / "missing" / "session.json").string() +
             ": the folder does not exist\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrintRequest request;
        request.description = "Returned Items";
        c.change(request);
        std::ostringstream errors;
        EXPECT_EQ(RunPrint(request, errors), host::ExitUsage);
        EXPECT_EQ(errors.str(), c.expected);
    }
}

}  // namespace
}  // namespace hlreports::test

// GetReportData: key lookup, the calling order around a builder and the leaving rule, with
// builders of an injected catalogue that record what they were given.
#include <gtest/gtest.h>

#include "catalogue/CatalogueDispatcher.h"
#include "catalogue/CatalogueFixture.h"
#include "data/clsRecordset.h"
#include "engine/CoreSetupService.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

enum class BuilderAction { ReturnRows, Cancel, Raise };

RecordsetPtr OpenRows() {
    auto rows = std::make_shared<Recordset>();
    FieldInfo unit;
    unit.name = "Unit";
    rows->AppendField(unit);
    rows->Open();
    rows->AppendRow({Variant("101")});
    rows->FinishLoading();
    return rows;
}

CatalogueEntry EntryThat(RoadKind road, BuilderAction action) {
    return {road, [action](BuilderContext&) -> RecordsetPtr {
                switch (action) {
                    case BuilderAction::ReturnRows:
                        return OpenRows();
                    case BuilderAction::Cancel:
                        Err().SetPending(ErrorNumber::UserCancelled, "frmRepCriteria", "");
                        return nullptr;
                    case BuilderAction::Raise:
                        Err().Raise(2999, "rptSpy", "the spy failed");
                }
                return nullptr;
            }};
}

class DispatcherTest : public CatalogueTest {
  protected:
    bool bParamsWindow = false;
    bool journalHandled = false;

    RecordsetPtr Dispatch(ReportDispatcher& dispatcher, const std::string& key,
                          const std::string& reportName = "Spy Report") {
        return dispatcher.GetReportData(key, bParamsWindow, journalHandled,
                                        TheSession().currentReport->Parameters(), "qz", "secret",
                                        reportName);
    }
};

// The leaving rule: log-on unless a journal or custom report ran, the key reads only the data
// folder, or the user cancelled; the data-folder formula is set either way; errors still reach
// the caller unchanged after the rule ran.
TEST_F(DispatcherTest, LeavingRuleChoosesLogOnOrDataFolderOnly) {
    struct Case {
        const char* name;
        const char* key;
        RoadKind road;
        BuilderAction action;
        bool logsOn;
        bool journal;
    };
    const Case cases[] = {
        {"rows", "rptSpy", RoadKind::Builder, BuilderAction::ReturnRows, true, false},
        {"cancel", "rptSpy", RoadKind::Builder, BuilderAction::Cancel, false, false},
        {"deposit log", "rptDepositLog", RoadKind::Builder, BuilderAction::ReturnRows, false,
         false},
        {"weekly box score", "rptWeeklyBoxScore", RoadKind::Builder, BuilderAction::ReturnRows,
         false, false},
        {"journal", "rptSpy", RoadKind::Journal, BuilderAction::ReturnRows, false, true},
        {"custom", "rptSpy", RoadKind::CustomReport, BuilderAction::ReturnRows, false, true},
        {"builder error", "rptSpy", RoadKind::Builder, BuilderAction::Raise, true, false},
        {"journal error", "rptSpy", RoadKind::Journal, BuilderAction::Raise, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto report = LoadCurrentReport({});
        CatalogueDispatcher dispatcher(Catalogue{{c.key, EntryThat(c.road, c.action)}});
        journalHandled = true;
        if (c.action == BuilderAction::Raise) {
            const ComError error = CaughtComError([&] { Dispatch(dispatcher, c.key); });
            EXPECT_EQ(error.Number(), 2999);
            EXPECT_EQ(error.Source(), "rptSpy");
            EXPECT_EQ(error.Description(), "the spy failed");
        } else {
            Dispatch(dispatcher, c.key);
        }
        EXPECT_EQ(journalHandled, c.journal);
        EXPECT_EQ(report->LogOns().size(), c.logsOn ? 1U : 0U);
        EXPECT_EQ(FormulaText(*report, "qzDataFolder"), DataFolderFormula());
        EXPECT_TRUE(ui->Messages().empty()) << ui->Messages().front().text;
    }
}

// Keys are matched exactly: case, blanks, and keys of reports not in this catalogue are
// unknown, end in 2500 without any database call, and still pass the leaving rule.
TEST_F(DispatcherTest, UnknownKeysRaise2500) {
    const char* keys[] = {"rptaptstatus", "RPTAPTSTATUS", "rptAptStatus ", " rptAptStatus", "",
                          "custom",       "none",         "rptwo",         "rptNSF "};
    CatalogueDispatcher dispatcher;
    for (const char* key : keys) {
        SCOPED_TRACE(std::string("key '") + key + "'");
        auto report = LoadCurrentReport({});
        CallRecorder recorder;
        journalHandled = true;
        const ComError error = CaughtComError([&] { Dispatch(dispatcher, key); });
        EXPECT_EQ(error.Number(), 2500);
        EXPECT_EQ(error.Source(), "basReports::rpts");
        EXPECT_EQ(error.Description(), "Report datasource is invalid.");
        EXPECT_EQ(Err().Number(), 2500);
        EXPECT_FALSE(journalHandled);
        EXPECT_TRUE(CallRecorder::Calls().empty());
        EXPECT_EQ(report->LogOns().size(), 1U);
    }
}

// What each road is handed: the session's property, criteria and report and the runner's own
// parameter array for all; the wrapper's connection string only for journals and custom
// reports; the report name only for custom reports.
TEST_F(DispatcherTest, HandsEachRoadItsContext) {
    struct Seen {
        std::string propertyId, propertyName, connectionString, reportName;
        Variant criteria;
        CoreParameterArray* parameters = nullptr;
        CoreReport* report = nullptr;
    };
    const std::string connection = TheSession().sharedRecordset->ConnectionString();
    const struct {
        RoadKind road;
        std::string connectionString;
        std::string reportName;
    } cases[] = {{RoadKind::Builder, "", ""},
                 {RoadKind::Journal, connection, ""},
                 {RoadKind::CustomReport, connection, "Owner Summary"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.road));
        auto report = LoadCurrentReport({});
        TheSession().settings.criteria = Variant("B-17");
        Seen seen;
        CatalogueDispatcher dispatcher(
            Catalogue{{"rptSpy", {c.road, [&seen](BuilderContext& context) {
                                      seen = {context.propertyId,       context.propertyName,
                                              context.connectionString, context.reportName,
                                              context.criteria,         &context.reportParameters,
                                              context.report.get()};
                                      return RecordsetPtr();
                                  }}}});
        Dispatch(dispatcher, "rptSpy", "Owner Summary");
        EXPECT_EQ(seen.propertyId, "P1");
        EXPECT_EQ(seen.propertyName, "Maple Court");
        EXPECT_EQ(seen.criteria, Variant("B-17"));
        EXPECT_EQ(seen.parameters, &report->Parameters());
        EXPECT_EQ(seen.report, report.get());
        EXPECT_EQ(seen.connectionString, c.connectionString);
        EXPECT_EQ(seen.reportName, c.reportName);
    }
}

// An entry that needs the setup service finds it initialised with the request's log-on
// before its builder runs; other entries leave it alone.
TEST_F(DispatcherTest, InitialisesTheSetupServiceBeforeBuildersThatNeedIt) {
    files.WriteFile("data/setup.json", R"({"gl_accounts": {}})");
    db.AddProcedure("sp_GetDataFolder", "", "SELECT '" + DataFolder() + "' AS Data_Folder");
    for (const bool needsService : {true, false}) {
        SCOPED_TRACE(needsService);
        LoadCurrentReport({});
        TheSession().setupService.reset();
        bool readyAtBuild = false;
        CatalogueEntry entry{RoadKind::Builder, [&readyAtBuild](BuilderContext&) {
                                 const auto& service = TheSession().setupService;
                                 readyAtBuild =
                                     service && service->IsInitialised() && service->User() == "qz";
                                 return RecordsetPtr();
                             }};
        entry.needsSetupService = needsService;
        CatalogueDispatcher dispatcher(Catalogue{{"rptTransDetailOptions", entry}});
        Dispatch(dispatcher, "rptTransDetailOptions");
        EXPECT_EQ(readyAtBuild, needsService);
    }
}

// Without a current report nothing runs: the call fails with 91 instead of building rows for
// a report that does not exist.
TEST_F(DispatcherTest, RequiresACurrentReport) {
    int builds = 0;
    CatalogueDispatcher dispatcher(
        Catalogue{{"rptSpy", {RoadKind::Builder, [&builds](BuilderContext&) {
                                  ++builds;
                                  return RecordsetPtr();
                              }}}});
    CoreParameterArray parameters;
    const ComError error = CaughtComError([&] {
        dispatcher.GetReportData("rptSpy", bParamsWindow, journalHandled, parameters, "", "", "");
    });
    EXPECT_EQ(error.Number(), ErrorNumber::ObjectRequired);
    EXPECT_EQ(builds, 0);
}

}  // namespace
}  // namespace hlreports::test

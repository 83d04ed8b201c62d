// The screenshot command; see Screenshots.h.
#include "hlreports/Screenshots.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <vector>

#include <sqlite3.h>

#include "hlreports/DemoDatabase.h"
#include "hlreports/HostCommand.h"

#ifdef HL_HAVE_QT
#include <QPixmap>

#include "engine/PageSetup.h"
#include "ui-qt/FormWindow.h"
#include "ui-qt/QtApplication.h"
#include "ui-qt/QtUi.h"
#include "ui-qt/ReportViewer.h"
#include "ui/ActionPlayer.h"
#include "ui/AnswerFile.h"
#endif

namespace hlreports::host {

#ifdef HL_HAVE_QT

namespace {

namespace fs = std::filesystem;

// The report library's description of a data source; empty when the library has none.
// The report of a demo answer file: by data source, or for a custom report's answer file
// (answers/custom/<name>.json) the NONE report whose file is <name>.rpt.
std::string DescriptionOf(const fs::path& database, const fs::path& answers) {
    const bool custom = answers.parent_path().filename() == "custom";
    const std::string key = answers.stem().string();
    sqlite3* connection = nullptr;
    std::string description;
    if (sqlite3_open_v2(database.c_str(), &connection, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        const char* sql =
            custom
                ? "SELECT Description FROM tblReportLib WHERE DataSource = 'NONE' AND "
                  "(Name = ?1 || '.rpt' OR Name LIKE '%/' || ?1 || '.rpt') ORDER BY rowid LIMIT 1"
                : "SELECT Description FROM tblReportLib WHERE DataSource = ?1 ORDER BY rowid "
                  "LIMIT 1";
        if (sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr) == SQLITE_OK) {
            sqlite3_bind_text(statement, 1, key.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(statement) == SQLITE_ROW) {
                description = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(connection);
    return description;
}

// Captures each window as it opens, then plays the answer file's entry for it, as the scripted
// driver would; message boxes are answered unattended and written to the error stream.
class ScreenshotUi final : public QtUi {
  public:
    ScreenshotUi(AnswerFile answers, fs::path folder, std::string key, std::ostream& output,
                 std::ostream& errors)
        : answers_(std::move(answers)),
          folder_(std::move(folder)),
          key_(std::move(key)),
          output_(output),
          errors_(errors) {
        onShown = [this](Form& form, FormWindow& window) { Capture(form, window); };
    }

    int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) override {
        errors_ << ShownMessageBoxTitle(title) << ": " << text << "\n";
        return UnattendedAnswer(style);
    }

  private:
    AnswerFile answers_;
    fs::path folder_;
    std::string key_;
    std::ostream& output_;
    std::ostream& errors_;
    std::size_t shown_ = 0;

    void Capture(Form& form, FormWindow& window) {
        const fs::path file = folder_ / (key_ + "-" + std::to_string(++shown_) + ".png");
        if (!window.grab().save(QString::fromStdString(file.string()))) {
            throw std::runtime_error("cannot write " + file.string());
        }
        output_ << "wrote " << file.string() << " (" << form.Title() << ")\n";
        if (shown_ > answers_.Dialogs().size()) {
            form.RequestClose();  // no answers left: close it, as the person's cancel
            return;
        }
        for (const AnswerAction& action : answers_.Dialogs()[shown_ - 1].actions) {
            if (!form.IsVisible()) {
                break;
            }
            PlayAction(form, action);
            form.DeliverSentKeys();
        }
        if (form.IsVisible()) {
            form.RequestClose();
        }
    }
};

}  // namespace

int RunScreenshots(const std::string& outFolder, std::ostream& output, std::ostream& errors) {
    EnsureQtApplication(true);
    const fs::path folder(outFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) {
        errors << "hlreports: --out-dir " << outFolder << ": cannot create the folder\n";
        return ExitUsage;
    }
    const DemoPaths demo = DefaultDemoPaths();
    EnsureDemoDatabase(demo, false);
    std::vector<fs::path> answerFiles;
    const fs::path answerFolder = demo.reportDirectory.parent_path() / "answers";
    for (const fs::path& from : {answerFolder, answerFolder / "custom"}) {
        for (const auto& entry : fs::directory_iterator(from, error)) {
            if (entry.path().extension() == ".json") {
                answerFiles.push_back(entry.path());
            }
        }
    }
    std::sort(answerFiles.begin(), answerFiles.end());
    int failures = 0;
    bool previewTaken = false;
    for (const fs::path& answers : answerFiles) {
        const std::string key = answers.stem().string();
        PrintRequest request;
        request.description = DescriptionOf(demo.database, answers);
        if (request.description.empty()) {
            errors << "hlreports: " << answers.string() << ": no report of the demo library has "
                   << "this answer file's name\n";
            ++failures;
            continue;
        }
        auto ui =
            std::make_shared<ScreenshotUi>(AnswerFile::Load(answers), folder, key, output, errors);
        std::shared_ptr<CoreReport> report;
        std::ostringstream quiet;
        const int code = RunPrintOn(request, ui, quiet, previewTaken ? nullptr : &report);
        if (code == ExitError || code == ExitUsage) {
            errors << quiet.str();
            ++failures;
        }
        if (report && !previewTaken) {
            ReportViewer viewer(report, PageSetupFor(report->Definition(), PaperKind::Letter));
            viewer.resize(900, 1000);
            viewer.show();
            viewer.SetZoom(ZoomKind::FitWidth);
            const fs::path file = folder / "preview.png";
            viewer.grab().save(QString::fromStdString(file.string()));
            output << "wrote " << file.string() << " (" << request.description << " preview)\n";
            previewTaken = true;
        }
    }
    return failures == 0 ? ExitReport : ExitError;
}

#else

int RunScreenshots(const std::string&, std::ostream&, std::ostream& errors) {
    errors << "hlreports: screenshots need the Qt front-end, which this build does not have\n";
    return ExitUsage;
}

#endif

}  // namespace hlreports::host

// Running one demo answer file (see DemoRun.h).
#include "demo/DemoRun.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "hlreports/HostCommand.h"
#include "runtime/Date.h"

namespace hlreports::test {

namespace fs = std::filesystem;

DemoRun RunDemoAnswers(const std::string& description, const fs::path& answers,
                       const fs::path& folder, const std::optional<std::string>& connection) {
    fs::create_directories(folder);
    setenv("HLREPORTS_DEMO_DB", (folder / "demo.db").c_str(), 1);
    Date::SetClockForTests(Date::FromYmdHms(2026, 12, 6, 12, 0, 0));

    host::PrintRequest request;
    request.description = description;
    request.answersFile = answers.string();
    request.outFile = (folder / "report.json").string();
    if (connection) {
        request.connection = *connection;
    }
    fs::remove(*request.outFile);

    DemoRun run;
    {
        const CallRecorder recorder;
        std::ostringstream messages;
        run.exitCode = host::RunPrint(request, messages);
        run.messages = messages.str();
        run.calls = CallRecorder::Calls();
    }
    std::ifstream in(*request.outFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    run.reportJson = text.str();
    return run;
}

}  // namespace hlreports::test

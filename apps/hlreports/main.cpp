// hlreports: a command-line host that asks for reports as the desktop suite does.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "hlreports/HostCommand.h"
#include "hlreports/Screenshots.h"
#include "hlreports/Version.h"

using namespace hlreports::host;

int main(int argc, char** argv) {
    CLI::App app{
        "hlreports - prepares the suite's reports from the command line.\n"
        "Without --connection the embedded demo database is used (built on first use).\n"
        "A server database is reached through ODBC: --connection \"DSN=NAME;UID=..;PWD=..\" or\n"
        "\"Driver={MariaDB Unicode};Server=HOST;Database=DB;UID=..;PWD=..\"; a classic\n"
        "\"Provider=SQLOLEDB.1;Data Source=HOST;Initial Catalog=DB;User ID=..;Password=..\" "
        "string\n"
        "uses the ODBC driver named by the environment variable HLREPORTS_ODBC_DRIVER.\n"
        "Message boxes go to standard error as 'title: text'; errors as 'error NUMBER (SOURCE): "
        "DESCRIPTION'.\n"
        "Exit codes: 0 report prepared, 1 error, 2 wrong usage, 3 the user cancelled,\n"
        "            4 no report and no error (for example \"There is no information to "
        "print.\")."};
    app.require_subcommand(1);
    // The manual page is generated from --help-all and --version (help2man).
    app.set_help_all_flag("--help-all", "Print this help with every command's options and exit");
    app.set_version_flag("--version", "hlreports " + std::string(hlreports::ComponentVersion()),
                         "Print the component's version and exit");

    PrintRequest print;
    CLI::App* printCommand =
        app.add_subcommand("print", "Prepare a report by its description (as PrintReport)");
    printCommand
        ->add_option("DESCRIPTION", print.description, "Report description in the report library")
        ->required();
    printCommand->add_option("--connection", print.connection,
                             "Connection string: Server=(embedded);Database=FILE, an ODBC string "
                             "(DSN= or Driver=) or a classic provider string (default: the demo "
                             "database)");
    printCommand->add_option("--property-id", print.propertyId, "Current property id")
        ->capture_default_str();
    printCommand->add_option("--property-name", print.propertyName, "Current property name")
        ->capture_default_str();
    printCommand->add_option("--gl-prefix", print.glPrefix, "General-ledger prefix")
        ->capture_default_str();
    printCommand->add_option("--user", print.user, "User name")->capture_default_str();
    printCommand->add_option("--data-folder", print.dataFolder,
                             "Data folder (default: the demo data folder)");
    printCommand->add_option("--qz-user", print.qzUser, "Data-folder user");
    printCommand->add_option("--qz-password", print.qzPassword, "Data-folder password");
    printCommand->add_option("--period-end", print.periodEnd,
                             "Period-end date (default: end of this month)");
    printCommand->add_option("--fiscal-end", print.fiscalEnd, "Fiscal-year-end date");
    printCommand->add_option("--destination", print.destination, "window or printer")
        ->capture_default_str();
    printCommand->add_option(
        "--criteria", print.criteriaJson,
        "Criteria value as JSON: a scalar, null, an array, or an array of arrays (at most "
        "1000000 values, rows x widest row)");
    printCommand->add_option("--answers", print.answersFile,
                             "Answer file that plays the dialogs without windows (JSON, see "
                             "docs/answer-files.md)");
    printCommand->add_option(
        "--out", print.outFile,
        "Write the prepared report: .json, .txt, .html or .pdf (paginated, drawn offscreen; "
        "builds with the Qt front-end)");
    printCommand->add_option(
        "--ui", print.ui,
        "qt: real dialogs, then the preview (window) or the print dialog (printer), unless "
        "--out is given; headless: answer files only. Default: qt when a display is available "
        "and no --answers is given");
    printCommand->add_option("--record", print.recordFile,
                             "With the Qt dialogs: write what you do in them as an answer file "
                             "that --answers replays to the same report");

    PrintRsRequest printRs;
    CLI::App* printRsCommand =
        app.add_subcommand("printrs", "Prepare a report from rows you give (as PrintRS)");
    printRsCommand->add_option("DESCRIPTION", printRs.description, "Report description")
        ->required();
    printRsCommand->add_option("--data", printRs.dataFile, "Rows as recordset XML")->required();
    printRsCommand->add_option("--param", printRs.parameters,
                               "A report parameter value, by position (repeatable)");
    printRsCommand->add_option("--connection", printRs.connection,
                               "Connection string: Server=(embedded);Database=FILE, an ODBC string "
                               "(DSN= or Driver=) or a classic provider string (default: the demo "
                               "database)");
    printRsCommand->add_option("--out", printRs.outFile,
                               "Write the prepared report: .json, .txt, .html or .pdf");

    std::string demoFolder = "demo-output";
    CLI::App* demoCommand = app.add_subcommand(
        "demo", "Build the demo database and print several reports as HTML and text");
    demoCommand->add_option("--out-dir", demoFolder, "Folder for the printed reports")
        ->capture_default_str();

    std::string screenshotFolder = "screenshots";
    CLI::App* screenshotsCommand = app.add_subcommand(
        "screenshots",
        "Render every dialog of the component to PNG (offscreen): each demo answer file runs "
        "its report with the Qt dialogs and each window is captured as <data source>-<n>.png, "
        "plus the preview as preview.png");
    screenshotsCommand->add_option("--out-dir", screenshotFolder, "Folder for the pictures")
        ->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : ExitUsage;
    }
    if (*printCommand) {
        return RunPrint(print, std::cerr);
    }
    if (*printRsCommand) {
        return RunPrintRs(printRs, std::cerr);
    }
    if (*screenshotsCommand) {
        return RunScreenshots(screenshotFolder, std::cout, std::cerr);
    }
    return RunDemo(demoFolder, std::cout, std::cerr);
}

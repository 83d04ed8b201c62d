// Report file to CoreReport; see ReportLoader.h.
#include "engine/ReportLoader.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <fmt/format.h>

#include "engine/EngineErrors.h"

namespace hlreports {
namespace {

// A report file is a few kilobytes; anything this large is not one, and reading it whole
// would only exhaust memory.
constexpr std::uintmax_t MaximumFileBytes = 64u * 1024u * 1024u;

std::string ReadReportFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (path.empty() || error || !std::filesystem::is_regular_file(status)) {
        throw ComError(EngineError::ReportFileNotFound, std::string(EngineError::LoadSource),
                       "Report file not found: " + path);
    }
    const auto fail = [&](const std::string& problem) {
        return ComError(EngineError::MalformedReportFile, std::string(EngineError::LoadSource),
                        fmt::format("Malformed report file {}, line 0: {}", path, problem));
    };
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        throw fail("the file cannot be read (" + error.message() + ")");
    }
    if (size > MaximumFileBytes) {
        throw fail(fmt::format("the file has {} bytes, more than a report file can have ({})", size,
                               MaximumFileBytes));
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        throw fail("the file cannot be opened");
    }
    std::ostringstream text;
    text << stream.rdbuf();
    if (stream.bad()) {
        throw fail("the file cannot be read");
    }
    return std::move(text).str();
}

std::string FieldObjectName(const std::vector<std::shared_ptr<CoreTable>>& tables, int table,
                            const std::string& field) {
    return "{" + tables[static_cast<std::size_t>(table)]->Name() + "." + field + "}";
}

std::shared_ptr<CoreReportObject> FieldObject(std::string name) {
    return std::make_shared<CoreReportObject>(CoreObjectField, nullptr, std::move(name));
}

void AddFooterObjects(CoreSection& section, const FooterDefinition& footer,
                      const std::vector<std::shared_ptr<CoreTable>>& tables, int table) {
    if (footer.count) {
        section.Objects().push_back(FieldObject("Count"));
    }
    for (const SumDefinition& sum : footer.sums) {
        section.Objects().push_back(
            FieldObject("Sum of " + FieldObjectName(tables, table, sum.field)));
    }
}

// One section per printed part the file declares; see "How the object model sees a file".
std::vector<std::shared_ptr<CoreSection>> BuildSections(
    const ReportDefinition& definition, const std::vector<std::shared_ptr<CoreTable>>& tables,
    const std::vector<std::shared_ptr<CoreReport>>& subreports) {
    std::vector<std::shared_ptr<CoreSection>> sections;
    if (definition.hasPageHeader) {
        auto section = std::make_shared<CoreSection>("PageHeader");
        for (const HeaderItem& item : definition.pageHeader) {
            switch (item.kind) {
                case HeaderItemKind::Parameter:
                    section->Objects().push_back(FieldObject("{?" + item.name + "}"));
                    break;
                case HeaderItemKind::Formula:
                    section->Objects().push_back(FieldObject("{@" + item.name + "}"));
                    break;
                case HeaderItemKind::ReportDate:
                    section->Objects().push_back(FieldObject("ReportDate"));
                    break;
                case HeaderItemKind::Text:
                    section->Objects().push_back(
                        std::make_shared<CoreReportObject>(CoreObjectText, nullptr, "Text"));
                    break;
            }
        }
        sections.push_back(std::move(section));
    }
    if (definition.hasDetail) {
        auto section = std::make_shared<CoreSection>("Detail");
        for (const ColumnDefinition& column : definition.columns) {
            section->Objects().push_back(
                FieldObject(FieldObjectName(tables, definition.bodyTable, column.field)));
        }
        sections.push_back(std::move(section));
    }
    for (std::size_t i = 0; i < definition.groups.size(); ++i) {
        const GroupDefinition& group = definition.groups[i];
        auto header = std::make_shared<CoreSection>(fmt::format("GroupHeader{}", i + 1));
        header->Objects().push_back(
            FieldObject(FieldObjectName(tables, definition.bodyTable, group.field)));
        sections.push_back(std::move(header));
        if (group.footer) {
            auto footer = std::make_shared<CoreSection>(fmt::format("GroupFooter{}", i + 1));
            AddFooterObjects(*footer, *group.footer, tables, definition.bodyTable);
            sections.push_back(std::move(footer));
        }
    }
    if (definition.reportFooter) {
        auto section = std::make_shared<CoreSection>("ReportFooter");
        AddFooterObjects(*section, *definition.reportFooter, tables, definition.bodyTable);
        for (const auto& subreport : subreports) {
            section->Objects().push_back(std::make_shared<CoreReportObject>(
                CoreObjectSubreport, std::make_shared<CoreSubreportObject>(subreport),
                subreport->Name()));
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

}  // namespace

void ReportLoader::Load(CoreReport& report, const std::string& path) {
    LoadFromText(report, ReadReportFile(path), path);
}

void ReportLoader::LoadFromText(CoreReport& report, std::string_view xmlText,
                                const std::string& path) {
    const std::string stem = std::filesystem::path(path).stem().string();
    Install(report, ParseReportDefinition(xmlText, path, stem), path);
}

void ReportLoader::Install(CoreReport& report, ParsedReport parsed, const std::string& path) {
    // Sub-reports first: nothing below can fail once they are built, so the report changes
    // all at once.
    std::vector<std::shared_ptr<CoreReport>> subreports;
    for (ParsedReport& child : parsed.subreports) {
        auto subreport = std::make_shared<CoreReport>();
        Install(*subreport, std::move(child), path);
        subreports.push_back(std::move(subreport));
    }
    auto definition = std::make_unique<ReportDefinition>(std::move(parsed.definition));
    report.sections_ = BuildSections(*definition, parsed.tables, subreports);
    report.path_ = path;
    report.name_ = std::move(parsed.name);
    report.title_ = std::move(parsed.title);
    report.connectionName_ = std::move(parsed.connectionName);
    report.hasReportDate_ = false;
    report.reportDate_ = Date();
    report.database_->Tables() = std::move(parsed.tables);
    report.parameters_ = std::move(parsed.parameters);
    report.formulas_ = std::move(parsed.formulas);
    report.subreports_ = std::move(subreports);
    report.logOns_.clear();
    report.definition_ = std::move(definition);
}

}  // namespace hlreports

// PageSetup: the sheet a paginated report is laid out on: paper, orientation and margins, all in
// points (1/72 inch), the unit PDF and printers speak. A report file may name its paper and
// orientation (<page paper="a4" orientation="landscape"/>); what it leaves open comes from the
// locale, as a desk user expects: Letter where the territory prints on Letter (the United States,
// Canada and their neighbours), A4 everywhere else, Letter when no locale is set.
#pragma once

#include <string_view>

#include "engine/ReportDefinition.h"

namespace hlreports {

struct PageSetup {
    PaperKind paper = PaperKind::Letter;
    OrientationKind orientation = OrientationKind::Portrait;
    double marginPoints = 36;  // half an inch on every side

    double WidthPoints() const;
    double HeightPoints() const;
    double PrintableWidthPoints() const { return WidthPoints() - 2 * marginPoints; }
};

// "en_US.UTF-8" gives Letter, "de_DE.UTF-8" A4; "", "C" and "POSIX" give Letter.
PaperKind PaperForLocale(std::string_view localeName);
// The paper of this process's locale: LC_ALL, then LC_PAPER, then LANG.
PaperKind PaperOfEnvironment();
// The file's paper and orientation where it states them, the locale's paper otherwise.
PageSetup PageSetupFor(const ReportDefinition* definition, PaperKind localePaper);

// "letter", "a4", "legal"; no value for anything else (ignoring case).
std::optional<PaperKind> PaperFromName(std::string_view name);

}  // namespace hlreports

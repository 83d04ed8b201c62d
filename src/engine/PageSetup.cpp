// Paper sizes and the locale's paper; see PageSetup.h.
#include "engine/PageSetup.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "runtime/Text.h"

namespace hlreports {
namespace {

struct PaperSize {
    PaperKind kind;
    std::string_view name;
    double widthPoints;  // portrait
    double heightPoints;
};

constexpr std::array<PaperSize, 3> Papers = {{
    {PaperKind::Letter, "letter", 612, 792},
    {PaperKind::A4, "a4", 595.28, 841.89},
    {PaperKind::Legal, "legal", 612, 1008},
}};

const PaperSize& SizeOf(PaperKind kind) {
    const auto found = std::find_if(Papers.begin(), Papers.end(),
                                    [kind](const PaperSize& paper) { return paper.kind == kind; });
    return found == Papers.end() ? Papers.front() : *found;
}

// Territories that print on Letter (the rest of the world uses A4).
constexpr std::array<std::string_view, 12> LetterTerritories = {"US", "CA", "MX", "PR", "PH", "CL",
                                                                "CO", "VE", "CR", "GT", "SV", "PA"};

}  // namespace

double PageSetup::WidthPoints() const {
    const PaperSize& size = SizeOf(paper);
    return orientation == OrientationKind::Landscape ? size.heightPoints : size.widthPoints;
}

double PageSetup::HeightPoints() const {
    const PaperSize& size = SizeOf(paper);
    return orientation == OrientationKind::Landscape ? size.widthPoints : size.heightPoints;
}

PaperKind PaperForLocale(std::string_view localeName) {
    // language[_TERRITORY][.codeset][@modifier]
    const std::size_t underscore = localeName.find('_');
    if (underscore == std::string_view::npos) {
        return PaperKind::Letter;
    }
    std::string_view territory = localeName.substr(underscore + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
    const bool letter = std::find(LetterTerritories.begin(), LetterTerritories.end(), territory) !=
                        LetterTerritories.end();
    return letter ? PaperKind::Letter : PaperKind::A4;
}

PaperKind PaperOfEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return PaperForLocale(value);
        }
    }
    return PaperKind::Letter;
}

PageSetup PageSetupFor(const ReportDefinition* definition, PaperKind localePaper) {
    PageSetup setup;
    setup.paper = localePaper;
    if (definition == nullptr) {
        return setup;
    }
    if (definition->paper) {
        setup.paper = *definition->paper;
    }
    if (definition->orientation) {
        setup.orientation = *definition->orientation;
    }
    return setup;
}

std::optional<PaperKind> PaperFromName(std::string_view name) {
    for (const PaperSize& paper : Papers) {
        if (EqualsIgnoreCase(paper.name, name)) {
            return paper.kind;
        }
    }
    return std::nullopt;
}

}  // namespace hlreports

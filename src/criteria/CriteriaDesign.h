// The design of a criteria window as data: one row per control with its kind, name (and index
// for a control array), container, design caption, geometry in twips and whether it is visible
// before a layout runs. Children are placed inside their container; a container comes before its
// children. frmRepCriteria's generic layouts' rows live in frmRepCriteria.cpp, its special pages'
// rows in CriteriaPages.cpp; frmDetailTrasactionOptions keeps its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ui/Form.h"

namespace hlreports {

struct DesignControl {
    ControlKind kind;
    const char* name;
    std::optional<int> index;
    const char* container;  // "" for the form
    const char* caption;
    int32_t left, top, width, height;
    bool shown = true;  // before a layout runs
    int tab = -1;       // the page of a tab-control container
};

void AddDesignControls(Form& form, std::span<const DesignControl> design);

}  // namespace hlreports

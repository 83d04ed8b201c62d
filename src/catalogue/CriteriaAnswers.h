// The answers of a closed frmRepCriteria, handed to the value sources of a catalogue row: every
// result property by its name ("StartDate", "Sort", "RangeStart", "ChgDescription", ...), typed
// as the property is (dates, texts, booleans, doubles).
#pragma once

#include "catalogue/ValueSources.h"

namespace hlreports {

class frmRepCriteria;

// False, writing nothing, when the user did not confirm the dialog (Result is False).
bool CollectAnswers(const frmRepCriteria& form, BuilderValues& values);

}  // namespace hlreports

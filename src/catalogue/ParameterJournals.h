// Parameter journals: reports whose file reads its own data. The builder points the report at the
// database (SetReportDatabase with the shared wrapper's connection string) and fills the report's
// own parameters, found by name, from the host's criteria value; it returns no rows, and the
// dispatcher marks the call as a journal.
//
// Each row of a journal is one report parameter, set in row order:
//   ListItems   - the value's text split at ","; each item added (AddCurrentValue) in order, then
//                 the parameter looked up again and applied (ApplyValues); an empty text adds
//                 and applies nothing;
//   AddAndApply - the value added as one item, then applied;
//   Set         - the value set (SetCurrentValue).
// The parameter is looked up with ParameterByName for every call, as the engine may hand out a
// fresh object per lookup. Every criteria value is read and every parameter looked up before the
// report is touched, so bad criteria (too few elements, text that is no number) and a report
// without one of the parameters leave it as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/BuilderContext.h"
#include "catalogue/ReportError.h"
#include "catalogue/ValueSources.h"
#include "recordset/Recordset.h"

namespace hlreports {

enum class JournalSettingKind { ListItems, AddAndApply, Set };

struct JournalParameter {
    std::string name;
    ValueSource value;
    JournalSettingKind setting = JournalSettingKind::Set;
};

struct JournalSpec {
    std::string key;
    std::optional<ReportError> error;  // none: errors reach the runner unchanged
    std::vector<JournalParameter> parameters;
};

const std::vector<JournalSpec>& ParameterJournalSpecs();

// Always returns nullptr: the report object carries everything.
RecordsetPtr RunParameterJournal(const JournalSpec& spec, BuilderContext& context);

}  // namespace hlreports

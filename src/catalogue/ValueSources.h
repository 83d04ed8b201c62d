// Value sources: the small named functions from which a catalogue row takes each procedure
// argument, formula value, journal parameter and sub-report filter. They read a BuilderValues:
// the session's property, the host's criteria value, today's date, the criteria window's answers
// and, after the run, the procedure's output values.
//
// Values are typed the way the builders' own variables were: texts as strings, dates as dates,
// counts as integers. A Null criteria value skips every criteria read: text reads give "",
// number reads 0, date reads the zero date, untyped reads Empty. Otherwise a read of a missing
// element raises 9 "Subscript out of range", of a value that is no array 13 "Type mismatch",
// and a conversion that fails its own classic error (13, 94, 6); the builder then raises that
// description under its own number.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "data/SPParams.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace hlreports {

struct BuilderValues {
    std::string propertyId;
    std::string propertyName;
    Variant criteria;
    Date today;  // taken once per request, so that every "today" of one report agrees
    // The criteria window's answers by name ("StartDate", "Sort", ...); filled by the layout.
    std::map<std::string, Variant, std::less<>> answers;
    // The procedure's parameter list after the run; outputs are read from it by "@name".
    const SPParams* outputs = nullptr;
};

struct ValueSource {
    std::function<Variant(const BuilderValues&)> read;
    // Output reads can only be made after the procedure ran; every other read is made before,
    // so that bad criteria fail before anything runs.
    bool readsOutput = false;
};

// The session's property: id, name, and the printed "id - name".
ValueSource PropertyId();
ValueSource PropertyName();
ValueSource PropertyIdAndName();
ValueSource Today();
ValueSource Literal(Variant value);

// A host that gives no criteria at all (Empty, Missing) asks as one that gives Null: the builders
// that show their window only without criteria show it then, instead of running for nothing.
bool HasNoCriteria(const Variant& criteria);

// The criteria value itself, unchanged, or converted to a double (Null raises 94).
ValueSource CriteriaValue();
ValueSource CriteriaDouble();
// Element n of a one-dimensional criteria array: unchanged, as text, as a 4-byte integer, as a
// date.
ValueSource CriteriaElement(int n);
ValueSource CriteriaText(int n);
ValueSource CriteriaLong(int n);
ValueSource CriteriaDate(int n);
// Element (row, column) of a two-dimensional criteria array: unchanged or as a 4-byte integer.
ValueSource CriteriaElement(int row, int column);
ValueSource CriteriaLong(int row, int column);

// A criteria window's answer; a name the layout did not answer is a fault of the row.
ValueSource Answer(std::string name);
// An output parameter's value by its "@" name, typed by its declared ADO type (Null stays Null).
ValueSource Output(std::string name);

// The value as a variable of the ADO type holds it: 200 text, 133 date, 3 Long, 2 Integer,
// 5 Double; Null, Empty and Missing (no value came back) unchanged; other types unchanged.
Variant AdoTypedValue(const Variant& value, int32_t adoType);

}  // namespace hlreports

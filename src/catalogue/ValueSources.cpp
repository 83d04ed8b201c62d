// The value sources of the catalogue rows; see ValueSources.h for the typing and criteria rules.
#include "catalogue/ValueSources.h"

#include <cassert>

#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

// The classic reads skip a Null criteria value altogether: the variables keep their defaults.
Variant ElementOf(const Variant& criteria, int n) {
    if (criteria.IsNull()) {
        return Variant();
    }
    return criteria.AsArray().At(n);
}

Variant ElementOf(const Variant& criteria, int row, int column) {
    if (criteria.IsNull()) {
        return Variant();
    }
    return criteria.AsArray().At(row, column);
}

}  // namespace

bool HasNoCriteria(const Variant& criteria) {
    return criteria.IsNull() || criteria.IsEmpty() || criteria.IsMissing();
}

ValueSource PropertyId() {
    return {[](const BuilderValues& values) { return Variant(values.propertyId); }};
}

ValueSource PropertyName() {
    return {[](const BuilderValues& values) { return Variant(values.propertyName); }};
}

ValueSource PropertyIdAndName() {
    return {[](const BuilderValues& values) {
        return Variant(values.propertyId + " - " + values.propertyName);
    }};
}

ValueSource Today() {
    return {[](const BuilderValues& values) { return Variant(values.today); }};
}

ValueSource Literal(Variant value) {
    return {[value](const BuilderValues&) { return value; }};
}

ValueSource CriteriaValue() {
    return {[](const BuilderValues& values) { return values.criteria; }};
}

ValueSource CriteriaDouble() {
    return {[](const BuilderValues& values) { return Variant(values.criteria.ToDouble()); }};
}

ValueSource CriteriaElement(int n) {
    return {[n](const BuilderValues& values) { return ElementOf(values.criteria, n); }};
}

ValueSource CriteriaText(int n) {
    return {[n](const BuilderValues& values) {
        return Variant(ElementOf(values.criteria, n).ToString());
    }};
}

ValueSource CriteriaLong(int n) {
    return {[n](const BuilderValues& values) {
        return Variant(ElementOf(values.criteria, n).ToLong());
    }};
}

ValueSource CriteriaDate(int n) {
    return {[n](const BuilderValues& values) {
        return Variant(ElementOf(values.criteria, n).ToDate());
    }};
}

ValueSource CriteriaElement(int row, int column) {
    return {[row, column](const BuilderValues& values) {
        return ElementOf(values.criteria, row, column);
    }};
}

ValueSource CriteriaLong(int row, int column) {
    return {[row, column](const BuilderValues& values) {
        return Variant(ElementOf(values.criteria, row, column).ToLong());
    }};
}

ValueSource Answer(std::string name) {
    return {[name = std::move(name)](const BuilderValues& values) {
        auto answer = values.answers.find(name);
        assert(answer != values.answers.end() && "the layout gives no answer of this name");
        return answer == values.answers.end() ? Variant() : answer->second;
    }};
}

ValueSource Output(std::string name) {
    return {[name = std::move(name)](const BuilderValues& values) {
                assert(values.outputs && "an output is read before the procedure ran");
                if (values.outputs == nullptr) {
                    return Variant();
                }
                const SPParam& parameter = values.outputs->Item(name);
                return AdoTypedValue(parameter.Value(), parameter.DataType());
            },
            true};
}

Variant AdoTypedValue(const Variant& value, int32_t adoType) {
    if (value.IsNull() || value.IsEmpty() || value.IsMissing()) {
        return value;
    }
    switch (adoType) {
        case adVarChar:
            return Variant(value.ToString());
        case adDBDate:
            return Variant(value.ToDate());
        case adInteger:
            return Variant(value.ToLong());
        case adSmallInt:
            return Variant::Integer(value.ToInteger());
        case adDouble:
            return Variant(value.ToDouble());
        default:
            return value;
    }
}

}  // namespace hlreports

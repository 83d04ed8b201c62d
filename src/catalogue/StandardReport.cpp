// The shared builder steps of the ReportRow rows; the order is fixed in StandardReport.h.
#include "catalogue/StandardReport.h"

#include <vector>

#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "runtime/Err.h"
#include "service/RunnerHelpers.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

SPParams BuildParameters(const ReportRow& spec, const BuilderValues& values) {
    SPParams params;
    for (const ParameterSpec& parameter : spec.parameters) {
        params.Add(parameter.name, parameter.adoType, parameter.size, parameter.direction,
                   parameter.direction == adParamOutput ? Variant::Missing()
                                                        : parameter.value.read(values));
    }
    return params;
}

// Reads the formula values of one phase: before the run (outputs == false) or after it.
void ReadFormulaValues(const ReportRow& spec, const BuilderValues& values, bool outputs,
                       std::vector<Variant>& formulaValues) {
    for (std::size_t i = 0; i < spec.formulas.size(); ++i) {
        if (spec.formulas[i].value.readsOutput == outputs) {
            formulaValues[i] = spec.formulas[i].value.read(values);
        }
    }
}

const FormulaSpec* FormulaNamed(const ReportRow& spec, const std::string& name) {
    for (const FormulaSpec& formula : spec.formulas) {
        if (formula.name == name) {
            return &formula;
        }
    }
    return nullptr;
}

void SetFormulaValues(const ReportRow& spec, const std::vector<Variant>& formulaValues,
                      CoreParameterArray& reportParameters) {
    for (const auto& parameter : reportParameters) {
        const FormulaSpec* formula = FormulaNamed(spec, parameter->Name());
        if (formula == nullptr) {
            continue;
        }
        const auto index = static_cast<std::size_t>(formula - spec.formulas.data());
        parameter->SetCurrentValue(formulaValues[index]);
    }
}

RecordsetPtr Run(const ReportRow& spec, SPParams& params) {
    RecordsetPtr rows;
    const bool succeeded =
        spec.ReadsOutputs()
            ? SharedRecordset().RunSPRetRSOutParams(spec.procedure, &params, rows, false)
            : SharedRecordset().RunSpRetRS(spec.procedure, rows, &params, false);
    if (succeeded && !rows) {
        rows = std::make_shared<Recordset>();
    }
    return succeeded ? rows : nullptr;
}

RecordsetPtr Build(const ReportRow& spec, BuilderContext& context) {
    BuilderValues values{
        context.propertyId, context.propertyName, context.criteria, Date::Today(), {}, nullptr};
    if (spec.window) {
        if (!spec.window->layout(*spec.window, values)) {
            return nullptr;
        }
        context.bParamsWindow = true;
    }

    std::vector<Variant> formulaValues(spec.formulas.size());
    std::vector<std::string> filters;
    SPParams params = BuildParameters(spec, values);
    ReadFormulaValues(spec, values, false, formulaValues);
    for (const SubreportFeed& feed : spec.subreports) {
        filters.push_back(feed.filter.read(values).ToString());
    }

    RecordsetPtr rows = Run(spec, params);
    if (!rows) {
        return nullptr;
    }
    values.outputs = &params;
    ReadFormulaValues(spec, values, true, formulaValues);
    SetFormulaValues(spec, formulaValues, context.reportParameters);
    if (rows->IsOpen()) {
        for (std::size_t i = 0; i < spec.subreports.size(); ++i) {
            SetSubreportRecordset(*context.report, spec.subreports[i].name, *rows, filters[i]);
        }
    }
    if (spec.afterRun != nullptr) {
        spec.afterRun(context, values, rows);
    }
    return rows;
}

}  // namespace

RecordsetPtr RunStandardReport(const ReportRow& spec, BuilderContext& context) {
    Err().Clear();
    try {
        return Build(spec, context);
    } catch (...) {
        RaiseReportError(spec.error);
    }
}

}  // namespace hlreports

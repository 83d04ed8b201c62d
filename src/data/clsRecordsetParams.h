// The wrapper's parameter-list helpers: turning an SPParams list into backend arguments
// (CreateParams, 3203) and copying output values back into it by name (GetOutputParams, 3220).
// The argument text (ParamsToString, 3204) is a static member of clsRecordset.
#pragma once

#include <vector>

#include "data/Connections.h"
#include "data/SPParams.h"

namespace hlreports {

std::vector<ProcedureArgument> CreateParams(const SPParams& colParams);
// `outputs` holds one value per argument, as the backend returns them.
void GetOutputParams(const std::vector<ProcedureArgument>& arguments,
                     const std::vector<Variant>& outputs, SPParams& colParams);

}  // namespace hlreports

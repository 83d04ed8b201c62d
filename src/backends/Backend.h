// Backend: the one interface between clsRecordset and a database, implemented by each backend
// folder under backends/ (data/Connections.h picks one by connection string).
//
// Every failure is a ComError whose description names the problem (the database's own message);
// clsRecordset adds its number, source and " SP:"/" SQL:" suffix.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/Recordset.h"
#include "runtime/Variant.h"

namespace hlreports {

// A procedure parameter as the command road hands it over (name with "@", ADO type, size,
// direction, value). Output values come back in the same order.
struct ProcedureArgument {
    std::string name;
    int32_t type = 0;
    int32_t size = 0;
    int32_t direction = 1;
    Variant value;
};

struct ProcedureResult {
    RecordsetPtr rows;             // nullptr when the procedure returned no row set
    std::vector<Variant> outputs;  // one per argument; Empty for inputs
};

class Connection {
  public:
    virtual ~Connection() = default;

    // Runs SQL text (one or more statements) without rows.
    virtual void Execute(std::string_view sql) = 0;
    // Runs SQL text, or a procedure call written as text ("sp_x @A='1',@B=2", "EXEC sp_y 'x'"),
    // and returns its last row set, or nullptr when it returns none.
    virtual RecordsetPtr OpenRecordset(std::string_view sqlOrCall) = 0;
    // The command road: binds arguments by position in list order (a name that differs from
    // the declared parameter at that position fails); outputs come back by position.
    virtual ProcedureResult CallProcedure(std::string_view name,
                                          const std::vector<ProcedureArgument>& arguments) = 0;

    virtual void BeginTransaction() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual bool InTransaction() const = 0;

    // Writes the recordset's pending changes back to its base table (fields' baseTable,
    // key columns or, without them, every original value, in the WHERE clause).
    virtual void UpdateBatch(Recordset& recordset) = 0;
};

}  // namespace hlreports

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

// What the wrapper asks of every connection it opens. Backends that cannot time out a
// statement or a login ignore the figure they cannot use (the embedded one ignores both).
struct ConnectionOptions {
    int commandTimeoutSeconds = 30;
    int connectionTimeoutSeconds = 15;
};

// A value for one "@Name" placeholder of a read-only query, or for one argument of a read-only
// procedure call (bound by name there; missing arguments take their declared defaults).
struct BoundValue {
    std::string name;  // with "@"
    Variant value;     // the single value; Null stands for "no value"
    // A query's list (`IN (@Batch)`): the placeholder stands for one value per item, or for one
    // NULL when the list is empty. A procedure argument is never a list.
    bool isList = false;
    std::vector<Variant> items;
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

    // The read-only road (report tables reading their own rows, custom-report list SQL). Every
    // value is bound, never written into the text. Before anything runs, it refuses (with the
    // texts of ReadOnlyRoad.h) a text holding more than one statement and any statement that
    // could change the database or the connection: writes, schema changes, transaction control,
    // ATTACH, PRAGMA. A placeholder without a value, or a value for no placeholder, fails naming
    // it. OpenReadOnly runs one query and returns its rows (a statement without rows is refused);
    // CallReadOnly runs a procedure whose every statement only reads and returns its last row
    // set, or nullptr when it returns none.
    virtual RecordsetPtr OpenReadOnly(std::string_view sql,
                                      const std::vector<BoundValue>& values) = 0;
    virtual RecordsetPtr CallReadOnly(std::string_view procedure,
                                      const std::vector<BoundValue>& arguments) = 0;

    virtual void BeginTransaction() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual bool InTransaction() const = 0;

    // Writes the recordset's pending changes back to its base table (fields' baseTable,
    // key columns or, without them, every original value, in the WHERE clause).
    virtual void UpdateBatch(Recordset& recordset) = 0;
};

}  // namespace hlreports

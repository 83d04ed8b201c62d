// Batch update shared by the backends: the bound UPDATE/INSERT/DELETE statements that write a
// recordset's pending changes (edited, new and deleted rows) back to its one base table. Each
// backend supplies its spelling (identifier quotes, how a column matches its original value,
// a row of defaults), the table's primary key and a way to run one bound statement; the caller
// wraps the whole batch in a transaction or savepoint, so it lands whole or not at all.
//
// Rows are located by the table's primary key when the recordset carries all of its columns,
// plus, for an edit, the original values of the changed columns (so that a row changed by
// someone else since it was read is noticed); otherwise by every original base-column value.
// A NULL original is matched with IS NULL. A statement that touches no row, or more than one
// (the locator cannot tell identical rows apart), is an error.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/Recordset.h"

namespace hlreports {

class BatchUpdateDialect {
  public:
    virtual ~BatchUpdateDialect() = default;
    // A table or column name as the statement writes it.
    virtual std::string Quote(std::string_view name) const = 0;
    // The condition that the quoted column equals one bound, non-NULL value ("c = ?").
    virtual std::string Equals(const FieldInfo& field, const std::string& column) const = 0;
    // What follows "INSERT INTO t" for a row of defaults only.
    virtual std::string DefaultRow() const = 0;
};

struct BatchValue {
    Variant value;
    const FieldInfo* field;  // the recordset's field the value belongs to
};

struct BatchStatement {
    std::string sql;
    std::vector<BatchValue> values;  // one per "?", in order
    // "updating" / "deleting" when the statement must touch a row; empty for an insert.
    std::string locates;
};

// Runs one statement with its values bound and returns how many rows it changed.
using BatchStatementRunner = std::function<std::int64_t(const BatchStatement& statement)>;
// The primary key columns of a table, in key order (empty when it has none).
using PrimaryKeyReader =
    std::function<std::vector<std::string>(const std::string& table, const std::string& catalog)>;

// Writes every pending change, in the order the changes were made. Raises naming the problem
// when the recordset has no base table or several, and when a row cannot be located.
void WritePendingChanges(const Recordset& recordset, const BatchUpdateDialect& dialect,
                         const PrimaryKeyReader& primaryKey, const BatchStatementRunner& run);

}  // namespace hlreports

// Result cells of the ODBC backend, straight into a recordset's loader, two ways: from the
// buffers of a block fetch (every column bound, many rows a fetch), or cell by cell with
// SQLGetData when a column holds long text or binary data that no fixed buffer fits.
//
// Whole numbers travel as SQL_C_SBIGINT, reals as SQL_C_DOUBLE, money and decimals as their exact
// text, dates, times and timestamps as ODBC structures, text as UTF-8 where the statement's
// driver hands narrow text over that way (else UTF-16) and binary data as bytes (kept as
// lowercase hex), so nothing is rounded on the way. A value its field cannot hold is
// refused with a ComError naming the column ("column Amount: '1e999' is out of range for money")
// or by the loader's checks.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "backends/odbc/OdbcHandles.h"
#include "backends/odbc/OdbcTypes.h"
#include "recordset/RecordsetLoader.h"

namespace hlreports {

// One column's cells of a block: the values side by side as the driver writes them (binding by
// column), and their length or NULL indicators.
class OdbcColumnBuffer {
  public:
    // Room for `rows` cells of a column of the ADO type whose size (characters of text, bytes of
    // binary data) the driver described; nothing for text or binary data longer than a buffer
    // should hold, which is then read with SQLGetData. Text is fetched as UTF-8 when
    // `textIsUtf8`, else as UTF-16.
    static std::optional<OdbcColumnBuffer> For(int32_t adoType, SQLULEN columnSize, SQLULEN rows,
                                               bool textIsUtf8);

    void Bind(const OdbcHandle& statement, SQLUSMALLINT column);
    // Cell `index` of the last block into cell (column, row) of the loader.
    void Load(std::size_t index, RecordsetLoader& loader, int column, uint32_t row,
              std::string_view place) const;

  private:
    OdbcColumnBuffer(OdbcValueKind kind, bool textIsUtf8, SQLLEN cellBytes, SQLULEN rows);

    OdbcValueKind kind_;
    bool textIsUtf8_;
    SQLLEN cellBytes_;
    std::vector<uint64_t> values_;  // 8-byte words keep every C type aligned
    std::vector<SQLLEN> indicators_;
};

// Cell `column` (1-based) of the current row, read with SQLGetData, into cell (field, row).
void LoadOdbcCell(const OdbcHandle& statement, SQLUSMALLINT column, RecordsetLoader& loader,
                  int field, uint32_t row, std::string_view place);

}  // namespace hlreports

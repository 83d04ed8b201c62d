// Reading a result set into a Recordset (see OdbcRows.h).
#include "backends/odbc/OdbcRows.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "backends/odbc/OdbcCells.h"
#include "backends/odbc/OdbcText.h"
#include "backends/odbc/OdbcTypes.h"
#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

constexpr SQLSMALLINT kNameUnits = 256;
// Rows a block fetch asks for: enough to spread the per-call cost of the driver, few enough that
// a block of text columns stays small.
constexpr SQLULEN kBlockRows = 256;

std::string TextAttribute(const OdbcHandle& statement, SQLUSMALLINT column,
                          SQLUSMALLINT attribute) {
    SQLWCHAR text[kNameUnits] = {};
    SQLSMALLINT bytes = 0;
    SQLRETURN rc =
        SQLColAttributeW(statement.Get(), column, attribute, text, sizeof text, &bytes, nullptr);
    if (!OdbcSucceeded(rc) || bytes <= 0) {
        return "";
    }
    std::size_t units =
        std::min<std::size_t>(static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR), kNameUnits - 1);
    return FromOdbcWide(text, units);
}

struct DescribedColumn {
    std::string name;
    OdbcColumnType type;
};

DescribedColumn Describe(const OdbcHandle& statement, SQLUSMALLINT column) {
    SQLWCHAR name[kNameUnits] = {};
    SQLSMALLINT nameUnits = 0;
    DescribedColumn described;
    SQLSMALLINT nullable = SQL_NULLABLE_UNKNOWN;
    CheckOdbc(SQLDescribeColW(statement.Get(), column, name, kNameUnits, &nameUnits,
                              &described.type.sqlType, &described.type.size, &described.type.digits,
                              &nullable),
              statement, "describing the result columns");
    described.name = FromOdbcWide(
        name, std::min<std::size_t>(static_cast<std::size_t>(nameUnits), kNameUnits - 1));
    described.type.nullable = nullable != SQL_NO_NULLS;
    return described;
}

// Leaves the statement fetching one row at a time into no bound buffer, as every other reader
// of it expects, however the block fetch ends.
class BlockFetchScope {
  public:
    explicit BlockFetchScope(const OdbcHandle& statement) : statement_(statement) {}
    ~BlockFetchScope() {
        SQLFreeStmt(statement_.Get(), SQL_UNBIND);
        SQLSetStmtAttr(statement_.Get(), SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1),
                       0);
        SQLSetStmtAttr(statement_.Get(), SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
        SQLSetStmtAttr(statement_.Get(), SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
    }
    BlockFetchScope(const BlockFetchScope&) = delete;
    BlockFetchScope& operator=(const BlockFetchScope&) = delete;

  private:
    const OdbcHandle& statement_;
};

// Every column bound: up to kBlockRows rows a fetch, or one when the driver takes no more.
void ReadBlocks(const OdbcHandle& statement, std::vector<OdbcColumnBuffer>& buffers,
                const std::vector<std::string>& places, RecordsetLoader& loader) {
    const BlockFetchScope scope(statement);
    SQLULEN fetched = 0;
    std::vector<SQLUSMALLINT> statuses(kBlockRows, SQL_ROW_NOROW);
    if (!OdbcSucceeded(SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROW_ARRAY_SIZE,
                                      reinterpret_cast<SQLPOINTER>(kBlockRows), 0))) {
        SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1),
                       0);
    }
    CheckOdbc(SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0), statement,
              "binding the result columns");
    CheckOdbc(SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROW_STATUS_PTR, statuses.data(), 0),
              statement, "binding the result columns");
    for (std::size_t c = 0; c < buffers.size(); ++c) {
        buffers[c].Bind(statement, static_cast<SQLUSMALLINT>(c + 1));
    }
    while (true) {
        const SQLRETURN rc = SQLFetch(statement.Get());
        if (rc == SQL_NO_DATA) {
            return;
        }
        CheckOdbc(rc, statement, "fetching row " + std::to_string(loader.RowCount() + 1));
        for (std::size_t index = 0; index < std::min<SQLULEN>(fetched, kBlockRows); ++index) {
            if (statuses[index] == SQL_ROW_ERROR) {
                RaiseOdbcError(statement, "fetching row " + std::to_string(loader.RowCount() + 1));
            }
            const uint32_t row = loader.AppendRow();
            for (std::size_t c = 0; c < buffers.size(); ++c) {
                buffers[c].Load(index, loader, static_cast<int>(c), row, places[c]);
            }
        }
    }
}

// A row at a time, every cell with SQLGetData.
void ReadCells(const OdbcHandle& statement, const std::vector<std::string>& places,
               RecordsetLoader& loader) {
    while (true) {
        const SQLRETURN rc = SQLFetch(statement.Get());
        if (rc == SQL_NO_DATA) {
            return;
        }
        CheckOdbc(rc, statement, "fetching row " + std::to_string(loader.RowCount() + 1));
        const uint32_t row = loader.AppendRow();
        for (int c = 0; c < loader.FieldCount(); ++c) {
            LoadOdbcCell(statement, static_cast<SQLUSMALLINT>(c + 1), loader, c, row,
                         places[static_cast<std::size_t>(c)]);
        }
    }
}

}  // namespace

std::vector<std::string> OdbcColumnNames(const OdbcHandle& statement) {
    SQLSMALLINT count = 0;
    CheckOdbc(SQLNumResultCols(statement.Get(), &count), statement, "");
    std::vector<std::string> names;
    for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(count); ++column) {
        names.push_back(Describe(statement, column).name);
    }
    return names;
}

RecordsetPtr ReadOdbcRows(const OdbcHandle& statement, std::string source) {
    SQLSMALLINT count = 0;
    CheckOdbc(SQLNumResultCols(statement.Get(), &count), statement, "");
    std::vector<FieldInfo> fields;
    std::vector<OdbcColumnBuffer> buffers;
    bool isBound = true;
    for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(count); ++column) {
        DescribedColumn described = Describe(statement, column);
        FieldInfo field = DescribeOdbcColumn(described.name, described.type);
        field.baseTable = TextAttribute(statement, column, SQL_DESC_BASE_TABLE_NAME);
        field.baseColumn = TextAttribute(statement, column, SQL_DESC_BASE_COLUMN_NAME);
        if (!field.baseTable.empty() && !field.baseColumn.empty()) {
            field.attributes |= adFldUnknownUpdatable;
            field.baseCatalog = TextAttribute(statement, column, SQL_DESC_CATALOG_NAME);
        } else {
            field.baseTable.clear();
            field.baseColumn.clear();
        }
        if (isBound) {
            std::optional<OdbcColumnBuffer> buffer = OdbcColumnBuffer::For(
                field.type, described.type.size, kBlockRows, statement.CharsAreUtf8());
            isBound = buffer.has_value();
            if (buffer) {
                buffers.push_back(std::move(*buffer));
            }
        }
        fields.push_back(std::move(field));
    }
    std::vector<std::string> places;
    for (const FieldInfo& field : fields) {
        places.push_back("column " + field.name);
    }
    RecordsetLoader loader(std::move(fields));
    if (isBound && count > 0) {
        ReadBlocks(statement, buffers, places, loader);
    } else {
        ReadCells(statement, places, loader);
    }
    return loader.Finish(std::move(source));
}

}  // namespace hlreports

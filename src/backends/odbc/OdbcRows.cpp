// Reading a result set into a Recordset (see OdbcRows.h).
#include "backends/odbc/OdbcRows.h"

#include <vector>

#include "backends/odbc/OdbcText.h"
#include "backends/odbc/OdbcTypes.h"
#include "backends/odbc/OdbcValues.h"
#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

constexpr SQLSMALLINT kNameUnits = 256;

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
    auto recordset = std::make_shared<Recordset>();
    std::vector<FieldInfo> fields;
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
        fields.push_back(field);
    }
    std::vector<std::string> places;
    for (const FieldInfo& field : fields) {
        places.push_back("column " + field.name);
    }
    std::vector<std::vector<Variant>> rows;
    std::vector<bool> heldNull(fields.size(), false);
    while (true) {
        SQLRETURN rc = SQLFetch(statement.Get());
        if (rc == SQL_NO_DATA) {
            break;
        }
        CheckOdbc(rc, statement, "fetching row " + std::to_string(rows.size() + 1));
        std::vector<Variant> values;
        values.reserve(fields.size());
        for (std::size_t c = 0; c < fields.size(); ++c) {
            values.push_back(ReadOdbcCell(statement, static_cast<SQLUSMALLINT>(c + 1),
                                          fields[c].type, places[c]));
            if (values.back().IsNull()) {
                heldNull[c] = true;
            }
        }
        rows.push_back(std::move(values));
    }
    for (std::size_t c = 0; c < fields.size(); ++c) {
        // A NOT NULL base column can still yield NULL through an outer join; the field then
        // stays nullable so that the saved XML loads again.
        if (heldNull[c]) {
            fields[c].attributes |= adFldIsNullable | adFldMayBeNull;
        }
        recordset->AppendField(fields[c]);
    }
    recordset->Open(adLockBatchOptimistic);
    for (std::vector<Variant>& row : rows) {
        recordset->AppendRow(std::move(row));
    }
    recordset->FinishLoading();
    recordset->SetSource(std::move(source));
    return recordset;
}

}  // namespace hlreports

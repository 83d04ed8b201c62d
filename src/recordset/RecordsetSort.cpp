// Sort key parsing and the stable multi-key sort of row ids; see RecordsetSort.h.
#include "recordset/RecordsetSort.h"

#include <algorithm>

#include "recordset/RecordsetFilter.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {

namespace {

constexpr const char* BadSortText =
    "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
    "another.";
constexpr const char* UnknownFieldText =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";

int CompareCells(const RowStore& store, int field, uint32_t a, uint32_t b) {
    const bool aNull = store.IsNull(field, a);
    const bool bNull = store.IsNull(field, b);
    if (aNull || bNull) {
        return aNull == bNull ? 0 : aNull ? -1 : 1;
    }
    const auto threeWay = [](auto x, auto y) { return x < y ? -1 : y < x ? 1 : 0; };
    switch (store.Kind(field)) {
        case CellKind::Text:
            return CompareIgnoringCase(store.Text(field, a), store.Text(field, b));
        case CellKind::Double:
        case CellKind::Single:
            return threeWay(store.Real(field, a), store.Real(field, b));
        case CellKind::Date:
            return threeWay(LinearDayNumber(store.Real(field, a)),
                            LinearDayNumber(store.Real(field, b)));
        case CellKind::UnsignedBigInt:
            return threeWay(store.Bits(field, a), store.Bits(field, b));
        default:
            return threeWay(store.Signed(field, a), store.Signed(field, b));
    }
}

}  // namespace

std::vector<SortKey> ParseSortKeys(std::string_view text, const RowStore& store,
                                   const char* source) {
    std::vector<SortKey> keys;
    if (Trim(text).empty()) {
        return keys;
    }
    for (const std::string& part : Split(text, ",")) {
        std::string item = Trim(part);
        if (item.empty()) {
            throw ComError(ErrorNumber::ArgumentsWrong, source, BadSortText);
        }
        SortKey key;
        std::string name;
        if (item.front() == '[') {
            const std::size_t close = item.find(']');
            if (close == std::string::npos) {
                throw ComError(ErrorNumber::ArgumentsWrong, source, BadSortText);
            }
            name = item.substr(1, close - 1);
            item = Trim(std::string_view(item).substr(close + 1));
        } else {
            const std::size_t space = item.find_first_of(" \t");
            name = item.substr(0, space);
            item = space == std::string::npos ? std::string()
                                              : Trim(std::string_view(item).substr(space));
        }
        if (EqualsIgnoreCase(item, "DESC")) {
            key.descending = true;
        } else if (!item.empty() && !EqualsIgnoreCase(item, "ASC")) {
            throw ComError(ErrorNumber::ArgumentsWrong, source, BadSortText);
        }
        key.field = store.FieldCount();
        for (int i = 0; i < store.FieldCount(); ++i) {
            if (EqualsIgnoreCase(store.Field(i).name, name)) {
                key.field = i;
                break;
            }
        }
        if (key.field == store.FieldCount()) {
            throw ComError(ErrorNumber::ItemNotFound, source, UnknownFieldText);
        }
        keys.push_back(key);
    }
    return keys;
}

void SortRows(std::vector<uint32_t>& rows, const RowStore& store,
              const std::vector<SortKey>& keys) {
    if (keys.empty()) {
        return;
    }
    std::stable_sort(rows.begin(), rows.end(), [&](uint32_t a, uint32_t b) {
        for (const SortKey& key : keys) {
            const int order = CompareCells(store, key.field, a, b);
            if (order != 0) {
                return key.descending ? order > 0 : order < 0;
            }
        }
        return false;
    });
}

}  // namespace hlreports

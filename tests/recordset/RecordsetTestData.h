// Helpers of the recordset tests: fabricated recordsets, reading one attribute out of saved XML,
// and the sample files kept as the rowset XML fuzz corpus.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "recordset/Recordset.h"
#include "runtime/ComError.h"
#include "support/CaughtComError.h"
#include "support/TempDir.h"

namespace hlreports::test {

inline FieldInfo MakeField(std::string name, int32_t type, int32_t definedSize = 0,
                           uint32_t attributes = adFldMayBeNull | adFldIsNullable) {
    FieldInfo field;
    field.name = std::move(name);
    field.type = type;
    field.definedSize = definedSize;
    field.attributes = attributes;
    return field;
}

// An open recordset holding `rows` as unmodified rows, positioned on the first.
inline RecordsetPtr MakeRecordset(const std::vector<FieldInfo>& fields,
                                  const std::vector<std::vector<Variant>>& rows,
                                  int32_t lockType = adLockBatchOptimistic) {
    auto recordset = std::make_shared<Recordset>();
    for (const FieldInfo& field : fields) {
        recordset->AppendField(field);
    }
    recordset->Open(lockType);
    for (const std::vector<Variant>& row : rows) {
        recordset->AppendRow(row);
    }
    recordset->FinishLoading();
    return recordset;
}

// The value of attribute `name` in the first element of `xml` that starts with `element`;
// "<absent>" when the element or the attribute is missing.
inline std::string AttributeIn(const std::string& xml, const std::string& element,
                               const std::string& name) {
    const std::size_t start = xml.find(element);
    if (start == std::string::npos) {
        return "<absent>";
    }
    const std::size_t end = xml.find('>', start);
    const std::string tag = xml.substr(start, end - start);
    const std::string key = " " + name + "='";
    const std::size_t at = tag.find(key);
    if (at == std::string::npos) {
        return "<absent>";
    }
    const std::size_t valueStart = at + key.size();
    return tag.substr(valueStart, tag.find('\'', valueStart) - valueStart);
}

inline std::filesystem::path CorpusFolder() {
    return SourcePath("fuzz/recordset_xml/corpus");
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string Sample(const std::string& name) {
    return ReadFile(CorpusFolder() / name);
}

// Every value of the visible rows, row by row, moving from the first row.
inline std::vector<std::vector<Variant>> AllRows(Recordset& recordset) {
    std::vector<std::vector<Variant>> rows;
    if (recordset.BOF() && recordset.EOF()) {
        return rows;
    }
    for (recordset.MoveFirst(); !recordset.EOF(); recordset.MoveNext()) {
        std::vector<Variant> row;
        for (int i = 0; i < recordset.FieldCount(); ++i) {
            row.push_back(recordset.Value(i));
        }
        rows.push_back(row);
    }
    return rows;
}

// The name the recordset tests know CaughtComError by.
template <typename Action>
ComError ErrorFrom(Action&& action) {
    return CaughtComError(std::forward<Action>(action));
}

}  // namespace hlreports::test

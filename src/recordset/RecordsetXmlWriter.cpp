// Recordset::SaveXml: the classic rowset XML layout (no declaration, root `xml`, s/dt/rs/z
// namespaces, single-quoted attributes, CRLF and TAB indents), rows visible through the filter
// in view order, pending changes as rs:update / rs:insert / rs:delete.
//
// The document is built in one std::string reserved from an estimate of the final size, and
// values are formatted without temporaries (RecordsetValueText), which is what makes a
// 100,000-row save run at a few hundred MB/s. Nothing is returned on an error, and an error
// leaves the cursor where it was; after a successful save the first row is current.
#include <string>
#include <unordered_set>

#include "recordset/AdoTypeSets.h"
#include "recordset/Recordset.h"
#include "recordset/RecordsetErrors.h"
#include "recordset/RecordsetValueText.h"
#include "recordset/RecordsetView.h"
#include "recordset/RecordsetXmlNames.h"
#include "runtime/Text.h"

namespace hlreports {

using namespace recordset_errors;

namespace {

constexpr const char* Source = "Recordset.SaveXml";

bool IsPlainName(std::string_view name) {
    if (name.empty() ||
        !((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'))) {
        return false;
    }
    for (const char c : name) {
        const bool ok =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) {
            return false;
        }
    }
    // Names starting with "xml" are reserved by XML ("xmlns" would even declare a namespace).
    return !StartsWithIgnoreCase(name, "xml");
}

// XML attribute names: the field name when it is a plain name not used before, else c<position>.
// A kept name that equals another field's alias is aliased too, until no two names collide.
std::vector<std::string> AttributeNames(const RowStore& store) {
    const auto count = static_cast<std::size_t>(store.FieldCount());
    std::vector<std::string> names(count);
    std::vector<bool> aliased(count, false);
    std::unordered_set<std::string> kept;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& name = store.Field(static_cast<int>(i)).name;
        if (IsPlainName(name) && kept.insert(name).second) {
            names[i] = name;
        } else {
            aliased[i] = true;
            names[i] = "c" + std::to_string(i);
        }
    }
    for (bool changed = true; changed;) {
        changed = false;
        std::unordered_set<std::string> aliases;
        for (std::size_t i = 0; i < count; ++i) {
            if (aliased[i]) {
                aliases.insert(names[i]);
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (!aliased[i] && aliases.contains(names[i]) && names[i] != "c" + std::to_string(i)) {
                aliased[i] = true;
                names[i] = "c" + std::to_string(i);
                changed = true;
            }
        }
    }
    return names;
}

class XmlWriter {
  public:
    XmlWriter(const RowStore& store, std::string& out)
        : store_(store), out_(out), names_(AttributeNames(store)) {}

    void Schema(bool updatable);
    void Rows(const std::vector<uint32_t>& visible, const std::vector<uint32_t>& deleted);
    std::size_t EstimateRowBytes() const;

  private:
    void Escaped(std::string_view text, int field);
    void FlagAttribute(bool on, const char* text) {
        if (on) {
            out_.append(text);
        }
    }
    void TextAttribute(const char* name, std::string_view value, int field);
    void Number(int64_t value);
    void Field(int index);
    void Cell(int field, uint64_t bits, uint64_t highBits, std::string_view text);
    void StoredCell(int field, uint32_t row);
    void StoredRow(const char* indent, uint32_t row, bool withForceNull);
    void VariantRow(const char* indent, const std::vector<Variant>& values);
    void ChangedRow(const char* indent, uint32_t row, const std::vector<Variant>& original);
    void ForceNull(const std::vector<int>& fields);

    const RowStore& store_;
    std::string& out_;
    std::vector<std::string> names_;
};

void XmlWriter::Escaped(std::string_view text, int field) {
    const EscapeResult result = AppendEscaped(out_, text);
    if (result.kind == EscapeResultKind::Ok) {
        return;
    }
    static constexpr char Hex[] = "0123456789ABCDEF";
    const std::string& name = store_.Field(field).name;
    std::string byte = "0x";
    byte.push_back(Hex[result.byte >> 4]);
    byte.push_back(Hex[result.byte & 0xF]);
    if (result.kind == EscapeResultKind::ControlCharacter) {
        throw ComError(ErrorNumber::ArgumentsWrong, Source,
                       "field '" + name + "' holds the control character " + byte +
                           ", which XML 1.0 cannot carry");
    }
    throw ComError(ErrorNumber::ArgumentsWrong, Source,
                   "field '" + name + "' holds text that is not UTF-8 (byte " + byte + ")");
}

void XmlWriter::TextAttribute(const char* name, std::string_view value, int field) {
    out_.append(name);
    out_.append("='");
    Escaped(value, field);
    out_.push_back('\'');
}

void XmlWriter::Number(int64_t value) {
    out_.append(std::to_string(value));
}

void XmlWriter::Field(int index) {
    const FieldInfo& field = store_.Field(index);
    const uint32_t flags = field.attributes;
    const std::string& xmlName = names_[static_cast<std::size_t>(index)];
    out_.append("\t\t<s:AttributeType name='");
    out_.append(xmlName);
    out_.push_back('\'');
    if (xmlName != field.name) {
        out_.push_back(' ');
        TextAttribute("rs:name", field.name, index);
    }
    out_.append(" rs:number='");
    Number(index + 1);
    out_.push_back('\'');
    FlagAttribute((flags & adFldRowID) != 0, " rs:rowid='true'");
    FlagAttribute((flags & adFldRowVersion) != 0, " rs:rowver='true'");
    FlagAttribute((flags & adFldCacheDeferred) != 0, " rs:cachedeferred='true'");
    FlagAttribute((flags & adFldIsNullable) != 0, " rs:nullable='true'");
    FlagAttribute((flags & adFldMayDefer) != 0, " rs:maydefer='true'");
    FlagAttribute((flags & adFldUpdatable) != 0, " rs:write='true'");
    FlagAttribute((flags & adFldUnknownUpdatable) != 0, " rs:writeunknown='true'");
    const std::pair<const char*, const std::string*> bases[] = {
        {" rs:basecatalog", &field.baseCatalog},
        {" rs:baseschema", &field.baseSchema},
        {" rs:basetable", &field.baseTable},
        {" rs:basecolumn", &field.baseColumn},
    };
    for (const auto& [name, value] : bases) {
        if (!value->empty()) {
            TextAttribute(name, *value, index);
        }
    }
    FlagAttribute((flags & adFldKeyColumn) != 0 || field.isKeyColumn, " rs:keycolumn='true'");
    out_.append(">\r\n\t\t\t<s:datatype dt:type='");
    const XmlTypeText type = XmlTypeOf(field.type);
    out_.append(type.type);
    out_.push_back('\'');
    if (type.dbType != nullptr) {
        out_.append(" rs:dbtype='");
        out_.append(type.dbType);
        out_.push_back('\'');
    }
    // -1 is the "no limit" size, 4294967295 in the file.
    int64_t maxLength = field.definedSize == -1 ? int64_t{4294967295} : field.definedSize;
    if (maxLength <= 0) {
        maxLength = type.fixedSize;
    }
    if (maxLength > 0) {
        out_.append(" dt:maxLength='");
        Number(maxLength);
        out_.push_back('\'');
    }
    // A varnumeric field's scale limits its values as a decimal's does, so it must survive the
    // file; the classic writer leaves it out, and a scale of 0 still is.
    if (HasScale(field.type) || (field.type == adVarNumeric && field.scale != 0)) {
        out_.append(" rs:scale='");
        Number(field.scale);
        out_.push_back('\'');
    }
    // The classic writer gives a variant column no precision.
    if (field.type != adVariant) {
        out_.append(" rs:precision='");
        Number(field.precision);
        out_.push_back('\'');
    }
    FlagAttribute((flags & adFldFixed) != 0 || IsFixedWidthType(field.type),
                  " rs:fixedlength='true'");
    FlagAttribute((flags & adFldLong) != 0 || IsLongType(field.type), " rs:long='true'");
    FlagAttribute((flags & adFldMayBeNull) == 0, " rs:maybenull='false'");
    out_.append("/>\r\n\t\t</s:AttributeType>\r\n");
}

void XmlWriter::Schema(bool updatable) {
    out_.append("<xml xmlns:s='");
    out_.append(rowset_xml::SchemaUri);
    out_.append("'\r\n\txmlns:dt='");
    out_.append(rowset_xml::DataTypeUri);
    out_.append("'\r\n\txmlns:rs='");
    out_.append(rowset_xml::RowsetUri);
    out_.append("'\r\n\txmlns:z='");
    out_.append(rowset_xml::RowUri);
    out_.append(
        "'>\r\n<s:Schema id='RowsetSchema'>\r\n\t<s:ElementType name='row' content='eltOnly'");
    FlagAttribute(updatable, " rs:updatable='true'");
    out_.append(">\r\n");
    for (int i = 0; i < store_.FieldCount(); ++i) {
        Field(i);
    }
    out_.append("\t\t<s:extends type='rs:rowbase'/>\r\n\t</s:ElementType>\r\n</s:Schema>\r\n");
}

void XmlWriter::StoredCell(int field, uint32_t row) {
    const CellKind kind = store_.Kind(field);
    Cell(field, store_.Bits(field, row),
         kind == CellKind::Decimal ? store_.HighBits(field, row) : 0,
         kind == CellKind::Text ? store_.Text(field, row) : std::string_view());
}

void XmlWriter::Cell(int field, uint64_t bits, uint64_t highBits, std::string_view text) {
    out_.push_back(' ');
    out_.append(names_[static_cast<std::size_t>(field)]);
    out_.append("='");
    const CellKind kind = store_.Kind(field);
    if (kind == CellKind::Text) {
        Escaped(text, field);
    } else {
        AppendValueText(out_, store_.Field(field), kind, bits, highBits);
    }
    out_.push_back('\'');
}

void XmlWriter::ForceNull(const std::vector<int>& fields) {
    if (fields.empty()) {
        return;
    }
    out_.append(" rs:forcenull='");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out_.push_back(' ');
        }
        out_.append(names_[static_cast<std::size_t>(fields[i])]);
    }
    out_.push_back('\'');
}

void XmlWriter::StoredRow(const char* indent, uint32_t row, bool withForceNull) {
    out_.append(indent);
    out_.append("<z:row");
    std::vector<int> nulls;
    for (int field = 0; field < store_.FieldCount(); ++field) {
        if (store_.IsNull(field, row)) {
            if (withForceNull) {
                nulls.push_back(field);
            }
            continue;
        }
        StoredCell(field, row);
    }
    ForceNull(nulls);
    out_.append("/>\r\n");
}

void XmlWriter::VariantRow(const char* indent, const std::vector<Variant>& values) {
    out_.append(indent);
    out_.append("<z:row");
    for (int field = 0; field < store_.FieldCount(); ++field) {
        const CellValue cell =
            store_.ToCell(field, values[static_cast<std::size_t>(field)], Source);
        if (!cell.isNull) {
            Cell(field, cell.bits, cell.highBits, cell.text);
        }
    }
    out_.append("/>\r\n");
}

// The new values of a modified row: the fields that differ from the original, and the ones
// that became NULL in rs:forcenull (an absent attribute here means "unchanged").
void XmlWriter::ChangedRow(const char* indent, uint32_t row, const std::vector<Variant>& original) {
    out_.append(indent);
    out_.append("<z:row");
    std::vector<int> nulls;
    for (int field = 0; field < store_.FieldCount(); ++field) {
        const Variant current = store_.Get(field, row);
        if (current == original[static_cast<std::size_t>(field)]) {
            continue;
        }
        if (current.IsNull()) {
            nulls.push_back(field);
            continue;
        }
        StoredCell(field, row);
    }
    ForceNull(nulls);
    out_.append("/>\r\n");
}

void XmlWriter::Rows(const std::vector<uint32_t>& visible, const std::vector<uint32_t>& deleted) {
    out_.append("<rs:data>\r\n");
    bool inInsert = false;
    for (const uint32_t row : visible) {
        const RowState state = store_.State(row);
        if (state == RowState::New) {
            if (!inInsert) {
                out_.append("\t<rs:insert>\r\n");
                inInsert = true;
            }
            StoredRow("\t\t", row, true);
            continue;
        }
        if (inInsert) {
            out_.append("\t</rs:insert>\r\n");
            inInsert = false;
        }
        const std::vector<Variant>* original = store_.Original(row);
        if (state == RowState::Modified && original != nullptr) {
            out_.append("\t<rs:update>\r\n\t\t<rs:original>\r\n");
            VariantRow("\t\t\t", *original);
            out_.append("\t\t</rs:original>\r\n");
            ChangedRow("\t\t", row, *original);
            out_.append("\t</rs:update>\r\n");
            continue;
        }
        StoredRow("\t", row, false);
    }
    if (inInsert) {
        out_.append("\t</rs:insert>\r\n");
    }
    if (!deleted.empty()) {
        out_.append("\t<rs:delete>\r\n");
        for (const uint32_t row : deleted) {
            const std::vector<Variant>* original = store_.Original(row);
            if (original != nullptr) {
                VariantRow("\t\t", *original);
            } else {
                StoredRow("\t\t", row, false);
            }
        }
        out_.append("\t</rs:delete>\r\n");
    }
    out_.append("</rs:data>\r\n</xml>");
}

std::size_t XmlWriter::EstimateRowBytes() const {
    const std::size_t rows = store_.RowCount() == 0 ? 1 : store_.RowCount();
    std::size_t bytes = 14;  // TAB, "<z:row", "/>", CR LF
    for (int field = 0; field < store_.FieldCount(); ++field) {
        bytes += names_[static_cast<std::size_t>(field)].size() + 4;
        bytes += store_.Kind(field) == CellKind::Text ? store_.TextBytes(field) / rows + 4 : 24;
    }
    return bytes;
}

}  // namespace

std::vector<uint32_t> Recordset::PrepareSave() {
    if (!view_->isOpen) {
        RaiseClosed("SaveXml");
    }
    Update();
    view_->Sync(*rows_);
    std::vector<uint32_t> deleted;
    for (const uint32_t row : view_->FilteredRows(*rows_, false)) {
        if (rows_->State(row) == RowState::Deleted) {
            deleted.push_back(row);
        }
    }
    return deleted;
}

std::string Recordset::SaveXml() {
    const std::vector<uint32_t> deleted = PrepareSave();
    std::string out;
    XmlWriter writer(*rows_, out);
    out.reserve(2048 + static_cast<std::size_t>(rows_->FieldCount()) * 320 +
                (view_->order.size() + deleted.size()) * writer.EstimateRowBytes());
    writer.Schema(view_->lockType != adLockReadOnly);
    writer.Rows(view_->order, deleted);
    view_->position = 0;
    view_->onDeletedRow = false;
    return out;
}

}  // namespace hlreports

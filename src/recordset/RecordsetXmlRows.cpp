// XmlLoader, data part: one child of rs:data at a time (plain rows, rs:insert, rs:delete,
// rs:update with its rs:original), each row's attributes converted straight into the row store.
// Rows nearly always list their attributes in field order, so the next field is tried first.
#include <algorithm>
#include <cstring>
#include <optional>

#include "recordset/RecordsetValueText.h"
#include "recordset/RecordsetXmlLoader.h"

namespace hlreports::rowset_xml {

void XmlLoader::ReadDataChild(const pugi::xml_node& child) {
    {
        if (child.type() != pugi::node_element) {
            return;
        }
        const std::size_t scope = EnterScope(child);
        if (Is(child, NamespaceKind::Row, rowName_)) {
            ReadRow(child, NewRow(RowState::Unmodified, child), RowReadKind::Complete);
        } else if (Is(child, NamespaceKind::Rowset, "insert") ||
                   Is(child, NamespaceKind::Rowset, "delete")) {
            const bool isInsert = Is(child, NamespaceKind::Rowset, "insert");
            for (const pugi::xml_node& row : child.children()) {
                const std::size_t rowScope = EnterScope(row);
                if (Is(row, NamespaceKind::Row, rowName_)) {
                    const uint32_t id = NewRow(isInsert ? RowState::New : RowState::Deleted, row);
                    ReadRow(row, id, isInsert ? RowReadKind::Inserted : RowReadKind::Complete);
                    if (!isInsert) {
                        store_->SetOriginal(id, store_->GetRow(id));
                    }
                }
                LeaveScope(rowScope);
            }
        } else if (Is(child, NamespaceKind::Rowset, "update")) {
            pugi::xml_node original;
            pugi::xml_node changed;
            for (const pugi::xml_node& part : child.children()) {
                const std::size_t partScope = EnterScope(part);
                if (Is(part, NamespaceKind::Rowset, "original")) {
                    for (const pugi::xml_node& row : part.children()) {
                        const std::size_t rowScope = EnterScope(row);
                        if (Is(row, NamespaceKind::Row, rowName_)) {
                            if (original) {
                                Fail(OffsetOf(row), "rs:original holds more than one row");
                            }
                            original = row;
                        }
                        LeaveScope(rowScope);
                    }
                } else if (Is(part, NamespaceKind::Row, rowName_)) {
                    if (changed) {
                        Fail(OffsetOf(part), "rs:update holds more than one row of new values");
                    }
                    changed = part;
                }
                LeaveScope(partScope);
            }
            if (!original) {
                Fail(OffsetOf(child), "rs:update has no rs:original row");
            }
            const uint32_t id = NewRow(RowState::Modified, child);
            ReadRow(original, id, RowReadKind::Complete);
            store_->SetOriginal(id, store_->GetRow(id));
            if (changed) {
                ReadRow(changed, id, RowReadKind::Overlay);
            }
        }
        LeaveScope(scope);
    }
}

uint32_t XmlLoader::NewRow(RowState state, const pugi::xml_node& node) {
    const std::size_t fieldCount = std::max<std::size_t>(fields_.size(), 1);
    if ((static_cast<std::size_t>(store_->RowCount()) + 1) * fieldCount > MaxRowsetValues) {
        Fail(OffsetOf(node), "the rowset holds more than " + std::to_string(MaxRowsetValues) +
                                 " values (rows x fields), more than a recordset takes");
    }
    return store_->AppendRow(state);
}

// Rows nearly always list their attributes in field order: try the next field first.
int XmlLoader::FieldOfAttribute(const char* name) {
    const auto count = static_cast<int>(fields_.size());
    if (nextField_ < count && fields_[static_cast<std::size_t>(nextField_)].xmlName == name) {
        return nextField_++;
    }
    const auto found = fieldByName_.find(name);
    if (found == fieldByName_.end()) {
        return -1;
    }
    nextField_ = found->second + 1;
    return found->second;
}

void XmlLoader::ReadRow(const pugi::xml_node& node, uint32_t row, RowReadKind kind) {
    const std::size_t scope = EnterScope(node);
    ++seenMark_;
    nextField_ = 0;
    pugi::xml_attribute forceNull;
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        const char* name = attribute.name();
        if (std::strchr(name, ':') != nullptr) {
            const std::string_view qualified = name;
            const std::size_t colon = qualified.find(':');
            if (qualified.substr(colon + 1) == "forcenull" &&
                Resolve(qualified.substr(0, colon)) == NamespaceKind::Rowset) {
                forceNull = attribute;
            }
            continue;
        }
        const int field = FieldOfAttribute(name);
        if (field < 0) {
            continue;  // xmlns declarations and attributes of no field
        }
        const FieldDeclaration& declaration = fields_[static_cast<std::size_t>(field)];
        if (seen_[static_cast<std::size_t>(field)] == seenMark_) {
            Fail(OffsetOf(attribute, node),
                 "attribute " + Quoted(declaration.xmlName) + " appears twice in a row");
        }
        seen_[static_cast<std::size_t>(field)] = seenMark_;
        const char* value = attribute.value();
        const CellKind cellKind = store_->Kind(field);
        const int32_t type = declaration.info.type;
        if (cellKind != CellKind::Text) {
            uint64_t bits = 0;
            if (!ParseValueText(declaration.info, cellKind, value, bits)) {
                Fail(OffsetOf(attribute, node), "field '" + declaration.info.name + "' value " +
                                                    Quoted(value) + " is not a valid " +
                                                    XmlTypeOf(type).type);
            }
            store_->SetBits(field, row, bits);
            continue;
        }
        if (type == adGUID || type == adBinary || type == adVarBinary || type == adLongVarBinary) {
            const std::optional<std::string> normal =
                type == adGUID ? NormalizeGuid(value) : NormalizeHex(value);
            if (!normal) {
                Fail(OffsetOf(attribute, node), "field '" + declaration.info.name + "' value " +
                                                    Quoted(value) + " is not a valid " +
                                                    XmlTypeOf(type).type);
            }
            store_->SetText(field, row, *normal);
            continue;
        }
        store_->SetText(field, row, value);
    }
    if (forceNull && kind != RowReadKind::Complete) {
        std::string_view names = forceNull.value();
        while (!names.empty()) {
            const std::size_t start = names.find_first_not_of(" \t\r\n");
            if (start == std::string_view::npos) {
                break;
            }
            names.remove_prefix(start);
            const std::size_t end = std::min(names.find_first_of(" \t\r\n"), names.size());
            const auto found = fieldByName_.find(names.substr(0, end));
            if (found != fieldByName_.end()) {
                store_->SetNull(found->second, row);
                seen_[static_cast<std::size_t>(found->second)] = seenMark_;
            }
            names.remove_prefix(end);
        }
    }
    if (kind != RowReadKind::Overlay) {
        for (std::size_t field = 0; field < fields_.size(); ++field) {
            // The classic writer marks its nullable columns rs:nullable='true' beside
            // rs:maybenull='false' and leaves their Nulls out; either mark allows a Null.
            if (seen_[field] != seenMark_ &&
                (fields_[field].info.attributes & (adFldMayBeNull | adFldIsNullable)) == 0) {
                Fail(OffsetOf(node),
                     "required field '" + fields_[field].info.name + "' has no value");
            }
        }
    }
    LeaveScope(scope);
}

}  // namespace hlreports::rowset_xml

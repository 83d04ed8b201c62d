// XmlLoader, schema part: the fields of s:ElementType (inline s:AttributeType or s:attribute
// references to declarations elsewhere in s:Schema), their types, sizes and flags, and their order.
#include <algorithm>
#include <cstring>

#include "recordset/RecordsetValueText.h"
#include "recordset/RecordsetXmlLoader.h"
#include "runtime/Text.h"

namespace hlreports::rowset_xml {

void XmlLoader::ReadSchema(const pugi::xml_node& schema) {
    pugi::xml_node rowType;
    std::unordered_map<std::string_view, pugi::xml_node> declared;
    for (const pugi::xml_node& child : schema.children()) {
        if (Is(child, NamespaceKind::Schema, "ElementType")) {
            const char* name = child.attribute("name").value();
            if (!rowType || std::strcmp(name, "row") == 0) {
                rowType = child;
            }
        } else if (Is(child, NamespaceKind::Schema, "AttributeType")) {
            declared.emplace(child.attribute("name").value(), child);
        }
    }
    if (!rowType) {
        Fail(OffsetOf(schema), "the schema has no s:ElementType");
    }
    const std::size_t scope = EnterScope(rowType);
    if (const char* name = rowType.attribute("name").value(); *name != '\0') {
        rowName_ = name;
    }
    updatable_ = Flag(rowType, "updatable");
    for (const pugi::xml_node& child : rowType.children()) {
        if (Is(child, NamespaceKind::Schema, "AttributeType")) {
            fields_.push_back(ReadField(child));
        } else if (Is(child, NamespaceKind::Schema, "attribute")) {
            const char* type = child.attribute("type").value();
            const auto found = declared.find(type);
            if (found == declared.end()) {
                Fail(OffsetOf(child),
                     std::string("s:attribute refers to the undeclared type ") + Quoted(type));
            }
            FieldDeclaration field = ReadField(found->second);
            field.offset = OffsetOf(child);
            fields_.push_back(std::move(field));
        }
    }
    LeaveScope(scope);
    OrderFields();
}

FieldDeclaration XmlLoader::ReadField(const pugi::xml_node& node) {
    const std::size_t scope = EnterScope(node);
    FieldDeclaration field;
    field.offset = OffsetOf(node);
    field.xmlName = node.attribute("name").value();
    if (field.xmlName.empty()) {
        Fail(field.offset, "s:AttributeType has no name");
    }
    FieldInfo& info = field.info;
    const char* realName = Attribute(node, NamespaceKind::Rowset, "name");
    info.name = realName != nullptr ? realName : field.xmlName;
    if (const pugi::xml_attribute number = FindAttribute(node, NamespaceKind::Rowset, "number")) {
        uint64_t bits = 0;
        if (!ParseDecimalInteger(number.value(), false, bits) || static_cast<int64_t>(bits) < 1 ||
            static_cast<int64_t>(bits) > 1'000'000) {
            Fail(OffsetOf(number, node),
                 "field '" + info.name + "' has an invalid rs:number " + Quoted(number.value()));
        }
        field.number = static_cast<int>(bits);
    }
    // dt:type and its companions may sit on the field or on its s:datatype; the child wins.
    const pugi::xml_node datatype = Child(node, NamespaceKind::Schema, "datatype");
    const std::size_t datatypeScope = datatype ? EnterScope(datatype) : scope_.size();
    const auto lookup = [&](NamespaceKind kind, std::string_view local) -> pugi::xml_attribute {
        if (datatype) {
            if (pugi::xml_attribute found = FindAttribute(datatype, kind, local)) {
                return found;
            }
        }
        return FindAttribute(node, kind, local);
    };
    const auto flag = [&](std::string_view local) {
        const pugi::xml_attribute found = lookup(NamespaceKind::Rowset, local);
        return found &&
               (EqualsIgnoreCase(found.value(), "true") || std::strcmp(found.value(), "1") == 0 ||
                std::strcmp(found.value(), "-1") == 0);
    };
    const auto integer = [&](NamespaceKind kind, std::string_view local, const char* label,
                             int64_t fallback) {
        const pugi::xml_attribute found = lookup(kind, local);
        if (!found) {
            return fallback;
        }
        uint64_t bits = 0;
        if (!ParseDecimalInteger(found.value(), false, bits) || static_cast<int64_t>(bits) < 0 ||
            static_cast<int64_t>(bits) > 4294967295) {
            Fail(OffsetOf(found, node),
                 "field '" + info.name + "' has an invalid " + label + " " + Quoted(found.value()));
        }
        return static_cast<int64_t>(bits);
    };
    const pugi::xml_attribute type = lookup(NamespaceKind::DataType, "type");
    const pugi::xml_attribute dbType = lookup(NamespaceKind::Rowset, "dbtype");
    const bool isFixed = flag("fixedlength");
    bool isLong = flag("long");
    int64_t maxLength = integer(NamespaceKind::DataType, "maxLength", "dt:maxLength", 0);
    if (!type) {
        // No type information: a long string without limit, as the classic reader reopens it.
        isLong = true;
        if (maxLength == 0) {
            maxLength = 4294967295;
        }
    }
    info.type = AdoTypeFromXml(type ? type.value() : "string", dbType ? dbType.value() : "",
                               isFixed, isLong);
    // 4294967295 ("no limit") is kept as -1, its 32-bit pattern.
    info.definedSize = static_cast<int32_t>(static_cast<uint32_t>(maxLength));
    info.scale = static_cast<int>(
        std::min<int64_t>(integer(NamespaceKind::Rowset, "scale", "rs:scale", 0), 255));
    info.precision = static_cast<int>(
        std::min<int64_t>(integer(NamespaceKind::Rowset, "precision", "rs:precision", 0), 255));
    uint32_t attributes = 0;
    const pugi::xml_attribute mayBeNull = lookup(NamespaceKind::Rowset, "maybenull");
    if (!mayBeNull || !EqualsIgnoreCase(mayBeNull.value(), "false")) {
        attributes |= adFldMayBeNull;
    }
    const std::pair<const char*, uint32_t> flags[] = {
        {"nullable", adFldIsNullable},
        {"write", adFldUpdatable},
        {"writeunknown", adFldUnknownUpdatable},
        {"maydefer", adFldMayDefer},
        {"rowid", adFldRowID},
        {"rowver", adFldRowVersion},
        {"cachedeferred", adFldCacheDeferred},
        {"keycolumn", adFldKeyColumn},
        {"fixedlength", adFldFixed},
        {"long", adFldLong},
    };
    for (const auto& [local, bit] : flags) {
        if (flag(local)) {
            attributes |= bit;
        }
    }
    if (isLong) {
        attributes |= adFldLong;
    }
    info.attributes = attributes;
    info.isKeyColumn = (attributes & adFldKeyColumn) != 0;
    const std::pair<const char*, std::string*> bases[] = {
        {"basecatalog", &info.baseCatalog},
        {"baseschema", &info.baseSchema},
        {"basetable", &info.baseTable},
        {"basecolumn", &info.baseColumn},
    };
    for (const auto& [local, target] : bases) {
        if (const char* value = Attribute(node, NamespaceKind::Rowset, local)) {
            *target = value;
        }
    }
    LeaveScope(datatypeScope);
    LeaveScope(scope);
    return field;
}

// rs:number orders the fields when every field has one; otherwise document order stands.
void XmlLoader::OrderFields() {
    const bool allNumbered =
        !fields_.empty() &&
        std::all_of(fields_.begin(), fields_.end(), [](const auto& f) { return f.number > 0; });
    if (allNumbered) {
        std::stable_sort(fields_.begin(), fields_.end(),
                         [](const auto& a, const auto& b) { return a.number < b.number; });
        for (std::size_t i = 1; i < fields_.size(); ++i) {
            if (fields_[i].number == fields_[i - 1].number) {
                Fail(fields_[i].offset, "fields '" + fields_[i - 1].info.name + "' and '" +
                                            fields_[i].info.name + "' share rs:number " +
                                            std::to_string(fields_[i].number));
            }
        }
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (fields_[j].xmlName == fields_[i].xmlName) {
                Fail(fields_[i].offset, "two fields are named " + Quoted(fields_[i].xmlName));
            }
        }
    }
}

}  // namespace hlreports::rowset_xml

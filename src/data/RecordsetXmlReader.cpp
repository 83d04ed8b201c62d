// Recordset::LoadXml: reads rowset XML written by this component or by the classic desktop
// library: prefixes resolved by namespace URI, whitespace and wrapped tags tolerated, fields
// inline in s:ElementType or declared apart and referenced with s:attribute, dt:type on the
// field or on its s:datatype, the reader defaults for missing attributes, and pending changes
// (rs:update overlaying rs:original, rs:insert with rs:forcenull, rs:delete).
//
// pugixml parses a private copy of the text in place, so attribute values point into that copy
// and their byte offsets give the line and column of any bad value. Every failure is ComError
// 3001 from "Recordset.LoadXml" whose description starts "line N: " and names the problem;
// nothing is returned then. Unknown attributes and elements are ignored, as the format allows.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include <pugixml.hpp>

#include "data/Recordset.h"
#include "data/RecordsetCursor.h"
#include "data/RecordsetValueText.h"
#include "data/RecordsetXmlLayout.h"
#include "data/RecordsetXmlNames.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {

namespace {

enum class NamespaceKind { Other, Schema, DataType, Rowset, Row };

// How a row element's missing attributes read.
enum class RowReadKind {
    Complete,  // plain, original and deleted rows: missing means NULL
    Inserted,  // new rows: missing means NULL, rs:forcenull too
    Overlay,   // new values of an update: missing means unchanged, rs:forcenull means NULL
};

struct FieldDeclaration {
    FieldInfo info;
    std::string xmlName;
    std::ptrdiff_t offset = 0;
    int number = 0;  // rs:number, 0 when absent
};

std::string Quoted(std::string_view value) {
    constexpr std::size_t Longest = 40;
    if (value.size() > Longest) {
        return "'" + std::string(value.substr(0, Longest)) + "...'";
    }
    return "'" + std::string(value) + "'";
}

class XmlLoader {
  public:
    explicit XmlLoader(std::string_view xml) : original_(xml) {
        if (original_.starts_with("\xEF\xBB\xBF")) {
            bomBytes_ = 3;
        }
        text_ = original_.substr(bomBytes_);
    }

    // The rows; Updatable() tells whether the rowset carried rs:updatable.
    std::shared_ptr<RowStore> Load();
    bool Updatable() const { return updatable_; }

  private:
    // A private, writable copy of some of the text that pugixml parses in place, and where its
    // bytes sit in the text: from `base`, with the bytes [gapAt, gapAt + gap) of the text left
    // out (the skeleton leaves out the data content).
    struct Buffer {
        std::unique_ptr<char[]> bytes;
        std::size_t capacity = 0;
        std::size_t size = 0;
        std::size_t base = 0;
        std::size_t gapAt = std::string_view::npos;
        std::size_t gap = 0;
    };
    static void Fill(Buffer& buffer, std::initializer_list<std::string_view> parts,
                     std::size_t base);
    std::ptrdiff_t TextOffset(std::ptrdiff_t bufferOffset) const;

    // Offsets given to Fail are offsets into the text (after a byte order mark).
    [[noreturn]] void Fail(std::ptrdiff_t offset, const std::string& problem) const;
    std::ptrdiff_t OffsetOf(const pugi::xml_node& node) const;
    std::ptrdiff_t OffsetOf(const pugi::xml_attribute& attribute,
                            const pugi::xml_node& owner) const;
    [[noreturn]] void FailParse(const pugi::xml_parse_result& result) const;
    bool RestIsBlank(std::ptrdiff_t offset) const {
        const std::size_t at =
            std::min(original_.size(), static_cast<std::size_t>(offset) + bomBytes_);
        return original_.find_first_not_of(" \t\r\n", at) == std::string_view::npos;
    }

    // Namespace scope: declarations of the open elements, innermost last.
    std::size_t EnterScope(const pugi::xml_node& node);
    void LeaveScope(std::size_t mark) { scope_.resize(mark); }
    NamespaceKind Resolve(std::string_view prefix) const;
    bool Is(const pugi::xml_node& node, NamespaceKind kind, std::string_view local) const;
    // The value of an attribute of the given namespace and local name, or nullptr.
    const char* Attribute(const pugi::xml_node& node, NamespaceKind kind,
                          std::string_view local) const;
    pugi::xml_attribute FindAttribute(const pugi::xml_node& node, NamespaceKind kind,
                                      std::string_view local) const;
    bool Flag(const pugi::xml_node& node, std::string_view local) const;

    pugi::xml_node Child(const pugi::xml_node& parent, NamespaceKind kind,
                         std::string_view local) const;
    void ReadSchema(const pugi::xml_node& schema);
    FieldDeclaration ReadField(const pugi::xml_node& node);
    void OrderFields();
    void ReadDataChild(const pugi::xml_node& child);
    void ReadChunks(const RowsetXmlLayout& layout);
    void Reset();
    void ReadRow(const pugi::xml_node& node, uint32_t row, RowReadKind kind);
    int FieldOfAttribute(const char* name);

    std::string_view original_;
    std::string_view text_;  // original_ without a byte order mark
    std::size_t bomBytes_ = 0;
    Buffer documentBuffer_;
    Buffer chunkBuffer_;
    const Buffer* current_ = &documentBuffer_;  // the buffer whose nodes are being read
    pugi::xml_document document_;
    pugi::xml_document chunk_;
    std::vector<std::pair<std::string_view, NamespaceKind>> scope_;

    std::vector<FieldDeclaration> fields_;
    std::string rowName_ = "row";
    bool updatable_ = false;
    std::shared_ptr<RowStore> store_;
    std::unordered_map<std::string_view, int> fieldByName_;
    std::vector<uint32_t> seen_;
    uint32_t seenMark_ = 0;
    int nextField_ = 0;
};

void XmlLoader::Fail(std::ptrdiff_t offset, const std::string& problem) const {
    const std::size_t at =
        std::min(original_.size(), static_cast<std::size_t>(offset < 0 ? 0 : offset) + bomBytes_);
    const std::string_view before = original_.substr(0, at);
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column = lineStart == std::string_view::npos ? at + 1 : at - lineStart;
    throw ComError(ErrorNumber::ArgumentsWrong, "Recordset.LoadXml",
                   "line " + std::to_string(line) + ": " + problem + " (column " +
                       std::to_string(column) + ")");
}

void XmlLoader::Fill(Buffer& buffer, std::initializer_list<std::string_view> parts,
                     std::size_t base) {
    std::size_t size = 0;
    for (const std::string_view part : parts) {
        size += part.size();
    }
    if (buffer.capacity < size + 1) {
        buffer.bytes = std::make_unique_for_overwrite<char[]>(size + 1);
        buffer.capacity = size + 1;
    }
    std::size_t at = 0;
    for (const std::string_view part : parts) {
        std::memcpy(buffer.bytes.get() + at, part.data(), part.size());
        at += part.size();
    }
    buffer.bytes[size] = '\0';
    buffer.size = size;
    buffer.base = base;
    buffer.gapAt = std::string_view::npos;
    buffer.gap = 0;
}

std::ptrdiff_t XmlLoader::TextOffset(std::ptrdiff_t bufferOffset) const {
    const auto offset = static_cast<std::size_t>(bufferOffset < 0 ? 0 : bufferOffset);
    const std::size_t shifted = offset >= current_->gapAt ? offset + current_->gap : offset;
    return static_cast<std::ptrdiff_t>(current_->base + shifted);
}

std::ptrdiff_t XmlLoader::OffsetOf(const pugi::xml_node& node) const {
    return TextOffset(node.offset_debug());
}

std::ptrdiff_t XmlLoader::OffsetOf(const pugi::xml_attribute& attribute,
                                   const pugi::xml_node& owner) const {
    const char* value = attribute.value();
    const char* start = current_->bytes.get();
    if (value >= start && value <= start + current_->size) {
        return TextOffset(value - start);
    }
    return OffsetOf(owner);
}

void XmlLoader::FailParse(const pugi::xml_parse_result& result) const {
    const std::ptrdiff_t offset = TextOffset(result.offset);
    const auto charAt = [&](std::ptrdiff_t at) {
        return at >= 0 && static_cast<std::size_t>(at) < text_.size()
                   ? text_[static_cast<std::size_t>(at)]
                   : '\0';
    };
    std::string problem;
    switch (result.status) {
        case pugi::status_bad_attribute: {
            std::ptrdiff_t before = offset - 1;
            if (charAt(before) == '\'' || charAt(before) == '"') {
                --before;
                while (charAt(before) == ' ' || charAt(before) == '\t' || charAt(before) == '\r' ||
                       charAt(before) == '\n') {
                    --before;
                }
                problem =
                    charAt(before) == '=' ? "unterminated attribute value" : "malformed attribute";
            } else if (charAt(before) == '=') {
                problem = "attribute value is not quoted";
            } else {
                problem = "malformed attribute";
            }
            break;
        }
        case pugi::status_unrecognized_tag:
            problem = "unrecognized tag";
            break;
        case pugi::status_bad_pi:
            problem = "malformed processing instruction";
            break;
        case pugi::status_bad_comment:
            problem = "malformed comment";
            break;
        case pugi::status_bad_cdata:
            problem = "malformed CDATA section";
            break;
        case pugi::status_bad_doctype:
            problem = "malformed document type declaration";
            break;
        case pugi::status_bad_pcdata:
            problem = "malformed text";
            break;
        case pugi::status_bad_start_element:
            problem = "malformed start tag";
            break;
        case pugi::status_bad_end_element:
            problem = "malformed end tag";
            break;
        case pugi::status_end_element_mismatch:
            problem = RestIsBlank(offset) ? "the document ends inside an element"
                                          : "end tag does not match its start tag";
            break;
        case pugi::status_no_document_element:
        case pugi::status_append_invalid_root:
            problem = "the document has no root element";
            break;
        default:
            problem = result.description();
            break;
    }
    Fail(offset, problem);
}

std::size_t XmlLoader::EnterScope(const pugi::xml_node& node) {
    const std::size_t mark = scope_.size();
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        const std::string_view name = attribute.name();
        if (!name.starts_with("xmlns")) {
            continue;
        }
        std::string_view prefix;
        if (name.size() > 5) {
            if (name[5] != ':') {
                continue;
            }
            prefix = name.substr(6);
        }
        const std::string_view uri = attribute.value();
        NamespaceKind kind = NamespaceKind::Other;
        if (EqualsIgnoreCase(uri, rowset_xml::SchemaUri)) {
            kind = NamespaceKind::Schema;
        } else if (EqualsIgnoreCase(uri, rowset_xml::DataTypeUri)) {
            kind = NamespaceKind::DataType;
        } else if (EqualsIgnoreCase(uri, rowset_xml::RowsetUri)) {
            kind = NamespaceKind::Rowset;
        } else if (EqualsIgnoreCase(uri, rowset_xml::RowUri)) {
            kind = NamespaceKind::Row;
        }
        scope_.emplace_back(prefix, kind);
    }
    return mark;
}

NamespaceKind XmlLoader::Resolve(std::string_view prefix) const {
    for (auto it = scope_.rbegin(); it != scope_.rend(); ++it) {
        if (it->first == prefix) {
            return it->second;
        }
    }
    return NamespaceKind::Other;
}

bool XmlLoader::Is(const pugi::xml_node& node, NamespaceKind kind, std::string_view local) const {
    if (node.type() != pugi::node_element) {
        return false;
    }
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    const std::string_view prefix =
        colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
    const std::string_view localName =
        colon == std::string_view::npos ? name : name.substr(colon + 1);
    return localName == local && Resolve(prefix) == kind;
}

pugi::xml_attribute XmlLoader::FindAttribute(const pugi::xml_node& node, NamespaceKind kind,
                                             std::string_view local) const {
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        const std::string_view name = attribute.name();
        const std::size_t colon = name.find(':');
        if (colon == std::string_view::npos) {
            if (kind == NamespaceKind::Other && name == local) {
                return attribute;
            }
            continue;
        }
        if (name.substr(colon + 1) == local && Resolve(name.substr(0, colon)) == kind) {
            return attribute;
        }
    }
    return {};
}

const char* XmlLoader::Attribute(const pugi::xml_node& node, NamespaceKind kind,
                                 std::string_view local) const {
    const pugi::xml_attribute attribute = FindAttribute(node, kind, local);
    return attribute ? attribute.value() : nullptr;
}

bool XmlLoader::Flag(const pugi::xml_node& node, std::string_view local) const {
    const char* value = Attribute(node, NamespaceKind::Rowset, local);
    return value != nullptr && (EqualsIgnoreCase(value, "true") || std::strcmp(value, "1") == 0 ||
                                std::strcmp(value, "-1") == 0);
}

pugi::xml_node XmlLoader::Child(const pugi::xml_node& parent, NamespaceKind kind,
                                std::string_view local) const {
    for (const pugi::xml_node& child : parent.children()) {
        if (Is(child, kind, local)) {
            return child;
        }
    }
    return {};
}

void XmlLoader::Reset() {
    scope_.clear();
    fields_.clear();
    rowName_ = "row";
    updatable_ = false;
    store_.reset();
    fieldByName_.clear();
    seen_.clear();
    current_ = &documentBuffer_;
}

std::shared_ptr<RowStore> XmlLoader::Load() {
    // With the data content cut out, pugixml builds a small tree; the rows follow in chunks.
    std::optional<RowsetXmlLayout> layout = FindRowsetXmlLayout(text_);
    while (true) {
        if (layout) {
            Fill(documentBuffer_,
                 {text_.substr(0, layout->contentStart), text_.substr(layout->contentEnd)}, 0);
            documentBuffer_.gapAt = layout->contentStart;
            documentBuffer_.gap = layout->contentEnd - layout->contentStart;
        } else {
            Fill(documentBuffer_, {text_}, 0);
        }
        const pugi::xml_parse_result result =
            document_.load_buffer_inplace(documentBuffer_.bytes.get(), documentBuffer_.size,
                                          pugi::parse_default, pugi::encoding_utf8);
        if (!result) {
            FailParse(result);
        }
        const pugi::xml_node root = document_.document_element();
        if (!root) {
            Fail(0, "the document has no root element");
        }
        EnterScope(root);
        const pugi::xml_node schema = Child(root, NamespaceKind::Schema, "Schema");
        if (!schema) {
            Fail(OffsetOf(root), "the document has no s:Schema element");
        }
        const std::size_t schemaScope = EnterScope(schema);
        ReadSchema(schema);
        LeaveScope(schemaScope);

        const pugi::xml_node data = Child(root, NamespaceKind::Rowset, "data");
        if (!data) {
            Fail(OffsetOf(root), "the document has no rs:data element");
        }
        if (layout && OffsetOf(data) != static_cast<std::ptrdiff_t>(layout->dataTagStart + 1)) {
            // The content cut out was not that of rs:data: read the whole text as one tree.
            layout.reset();
            Reset();
            continue;
        }
        std::vector<FieldInfo> infos;
        infos.reserve(fields_.size());
        for (const FieldDeclaration& field : fields_) {
            infos.push_back(field.info);
        }
        store_ = std::make_shared<RowStore>(std::move(infos));
        for (int i = 0; i < static_cast<int>(fields_.size()); ++i) {
            fieldByName_.emplace(fields_[static_cast<std::size_t>(i)].xmlName, i);
        }
        seen_.assign(fields_.size(), 0);
        const std::size_t dataScope = EnterScope(data);
        if (layout) {
            ReadChunks(*layout);
        } else {
            // Size the columns once: rows are children or grandchildren (change groups).
            uint32_t expected = 0;
            for (const pugi::xml_node& child : data.children()) {
                expected += 1 + static_cast<uint32_t>(std::distance(child.children().begin(),
                                                                    child.children().end()));
            }
            store_->Reserve(expected);
            for (const pugi::xml_node& child : data.children()) {
                ReadDataChild(child);
            }
        }
        LeaveScope(dataScope);
        return store_;
    }
}

void XmlLoader::ReadChunks(const RowsetXmlLayout& layout) {
    constexpr std::size_t ChunkBytes = 1 << 20;
    const std::string_view content =
        text_.substr(layout.contentStart, layout.contentEnd - layout.contentStart);
    // Every row has one '<': an upper bound of the rows, close for plain rowsets.
    store_->Reserve(static_cast<uint32_t>(std::count(content.begin(), content.end(), '<')));
    current_ = &chunkBuffer_;
    std::size_t at = layout.contentStart;
    while (at < layout.contentEnd) {
        std::size_t end = NextChunkEnd(text_, at, layout.contentEnd, ChunkBytes);
        if (end == std::string_view::npos) {
            end = layout.contentEnd;  // unbalanced: pugixml names the problem
        }
        Fill(chunkBuffer_, {text_.substr(at, end - at)}, at);
        const pugi::xml_parse_result result = chunk_.load_buffer_inplace(
            chunkBuffer_.bytes.get(), chunkBuffer_.size, pugi::parse_default | pugi::parse_fragment,
            pugi::encoding_utf8);
        if (!result) {
            FailParse(result);
        }
        for (const pugi::xml_node& child : chunk_.children()) {
            ReadDataChild(child);
        }
        at = end;
    }
    current_ = &documentBuffer_;
}

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

void XmlLoader::ReadDataChild(const pugi::xml_node& child) {
    {
        if (child.type() != pugi::node_element) {
            return;
        }
        const std::size_t scope = EnterScope(child);
        if (Is(child, NamespaceKind::Row, rowName_)) {
            ReadRow(child, store_->AppendRow(RowState::Unmodified), RowReadKind::Complete);
        } else if (Is(child, NamespaceKind::Rowset, "insert") ||
                   Is(child, NamespaceKind::Rowset, "delete")) {
            const bool isInsert = Is(child, NamespaceKind::Rowset, "insert");
            for (const pugi::xml_node& row : child.children()) {
                const std::size_t rowScope = EnterScope(row);
                if (Is(row, NamespaceKind::Row, rowName_)) {
                    const uint32_t id =
                        store_->AppendRow(isInsert ? RowState::New : RowState::Deleted);
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
            const uint32_t id = store_->AppendRow(RowState::Modified);
            ReadRow(original, id, RowReadKind::Complete);
            store_->SetOriginal(id, store_->GetRow(id));
            if (changed) {
                ReadRow(changed, id, RowReadKind::Overlay);
            }
        }
        LeaveScope(scope);
    }
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
            if (seen_[field] != seenMark_ &&
                (fields_[field].info.attributes & adFldMayBeNull) == 0) {
                Fail(OffsetOf(node),
                     "required field '" + fields_[field].info.name + "' has no value");
            }
        }
    }
    LeaveScope(scope);
}

}  // namespace

RecordsetPtr Recordset::LoadXml(std::string_view xml) {
    XmlLoader loader(xml);
    auto recordset = std::make_shared<Recordset>();
    recordset->rows_ = loader.Load();
    recordset->view_->isOpen = true;
    recordset->view_->lockType = loader.Updatable() ? adLockBatchOptimistic : adLockReadOnly;
    recordset->view_->Rebuild(*recordset->rows_);
    return recordset;
}

}  // namespace hlreports

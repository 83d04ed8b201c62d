// Recordset::LoadXml: reads rowset XML written by this component or by the classic desktop
// library: prefixes resolved by namespace URI, whitespace and wrapped tags tolerated, fields
// inline in s:ElementType or declared apart and referenced with s:attribute, dt:type on the
// field or on its s:datatype, the reader defaults for missing attributes, and pending changes
// (rs:update overlaying rs:original, rs:insert with rs:forcenull, rs:delete).
//
// This file holds the loading sequence (skeleton, then chunks of rows), the buffers and their
// offsets, namespace resolution and the error texts. Unknown attributes and elements are
// ignored, as the format allows.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <optional>

#include "recordset/RecordsetView.h"
#include "recordset/RecordsetXmlLoader.h"
#include "recordset/RecordsetXmlNames.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {

namespace rowset_xml {

uint32_t EstimatedRows(std::string_view content, std::size_t fieldCount) {
    std::size_t starts = 0;
    for (std::size_t at = content.find('<');
         at != std::string_view::npos && at + 1 < content.size(); at = content.find('<', at + 1)) {
        const auto next = static_cast<unsigned char>(content[at + 1]);
        starts += std::isalpha(next) != 0 || next == '_' || next == ':' || next >= 0x80;
    }
    const std::size_t limit = MaxRowsetValues / std::max<std::size_t>(fieldCount, 1);
    return static_cast<uint32_t>(std::min(starts, limit));
}

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
            store_->Reserve(std::min<uint32_t>(
                expected,
                static_cast<uint32_t>(MaxRowsetValues / std::max<std::size_t>(fields_.size(), 1))));
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
    store_->Reserve(EstimatedRows(content, fields_.size()));
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

}  // namespace rowset_xml

RecordsetPtr Recordset::LoadXml(std::string_view xml) {
    rowset_xml::XmlLoader loader(xml);
    auto recordset = std::make_shared<Recordset>();
    recordset->rows_ = loader.Load();
    recordset->view_->isOpen = true;
    recordset->view_->lockType = loader.Updatable() ? adLockBatchOptimistic : adLockReadOnly;
    recordset->view_->Rebuild(*recordset->rows_);
    return recordset;
}

}  // namespace hlreports

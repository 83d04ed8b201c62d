// XmlLoader: the reader behind Recordset::LoadXml, split by concern over RecordsetXmlReader.cpp
// (buffers, namespaces, errors, chunked loading), RecordsetXmlSchema.cpp (fields) and
// RecordsetXmlRows.cpp (rows and pending changes).
//
// pugixml parses private copies of the text in place, so attribute values point into those
// copies and their byte offsets give the line and column of any bad value. Every failure is
// ComError 3001 from "Recordset.LoadXml" whose description starts "line N: " and names the
// problem. Internal to the data folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "recordset/Recordset.h"
#include "recordset/RecordsetXmlLayout.h"
#include "recordset/RowStore.h"

namespace hlreports::rowset_xml {

enum class NamespaceKind { Other, Schema, DataType, Rowset, Row };

// The most values (rows x fields) a rowset may hold: about 1 GB of cells before any text. A file
// beyond it is refused with an error rather than exhausting memory.
inline constexpr std::size_t MaxRowsetValues = 100'000'000;

// Rows to reserve for the content of a data element: one per element start ('<' and a name
// character), at most what MaxRowsetValues allows for `fieldCount` fields, so that text full of
// '<' in a comment cannot ask for more than a real rowset could.
uint32_t EstimatedRows(std::string_view content, std::size_t fieldCount);

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

// A value quoted for an error message, cut after 40 bytes.
inline std::string Quoted(std::string_view value) {
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
    // Appends a row for `node`, refusing one that would pass MaxRowsetValues.
    uint32_t NewRow(RowState state, const pugi::xml_node& node);
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

}  // namespace hlreports::rowset_xml

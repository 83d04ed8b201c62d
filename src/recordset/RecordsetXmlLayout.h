// A light scan of rowset XML that finds where the data element's content lies and where that
// content can be cut between whole child elements, without building a document tree.
//
// Why: a full pugixml tree of a 100,000-row document costs about twice the text again and most
// of the load time goes into faulting in that memory. The loader therefore parses the document
// with the data content left out (the "skeleton"), then the content in chunks of whole elements
// that reuse one small tree. The scan only tracks tags, quotes, comments, CDATA and processing
// instructions; it checks nothing else. When it meets anything it does not expect (unbalanced
// tags, a missing '>', no data content) it gives up and the loader parses the whole text at once,
// so that pugixml reports the problem as usual.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace hlreports {

struct RowsetXmlLayout {
    std::size_t dataTagStart = 0;  // '<' of the data element's start tag
    std::size_t contentStart = 0;  // just after that start tag
    std::size_t contentEnd = 0;    // '<' of its end tag
};

// The first child of the root element whose name ends in "data" and that has content.
std::optional<RowsetXmlLayout> FindRowsetXmlLayout(std::string_view text);

// The end of the next run of whole elements (and the text between them) that starts at `from`
// and spans at least `minimumBytes`, or `end`; npos when the elements do not balance.
std::size_t NextChunkEnd(std::string_view text, std::size_t from, std::size_t end,
                         std::size_t minimumBytes);

}  // namespace hlreports

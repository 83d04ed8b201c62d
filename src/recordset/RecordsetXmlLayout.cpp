// Tag-level scan of rowset XML; see RecordsetXmlLayout.h for what it finds and why.
#include "recordset/RecordsetXmlLayout.h"

namespace hlreports {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Past a comment, CDATA section, processing instruction or declaration starting at `at`
// (text[at] == '<'); `at` itself when none starts there, npos when it does not end.
std::size_t SkipSpecial(std::string_view text, std::size_t at) {
    const std::string_view rest = text.substr(at);
    const auto past = [&](std::string_view closer) {
        const std::size_t found = text.find(closer, at + 2);
        return found == npos ? npos : found + closer.size();
    };
    if (rest.starts_with("<!--")) {
        return past("-->");
    }
    if (rest.starts_with("<![CDATA[")) {
        return past("]]>");
    }
    if (rest.starts_with("<?")) {
        return past("?>");
    }
    if (rest.starts_with("<!")) {
        return past(">");
    }
    return at;
}

// The '>' that closes the tag opened at `at`, honouring quoted attribute values.
std::size_t TagClose(std::string_view text, std::size_t at, std::size_t end) {
    char quote = 0;
    for (std::size_t i = at + 1; i < end; ++i) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return npos;
}

// Just past the element whose start tag begins at `at`; npos when it does not balance.
std::size_t ElementEnd(std::string_view text, std::size_t at, std::size_t end) {
    int depth = 0;
    std::size_t i = at;
    while (i < end) {
        if (text[i] != '<') {
            ++i;
            continue;
        }
        const std::size_t skipped = SkipSpecial(text, i);
        if (skipped == npos) {
            return npos;
        }
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const std::size_t close = TagClose(text, i, end);
        if (close == npos) {
            return npos;
        }
        if (text[i + 1] == '/') {
            --depth;
        } else if (text[close - 1] != '/') {
            ++depth;
        }
        i = close + 1;
        if (depth <= 0) {
            return depth == 0 ? i : npos;
        }
    }
    return npos;
}

std::string_view TagName(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '\r' &&
           text[end] != '\n' && text[end] != '/' && text[end] != '>') {
        ++end;
    }
    return text.substr(at + 1, end - at - 1);
}

}  // namespace

std::optional<RowsetXmlLayout> FindRowsetXmlLayout(std::string_view text) {
    std::size_t i = 0;
    // Prolog: declarations, comments and blanks before the root element.
    while (true) {
        i = text.find('<', i);
        if (i == npos) {
            return std::nullopt;
        }
        const std::size_t skipped = SkipSpecial(text, i);
        if (skipped == npos) {
            return std::nullopt;
        }
        if (skipped == i) {
            break;
        }
        i = skipped;
    }
    const std::size_t rootClose = TagClose(text, i, text.size());
    if (rootClose == npos || text[rootClose - 1] == '/') {
        return std::nullopt;
    }
    i = rootClose + 1;
    while (true) {
        i = text.find('<', i);
        if (i == npos || text.substr(i).starts_with("</")) {
            return std::nullopt;
        }
        const std::size_t skipped = SkipSpecial(text, i);
        if (skipped == npos) {
            return std::nullopt;
        }
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const std::size_t childEnd = ElementEnd(text, i, text.size());
        if (childEnd == npos) {
            return std::nullopt;
        }
        const std::string_view name = TagName(text, i);
        const std::size_t colon = name.find(':');
        const std::string_view local = colon == npos ? name : name.substr(colon + 1);
        const std::size_t startClose = TagClose(text, i, childEnd);
        if (local == "data" && text[startClose - 1] != '/') {
            RowsetXmlLayout layout;
            layout.dataTagStart = i;
            layout.contentStart = startClose + 1;
            layout.contentEnd = text.rfind('<', childEnd - 1);
            return layout;
        }
        i = childEnd;
    }
}

std::size_t NextChunkEnd(std::string_view text, std::size_t from, std::size_t end,
                         std::size_t minimumBytes) {
    std::size_t i = from;
    while (i < end && i - from < minimumBytes) {
        const std::size_t next = text.find('<', i);
        if (next == npos || next >= end) {
            return end;
        }
        const std::size_t skipped = SkipSpecial(text, next);
        if (skipped == npos) {
            return npos;
        }
        if (skipped != next) {
            i = skipped;
            continue;
        }
        i = ElementEnd(text, next, end);
        if (i == npos) {
            return npos;
        }
    }
    return i < end ? i : end;
}

}  // namespace hlreports

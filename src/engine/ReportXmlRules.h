// The rules every element of a report file is read by: attribute lists that reject unknown
// names, required and optional attributes, flags, element-only children and leaf text, and the
// one error of a malformed file (20510 "CoreReport.Load" naming the file, line and problem).
// Shared by the parser of the whole file and the parser of table reading.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/format.h>
#include <pugixml.hpp>

#include "engine/EngineErrors.h"

namespace hlreports {

class ReportXmlRules {
  public:
    ReportXmlRules(std::string_view text, const std::string& path) : text_(text), path_(path) {}

    static bool IsBlank(std::string_view text) {
        return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
    }

    int LineAt(std::ptrdiff_t offset) const {
        if (offset < 0) {
            return 0;
        }
        const std::size_t end = std::min(static_cast<std::size_t>(offset), text_.size());
        return 1 + static_cast<int>(std::count(
                       text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
    }

    [[noreturn]] void FailAt(std::ptrdiff_t offset, const std::string& problem) const {
        throw ComError(
            EngineError::MalformedReportFile, std::string(EngineError::LoadSource),
            fmt::format("Malformed report file {}, line {}: {}", path_, LineAt(offset), problem));
    }

    [[noreturn]] void Fail(pugi::xml_node node, const std::string& problem) const {
        FailAt(node ? node.offset_debug() : 0, problem);
    }

    void CheckAttributes(pugi::xml_node node,
                         std::initializer_list<std::string_view> allowed) const {
        std::vector<std::string_view> seen;
        for (pugi::xml_attribute attribute : node.attributes()) {
            const std::string_view name = attribute.name();
            if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
                Fail(node, fmt::format("unknown attribute '{}' on <{}>", name, node.name()));
            }
            if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
                Fail(node, fmt::format("attribute '{}' given twice on <{}>", name, node.name()));
            }
            seen.push_back(name);
        }
    }

    std::string Required(pugi::xml_node node, const char* name) const {
        const pugi::xml_attribute attribute = node.attribute(name);
        if (!attribute) {
            Fail(node, fmt::format("<{}> needs the attribute '{}'", node.name(), name));
        }
        return attribute.value();
    }

    // Required and not empty: names that the component looks things up by.
    std::string RequiredName(pugi::xml_node node, const char* name) const {
        std::string value = Required(node, name);
        if (value.empty()) {
            Fail(node, fmt::format("the attribute '{}' of <{}> is empty", name, node.name()));
        }
        return value;
    }

    static std::optional<std::string> Optional(pugi::xml_node node, const char* name) {
        const pugi::xml_attribute attribute = node.attribute(name);
        if (!attribute) {
            return std::nullopt;
        }
        return std::string(attribute.value());
    }

    bool Flag(pugi::xml_node node, const char* name) const {
        const std::optional<std::string> value = Optional(node, name);
        if (!value || *value == "false") {
            return false;
        }
        if (*value == "true") {
            return true;
        }
        Fail(node, fmt::format("the attribute '{}' of <{}> is '{}', not true or false", name,
                               node.name(), *value));
    }

    // Element children of a container; text other than blanks is rejected, comments skipped.
    std::vector<pugi::xml_node> Elements(pugi::xml_node node) const {
        std::vector<pugi::xml_node> elements;
        for (pugi::xml_node child : node.children()) {
            if (child.type() == pugi::node_element) {
                elements.push_back(child);
            } else if ((child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) &&
                       !IsBlank(child.value())) {
                Fail(child, fmt::format("unexpected text in <{}>", node.name()));
            }
        }
        return elements;
    }

    // The text of a leaf element, exactly as written; child elements are rejected.
    std::string TextOf(pugi::xml_node node) const {
        std::string text;
        for (pugi::xml_node child : node.children()) {
            if (child.type() == pugi::node_element) {
                Fail(child, fmt::format("unknown element <{}> in <{}>", child.name(), node.name()));
            }
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                text += child.value();
            }
        }
        return text;
    }

    void NoChildren(pugi::xml_node node) const {
        for (pugi::xml_node child : Elements(node)) {
            Fail(child, fmt::format("unknown element <{}> in <{}>", child.name(), node.name()));
        }
    }

    [[noreturn]] void Unknown(pugi::xml_node child, pugi::xml_node parent) const {
        Fail(child, fmt::format("unknown element <{}> in <{}>", child.name(), parent.name()));
    }

  protected:
    std::string_view text_;
    const std::string& path_;
};

}  // namespace hlreports

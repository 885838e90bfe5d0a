#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace radial::testing {

// Well-formedness as far as the tool's SVG needs it, without an XML library: one optional
// declaration, then one root element with every tag closed in order, attribute values quoted,
// and no '&' (the chart uses no entities) or stray '>' in text. Returns what is wrong, or nothing.
inline std::string xml_fault(const std::string& xml) {
    std::vector<std::string> open;
    std::size_t at = xml.starts_with("<?xml") ? xml.find("?>") + 2 : 0;
    while (at < xml.size()) {
        const std::size_t lt = xml.find('<', at);
        const std::string text = xml.substr(at, lt - at);
        if (text.find('&') != std::string::npos || text.find('>') != std::string::npos) {
            return "bad text: " + text;
        }
        if (lt == std::string::npos) {
            break;
        }
        const std::size_t gt = xml.find('>', lt);
        if (gt == std::string::npos) {
            return "unclosed tag";
        }
        const std::string tag = xml.substr(lt + 1, gt - lt - 1);
        if (tag.find('<') != std::string::npos || std::count(tag.begin(), tag.end(), '"') % 2) {
            return "bad tag: " + tag;
        }
        const std::string name =
            tag.substr(tag[0] == '/', tag.find_first_of(" /", 1) - (tag[0] == '/'));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != name) {
                return "</" + name + "> closes nothing open";
            }
            open.pop_back();
        } else if (!tag.ends_with("/")) {
            open.push_back(name);
        }
        if (open.empty() && xml.find('<', gt) != std::string::npos) {
            return "more than one root";
        }
        at = gt + 1;
    }
    return open.empty() ? "" : "<" + open.back() + "> left open";
}

// The start tags beginning with start, each up to its closing '>' (not included).
inline std::vector<std::string> elements(const std::string& svg, const std::string& start) {
    std::vector<std::string> found;
    for (std::size_t at = svg.find(start); at != std::string::npos; at = svg.find(start, at + 1)) {
        found.push_back(svg.substr(at, svg.find('>', at) - at));
    }
    return found;
}

inline std::string attribute(const std::string& element, const std::string& name) {
    const std::size_t at = element.find(" " + name + "=\"") + name.size() + 3;
    return element.substr(at, element.find('"', at) - at);
}

} // namespace radial::testing

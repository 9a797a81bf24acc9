#include "layout_file.h"

#include <fstream>
#include <regex>
#include <stdexcept>

namespace vantrel::driver {

const LayoutControl& Layout::Control(std::string_view name) const {
    for (const LayoutControl& control : controls) {
        if (control.name == name) {
            return control;
        }
    }
    throw std::out_of_range("the layout has no control " + std::string(name));
}

std::vector<const LayoutControl*> Layout::OfKind(std::string_view kind) const {
    std::vector<const LayoutControl*> found;
    for (const LayoutControl& control : controls) {
        if (control.kind == kind) {
            found.push_back(&control);
        }
    }
    return found;
}

// The layout file keeps one element per line, as Qt Designer writes it; a
// property line belongs to the innermost widget open at that point.
Layout ReadLayout(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read the layout " + path);
    }
    static const std::regex widget(R"re(<widget class="(?:\w+::)?(\w+)" name="(\w+)")re");
    static const std::regex geometry(
        R"re(name="geometry"><rect><x>(\d+)</x><y>(\d+)</y><width>(\d+)</width><height>(\d+)<)re");
    static const std::regex name(R"re(name="accessibleName"><string>([^<]*)<)re");
    static const std::regex title(R"re(name="windowTitle"><string>([^<]*)<)re");

    Layout layout;
    std::vector<std::size_t> open;  // indexes into controls
    std::string line;
    std::smatch match;
    while (std::getline(file, line)) {
        if (std::regex_search(line, match, widget)) {
            LayoutControl control;
            control.kind = match[1];
            control.name = match[2];
            if (!open.empty()) {
                control.parent = layout.controls[open.back()].name;
            }
            layout.controls.push_back(control);
            open.push_back(layout.controls.size() - 1);
        } else if (line.find("</widget>") != std::string::npos && !open.empty()) {
            open.pop_back();
        } else if (!open.empty()) {
            LayoutControl& control = layout.controls[open.back()];
            if (std::regex_search(line, match, geometry)) {
                control.left = std::stoi(match[1]);
                control.top = std::stoi(match[2]);
                control.width = std::stoi(match[3]);
                control.height = std::stoi(match[4]);
            } else if (std::regex_search(line, match, name)) {
                control.accessibleName = match[1];
            } else if (std::regex_search(line, match, title)) {
                layout.title = match[1];
            }
        }
    }
    if (layout.title.empty() || layout.OfKind("TEdit").empty()) {
        throw std::runtime_error("no window with value fields in the layout " + path);
    }
    return layout;
}

}  // namespace vantrel::driver

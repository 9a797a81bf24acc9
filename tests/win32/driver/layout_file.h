// What the driver expects of the window, read from the same layout the program
// is built from (ui/vantrel.ui): each control's kind, name, sheet, place and
// size in design pixels, and the value fields' accessible names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::driver {

struct LayoutControl {
    std::string kind;    // the toolkit class without its namespace: "TEdit", "TButton", ...
    std::string name;    // layout name: "Edt_QGW"
    std::string parent;  // layout name of the control holding it
    int left = 0;        // design pixels, within the parent's client area
    int top = 0;
    int width = 0;
    int height = 0;
    std::string accessibleName;  // UTF-8, empty when the layout gives none
};

struct Layout {
    std::string title;  // UTF-8
    std::vector<LayoutControl> controls;

    const LayoutControl& Control(std::string_view name) const;  // throws std::out_of_range
    std::vector<const LayoutControl*> OfKind(std::string_view kind) const;
};

Layout ReadLayout(const std::string& path);  // throws std::runtime_error

}  // namespace vantrel::driver

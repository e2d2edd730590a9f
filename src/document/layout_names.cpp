#include "document/layout_names.h"

namespace {

struct LayoutName {
    std::string_view name;
    DisplayMode mode;
};

constexpr LayoutName kLayouts[] = {
    {"vertical", DisplayMode::Vertical},
    {"horizontal", DisplayMode::Horizontal},
    {"vertical-photo", DisplayMode::VerticalPhoto},
    {"horizontal-photo", DisplayMode::HorizontalPhoto},
    {"large-cells", DisplayMode::HorizontalLargeCells},
    {"photo-months", DisplayMode::PhotoMonths},
};

} // namespace

std::optional<DisplayMode> DisplayModeFromName(std::string_view name)
{
    for (const LayoutName &layout : kLayouts) {
        if (layout.name == name)
            return layout.mode;
    }
    return std::nullopt;
}

const char *LayoutNameList()
{
    return "vertical, horizontal, vertical-photo, horizontal-photo, large-cells ou photo-months";
}

// The page's shell holds a title for its first paint, before the engine has loaded: the window's
// caption, which the page cannot take from the engine that early.
#include "controls/window_caption.h"
#include "core/colour.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace radial {
namespace {

std::string shell() {
    std::ifstream in(RADIAL_PAGE_SHELL);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PageShell, TitleIsTheWindowsCaption) {
    const std::string html = shell();
    const std::size_t open = html.find("<title>");
    const std::size_t close = html.find("</title>");
    ASSERT_NE(open, std::string::npos) << RADIAL_PAGE_SHELL;
    ASSERT_NE(close, std::string::npos);
    const std::size_t start = open + std::string("<title>").size();
    EXPECT_EQ(html.substr(start, close - start), window_caption);
}

// The legend's swatches, in its order, are the palette's colours for what each names.
TEST(PageShell, LegendSwatchesAreThePicturesColours) {
    const std::string html = shell();
    std::vector<std::string> swatches;
    const std::string mark = "class=\"swatch\" style=\"background: ";
    for (std::size_t at = html.find(mark); at != std::string::npos; at = html.find(mark, at + 1)) {
        swatches.push_back(html.substr(at + mark.size(), 7));
    }
    std::vector<std::string> palette;
    for (const Colour c : {grey, blue, red, green, magenta, orange_brown}) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02x%02x%02x", red_of(c), green_of(c), blue_of(c));
        palette.emplace_back(hex);
    }
    EXPECT_EQ(swatches, palette);
}

} // namespace
} // namespace radial

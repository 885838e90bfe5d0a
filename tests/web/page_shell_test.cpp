// The page's shell holds a title for its first paint, before the engine has loaded: the window's
// caption, which the page cannot take from the engine that early.
#include "controls/window_caption.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace radial {
namespace {

TEST(PageShell, TitleIsTheWindowsCaption) {
    std::ifstream in(RADIAL_PAGE_SHELL);
    const std::string html{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t open = html.find("<title>");
    const std::size_t close = html.find("</title>");
    ASSERT_NE(open, std::string::npos) << RADIAL_PAGE_SHELL;
    ASSERT_NE(close, std::string::npos);
    const std::size_t start = open + std::string("<title>").size();
    EXPECT_EQ(html.substr(start, close - start), window_caption);
}

} // namespace
} // namespace radial

#include "analysis/exact_piston.h"
#include "analysis/reach_ranges.h"
#include "report/cylinder_colours.h"
#include "report/distance_plot.h"
#include "svg_checks.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace radial {
namespace {

namespace fs = std::filesystem;
using testing::attribute;
using testing::elements;
using testing::Refusal;
using testing::run;
using testing::xml_fault;

TEST(XmlFault, CatchesWhatBreaksXml) {
    EXPECT_EQ(xml_fault("<?xml version=\"1.0\"?>\n<a><b x=\"1\"/><c>t</c></a>\n"), "");
    EXPECT_NE(xml_fault("<a><b></a>"), "");
    EXPECT_NE(xml_fault("<a><b/>"), "");
    EXPECT_NE(xml_fault("<a>x & y</a>"), "");
    EXPECT_NE(xml_fault("<a x=\"1></a>"), "");
    EXPECT_NE(xml_fault("<a/><b/>"), "");
}

TEST(DistancePlot, DrawsOneLabelledCurvePerCylinder) {
    const std::string svg = distance_plot_svg({11, 200, 52.5});
    EXPECT_EQ(xml_fault(svg), "");
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    const auto curves = elements(svg, "<path class=\"curve\"");
    ASSERT_EQ(curves.size(), 11U);
    std::set<std::string> colours;
    for (std::size_t k = 0; k < curves.size(); ++k) {
        EXPECT_EQ(attribute(curves[k], "data-cylinder"), std::to_string(k + 1));
        colours.insert(attribute(curves[k], "stroke"));
        // Reaching all round: one run over the whole revolution.
        const std::string d = attribute(curves[k], "d");
        EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 1);
        EXPECT_EQ(std::count(d.begin(), d.end(), 'L'), 720);
    }
    EXPECT_EQ(colours.size(), 11U);
    const std::size_t legend = svg.find("<g class=\"legend\">");
    ASSERT_NE(legend, std::string::npos);
    const std::string keys = svg.substr(legend, svg.find("</g>", legend) - legend);
    EXPECT_EQ(elements(keys, "<line").size(), 11U);
    EXPECT_EQ(elements(keys, "<text").size(), 11U);
    for (const char* text :
         {"11 cylinders", "rod length 200 (l/s 2.00)", "wrist radius 52.5", "(eccentricity 1.05)",
          "crank angle (degrees", "(world units)", ">1 master<", ">11<", ">360<"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(svg.find("gaps"), std::string::npos);
}

TEST(DistancePlot, BreaksCurvesWhereRodsCannotReach) {
    const int n = 35;
    const std::string svg = distance_plot_svg({n, 125, 75});
    EXPECT_EQ(xml_fault(svg), "");
    const auto curves = elements(svg, "<path class=\"curve\"");
    ASSERT_EQ(curves.size(), 35U);
    for (int i = 1; i <= n; ++i) {
        const auto ranges = unreachable_ranges(ExactPiston(i, {n, 125, 75}, 50), summary_grid);
        // The reachable arcs of the circle; the one through 0 shows at both ends of the chart.
        const bool zero_reaches = std::none_of(ranges.begin(), ranges.end(),
                                               [](const AngleRange& r) { return r.to > two_pi; });
        const long runs = static_cast<long>(ranges.size()) + (zero_reaches ? 1 : 0);
        const std::string d = attribute(curves[static_cast<std::size_t>(i - 1)], "d");
        EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), runs) << i;
    }
    // Two columns of keys for 35 cylinders, each 100 pixels wide, inside the chart's 1000 less
    // its right margin of 30.
    const std::size_t legend = svg.find("<g class=\"legend\">");
    const auto keys = elements(svg.substr(legend, svg.find("</g>", legend) - legend), "<line");
    ASSERT_EQ(keys.size(), 35U);
    EXPECT_EQ(std::stod(attribute(keys[0], "x1")), 770);
    EXPECT_EQ(std::stod(attribute(keys[34], "x1")), 870);
    EXPECT_NE(svg.find(">4 (gaps)<"), std::string::npos);
    EXPECT_NE(svg.find(">3<"), std::string::npos);
    EXPECT_NE(svg.find("cannot reach"), std::string::npos);
}

TEST(CylinderColours, AreDistinctAndTheMasterIsBlack) {
    for (const int n : {3, 11, 35}) {
        std::set<std::string> colours;
        for (int i = 1; i <= n; ++i) {
            const std::string colour = cylinder_colour(i, n);
            EXPECT_EQ(colour.size(), 7U);
            EXPECT_EQ(colour.find_first_not_of("#0123456789abcdef"), std::string::npos);
            colours.insert(colour);
        }
        EXPECT_EQ(colours.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(cylinder_colour(1, n), "#000000");
    }
}

// A fresh, empty directory for one test, removed afterwards.
class PlotFile : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() /
                   ("radial-plot-" + std::to_string(getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    // The names in dir, or in a directory under it, sorted.
    std::vector<std::string> listing(const fs::path& under = {}) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir / under)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string contents_of(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(PlotFile, IsWrittenWholeAndAloneInPlaceOfAnyOldOne) {
    const std::string path = (dir / "chart.svg").string();
    std::ofstream(path) << "old";
    const auto r = run({"--plot", path, "--cylinders", "5", "--ls", "1.5"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(contents_of(path), distance_plot_svg({5, 150, 52.5}));
    EXPECT_EQ(listing(), std::vector<std::string>{"chart.svg"});
}

TEST_F(PlotFile, KeepsTheOldFilesPermissions) {
    const fs::path path = dir / "chart.svg";
    for (const fs::perms perms : {fs::perms::owner_read | fs::perms::owner_write,
                                  fs::perms::owner_all | fs::perms::group_read}) {
        std::ofstream(path) << "old";
        fs::permissions(path, perms);
        const auto r = run({"--plot", path.string(), "--cylinders", "3"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(fs::status(path).permissions(), perms);
        EXPECT_EQ(contents_of(path), distance_plot_svg({3, 200, 52.5}));
    }
}

// chart.svg -> (absolute) middle.svg -> (relative) charts/real.svg
TEST_F(PlotFile, ThroughSymbolicLinksReplacesWhatTheyLeadToAndKeepsThem) {
    fs::create_directory(dir / "charts");
    const fs::path real = dir / "charts" / "real.svg";
    std::ofstream(real) << "old";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("charts/real.svg", dir / "middle.svg");
    fs::create_symlink(dir / "middle.svg", dir / "chart.svg");
    const auto r = run({"--plot", (dir / "chart.svg").string(), "--cylinders", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::read_symlink(dir / "chart.svg"), dir / "middle.svg");
    EXPECT_EQ(fs::read_symlink(dir / "middle.svg"), "charts/real.svg");
    EXPECT_EQ(contents_of(real), distance_plot_svg({3, 200, 52.5}));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(listing(), (std::vector<std::string>{"chart.svg", "charts", "middle.svg"}));
    EXPECT_EQ(listing("charts"), std::vector<std::string>{"real.svg"});
}

TEST_F(PlotFile, ThroughALinkToNoFileYetCreatesIt) {
    fs::create_symlink("new.svg", dir / "chart.svg");
    const auto r = run({"--plot", (dir / "chart.svg").string(), "--cylinders", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(dir / "chart.svg"));
    EXPECT_EQ(contents_of(dir / "new.svg"), distance_plot_svg({3, 200, 52.5}));
    EXPECT_EQ(listing(), (std::vector<std::string>{"chart.svg", "new.svg"}));
}

TEST_F(PlotFile, ThroughALinkLoopIsRefused) {
    fs::create_symlink("b.svg", dir / "a.svg");
    fs::create_symlink("a.svg", dir / "b.svg");
    EXPECT_TRUE(testing::refused(run({"--plot", (dir / "a.svg").string()}), "--plot cannot write"));
    EXPECT_EQ(listing(), (std::vector<std::string>{"a.svg", "b.svg"}));
}

// Like /dev/null: something that is not a regular file is never renamed over, not even by root.
TEST_F(PlotFile, OverAPipeOrThroughALinkToOneIsRefusedAndLeavesItBe) {
    const fs::path pipe = dir / "pipe.svg";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink("pipe.svg", dir / "link.svg");
    for (const char* name : {"pipe.svg", "link.svg"}) {
        const std::string path = (dir / name).string();
        EXPECT_TRUE(testing::refused(run({"--plot", path}), "not a regular file")) << name;
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(listing(), (std::vector<std::string>{"link.svg", "pipe.svg"}));
}

TEST_F(PlotFile, ThatCannotBeWrittenIsRefusedAndLeavesNothing) {
    const std::string missing = (dir / "no-such-dir" / "chart.svg").string();
    EXPECT_TRUE(testing::refused(run({"--plot", missing}), "--plot cannot write '" + missing));
    fs::create_directory(dir / "taken.svg");
    const std::string taken = (dir / "taken.svg").string();
    EXPECT_TRUE(testing::refused(run({"--plot", taken}),
                                 "--plot cannot write '" + taken + "': Is a directory"));
    EXPECT_TRUE(testing::refused(run({"--plot", dir.string() + "/"}),
                                 "not '" + dir.string() + "/', which is a directory"));
    EXPECT_EQ(listing(), std::vector<std::string>{"taken.svg"});
    EXPECT_TRUE(fs::is_empty(dir / "taken.svg"));
}

TEST_F(PlotFile, InAReadOnlyDirectoryIsRefused) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(testing::refused(run({"--plot", (dir / "chart.svg").string()}), "--plot"));
    EXPECT_TRUE(listing().empty());
}

class PlotRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(PlotRefuses, WithOneLine) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    BadCombinations, PlotRefuses,
    ::testing::Values(Refusal{{"--plot"}, "--plot needs a value"},
                      Refusal{{"--plot", ""}, "--plot takes a path"},
                      Refusal{{"--plot", "a.svg", "--summary"}, "--summary and --plot"},
                      Refusal{{"--sweep", "1", "--plot", "a.svg"}, "--sweep and --plot"},
                      Refusal{{"--plot", "a.svg", "--theta", "1"}, "--theta applies only"},
                      Refusal{{"--plot", "a.svg", "--format", "csv"}, "--format applies only"}));

} // namespace
} // namespace radial

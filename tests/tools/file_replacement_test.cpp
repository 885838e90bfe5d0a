#include "file_replacement.h"
#include "report/crank_angle_chart.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

// Files of the tool's flags, replaced whole or not at all: through --plot, whose file is the
// simplest to make.

namespace radial {
namespace {

namespace fs = std::filesystem;
using testing::run;

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

} // namespace
} // namespace radial

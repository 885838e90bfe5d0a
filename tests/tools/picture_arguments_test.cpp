#include "argument_parsing.h"
#include "picture_files.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace radial {
namespace {

using testing::Refusal;

ToolOptions picture_options(std::vector<std::string_view> args) {
    const auto result = parse_arguments(args);
    EXPECT_TRUE(std::holds_alternative<ToolOptions>(result));
    return std::holds_alternative<ToolOptions>(result) ? std::get<ToolOptions>(result)
                                                       : ToolOptions{};
}

TEST(PictureArguments, AcceptTheBoundsAndTheAngle) {
    EXPECT_EQ(picture_options({"--animation", "a.gif", "--frames", "2"}).frames, 2);
    EXPECT_EQ(picture_options({"--frames", "2000", "--animation", "a.gif"}).frames, 2000);
    EXPECT_EQ(picture_options({"--animation", "a.gif"}).frames, 209);
    const ToolOptions picture = picture_options({"--theta", "-7.5", "--picture", "dir/a.svg"});
    EXPECT_EQ(picture.mode, ToolMode::picture);
    EXPECT_EQ(picture.theta, -7.5);
    EXPECT_EQ(picture.picture_path, "dir/a.svg");
    const auto usage = testing::run({"--help"}).out;
    for (const char* flag :
         {"\n  --picture FILE ", "\n  --animation FILE ", "\n  --frames N ", "\n  --vector "}) {
        EXPECT_NE(usage.find(flag), std::string::npos) << flag;
    }
}

class PictureRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(PictureRefusals, LeaveNoFile) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, PictureRefusals,
    ::testing::Values(
        Refusal{{"--picture", "a.gif"}, "--picture takes a path ending in .png or .svg, not"},
        Refusal{{"--picture", "a"}, "--picture takes"},
        Refusal{{"--picture", "dir/.svg"}, "--picture takes"},
        Refusal{{"--animation", "a.png"}, "--animation takes a path ending in .gif"},
        Refusal{{"--animation", "a.gif", "--frames", "1"}, "--frames takes a whole number"},
        Refusal{{"--animation", "a.gif", "--frames", "2001"}, "--frames takes"},
        Refusal{{"--animation", "a.gif", "--frames", "2.5"}, "--frames takes"},
        Refusal{{"--frames", "10"}, "--frames applies only to --animation"},
        Refusal{{"--picture", "a.png", "--frames", "10"}, "--frames applies only"},
        Refusal{{"--animation", "a.gif", "--theta", "1"}, "--theta applies only"},
        Refusal{{"--summary", "--vector"}, "--vector applies only to --picture and --animation"},
        Refusal{{"--picture", "a.png", "--sweep", "1"}, "--sweep and --picture are separate"},
        Refusal{{"--plot", "a.svg", "--animation", "a.gif"}, "--plot and --animation"},
        Refusal{{"--picture", "a.png", "--animation", "a.gif"}, "--picture and --animation"},
        Refusal{{"--balance", "--picture", "a.svg"}, "--balance and --picture are separate"},
        Refusal{{"--animation", "a.gif", "--balance-plot", "b.svg"},
                "--balance-plot and --animation are separate"}));

// Files that cannot be written: status 2, one line, and nothing new beside them.
TEST(PictureRefusals, ForFilesThatCannotBeWritten) {
    const testing::ScratchDirectory dir;
    std::filesystem::create_directory(dir / "taken.png");
    std::filesystem::create_directory(dir / "taken.gif");
    const std::string missing = dir / "no-such-directory/a.svg";
    EXPECT_TRUE(testing::refused(testing::run({"--picture", missing}), "--picture cannot write"));
    EXPECT_TRUE(
        testing::refused(testing::run({"--picture", dir / "taken.png"}), "': Is a directory"));
    EXPECT_TRUE(testing::refused(
        testing::run({"--animation", dir / "taken.gif", "--frames", "2", "--cylinders", "3"}),
        "--animation cannot write"));
    auto entries = dir.entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"taken.gif", "taken.png"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.png"));
}

} // namespace
} // namespace radial

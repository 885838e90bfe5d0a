#include "design/design_file.h"
#include "design/toml_design.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace radial {
namespace {

using testing::run;
using testing::ScratchDirectory;

std::string written(const ScratchDirectory& dir, const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return dir / name;
}

// Each bad design refused with its one line (after the program's name, the file's path as
// given), status 2, and nothing written: the plot asked for beside it does not appear.
TEST(DesignFile, RefusalsNameTheFileTheLineAndTheKey) {
    struct Case {
        const char* file;
        std::vector<std::string> flags;
        const char* line;
    };
    const Case cases[] = {
        {"rod_lenght = 180\n",
         {},
         "d.toml:1: rod_lenght: no such key; a design file takes cylinders, crank_radius, "
         "rod_length, wrist_radius, pin_angles, link_lengths, units, bore, compression_ratio, "
         "speed_rpm, "},
        {"cylinders = \"nine\"\n",
         {},
         "d.toml:1: cylinders: takes an odd whole number from 3 to 35, not the string \"nine\""},
        {"cylinders = 9.0\n",
         {},
         "d.toml:1: cylinders: takes an odd whole number from 3 to 35, not 9"},
        {"\n\ncrank_radius = [1]\n", {}, "d.toml:3: crank_radius: takes a number, not a list"},
        {"units = \"ft\"\n",
         {},
         "d.toml:1: units: takes \"mm\", \"cm\", \"m\" or \"in\", not the string \"ft\""},
        {"pin_angles = [40, \"x\"]\n",
         {},
         "d.toml:1: pin_angles: takes a rule's name (\"animation\", \"even\" or \"level-tdc\") or "
         "a list of angles in degrees, not a list holding the string \"x\""},
        {"bore = true\n", {}, "d.toml:1: bore: takes a number, not a boolean"},
        // What a file holds is quoted on the one line, its line breaks written out.
        {"units = \"m\\nm\"\n",
         {},
         "d.toml:1: units: takes \"mm\", \"cm\", \"m\" or \"in\", not the string \"m\\nm\""},
        {"cylinders = t\n",
         {},
         "d.toml:1: this is not TOML: Error while parsing boolean: expected "
         "'true', saw 't\\n'"},
        {"[engine]\ncylinders = 9\n",
         {},
         "d.toml:1: engine: no such key; a design file takes cylinders, crank_radius, "
         "rod_length, wrist_radius, pin_angles, link_lengths, units, bore, compression_ratio, "
         "speed_rpm, reciprocating_mass, link_rod_mass, link_rod_centre, master_rod_mass, "
         "master_rod_centre, rotating_mass, intake_pressure, exhaust_pressure, "
         "crankcase_pressure, polytropic_exponent, burn_start, burn_duration and heat_release\n"},
        // Ranges, once the flags have had their say: the key's own line, or the flag's.
        {"cylinders = 5\n# the rods\nlink_lengths = [150, 150, 150]\n",
         {},
         "d.toml:3: link_lengths: takes 4 values, one for each of cylinders 2 to 5, not 3"},
        {"cylinders = 5\nlink_lengths = [150, 150, 150, 150]\n",
         {"--cylinders", "7"},
         "d.toml:2: link_lengths: takes 6 values, one for each of cylinders 2 to 7, not 4"},
        {"crank_radius = 2\nrod_length = 2\n",
         {},
         "d.toml:2: rod_length: takes a number greater than 2 and at most 400 (more than the "
         "crank radius), not 2"},
        {"crank_radius = 300\n",
         {},
         "d.toml: rod_length (not given, so the default): takes a number greater than 300 and at "
         "most 60000 (more than the crank radius), not 200"},
        {"crank_radius = 5\nrod_length = 20\n",
         {"--wrist-radius", "20"},
         "--wrist-radius takes a finite number at least 0 and less than the rod length (20), not "
         "'20'"},
        {"compression_ratio = 1\n",
         {},
         "d.toml:1: compression_ratio: takes a number greater than 1 and at most 100, not 1"},
        {"pin_angles = [0, 0, 0, 0, 0, 0, 0, 0, 0, 0]\ncylinders = 11\nwrist_radius = 1e400\n",
         {},
         "d.toml:3: this is not TOML"},
    };
    for (const Case& c : cases) {
        const ScratchDirectory dir;
        const std::string path = written(dir, "d.toml", c.file);
        std::vector<std::string> args = {"--design", path, "--plot", dir / "chart.svg"};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const testing::ToolRun r = run(std::vector<std::string_view>(args.begin(), args.end()));
        std::string err = r.err;
        if (const auto at = err.find(path); at != std::string::npos) {
            err.replace(at, path.size(), "d.toml");
        }
        EXPECT_EQ(r.status, 2) << c.file;
        EXPECT_TRUE(err.starts_with("radial-kinematics: " + std::string(c.line))) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_EQ(dir.entries().size(), 1U) << c.file << " left a file behind";
    }
}

// The flags set their values over the file's; a ratio takes the file's crank radius.
TEST(DesignFile, FlagsOverrideTheFileAndRatiosTakeItsCrankRadius) {
    const ScratchDirectory dir;
    const std::string path = written(dir, "d.toml",
                                     "cylinders = 9\ncrank_radius = 2.75\nrod_length = 10.25\n"
                                     "wrist_radius = 2.3\nunits = \"in\"\npin_angles = \"even\"\n");
    const auto r = run({"--design", path, "--cylinders", "7", "--ls", "2", "--eccentricity", "1",
                        "--pin-angles", "level-tdc", "--summary"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("7 cylinders, rod length 11 in (l/s 2.00), wrist radius 2.75 in "
                                  "(eccentricity 1.00), crank radius 2.75 in, wrist pins for "
                                  "level TDC.\n"))
        << r.out;
}

// What design_file_text writes reads back as the same design: rule or listed angles, listed
// lengths, unit, bore and compression ratio, every number to its last bit.
TEST(DesignFile, WrittenReadsBackAsTheSameDesign) {
    EngineDesign listed{5, 42.000000000000007, 11, 10};
    listed.pin_angles_deg = {85.08830706491396, 152.0449, 207.9551, 274.9117};
    listed.link_lengths = {31.1, 1e-5, 31, 31.000000000000004};
    listed.unit = LengthUnit::mm;
    listed.bore = 24;
    listed.compression_ratio = 6.5;
    EngineDesign ruled{9, 10.25, 2.3, 2.75};
    ruled.pin_rule = PinRule::level_tdc;
    ruled.unit = LengthUnit::in;
    for (const EngineDesign& design : {listed, ruled, EngineDesign{}}) {
        const std::string text = design_file_text(design, "A comment\nof two lines");
        const auto read = read_design_text("written.toml", text);
        ASSERT_TRUE(std::holds_alternative<ReadDesign>(read)) << std::get<std::string>(read);
        EXPECT_EQ(std::get<ReadDesign>(read).design, design) << text;
    }
}

} // namespace
} // namespace radial

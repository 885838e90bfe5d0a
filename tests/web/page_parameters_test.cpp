#include "page_parameters.h"

#include <gtest/gtest.h>

#include <optional>

namespace radial {
namespace {

struct Case {
    const char* name;
    const char* value;
    int bar;                     // 0..2 for a bar parameter, -1 otherwise
    std::optional<int> position; // where that bar goes; nothing when refused
};

// Each bar parameter at both ends of its range, one step inside and one step beyond.
TEST(PageParameters, BarsTakeExactlyTheirValues) {
    const Case cases[] = {
        {"cylinders", "3", 0, 35},       {"cylinders", "35", 0, 3},
        {"cylinders", "11", 0, 27},      {"cylinders", "1", 0, {}},
        {"cylinders", "37", 0, {}},      {"cylinders", "12", 0, {}},
        {"cylinders", "11.5", 0, {}},    {"ls", "1.25", 1, 650},
        {"ls", "2.85", 1, 330},          {"ls", "2.005", 1, 499},
        {"ls", "1.245", 1, {}},          {"ls", "2.855", 1, {}},
        {"ls", "2.003", 1, {}},          {"eccentricity", "0.7", 2, 130},
        {"eccentricity", "1.5", 2, 50},  {"eccentricity", "1.05", 2, 95},
        {"eccentricity", "0.69", 2, {}}, {"eccentricity", "1.51", 2, {}},
        {"eccentricity", "1e0", 2, {}},  {"ls", " 2", 1, {}},
    };
    for (const Case& c : cases) {
        PageStart start;
        const std::string line = take_parameter(start, c.name, c.value);
        EXPECT_EQ(start.bars[c.bar], c.position) << c.name << "=" << c.value;
        EXPECT_EQ(line.empty(), c.position.has_value()) << c.name << "=" << c.value;
    }
}

TEST(PageParameters, SpeedStaysWithinOneCycleAFrameEitherWay) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"0.37", 0.37}, {"-0.2", -0.2},  {"12.566", 12.566}, {"-12.566", -12.566},
        {"12.567", {}}, {"-12.567", {}}, {"inf", {}},        {"", {}},
        {".", {}},      {"0x1p1", {}},
    };
    for (const auto& [text, speed] : cases) {
        PageStart start;
        take_parameter(start, "speed", text);
        EXPECT_EQ(start.speed, speed) << text;
    }
}

TEST(PageParameters, SwitchesTakeOneOrZero) {
    PageStart start;
    EXPECT_EQ(take_parameter(start, "vector", "1"), "");
    EXPECT_EQ(take_parameter(start, "paused", "1"), "");
    EXPECT_TRUE(start.vector && start.paused);
    EXPECT_NE(take_parameter(start, "vector", "yes"), "");
    EXPECT_EQ(take_parameter(start, "paused", "0"), "");
    EXPECT_TRUE(start.vector);
    EXPECT_FALSE(start.paused);
}

TEST(PageParameters, RefusalNamesTheParameterWhatItTakesAndTheValue) {
    PageStart start;
    EXPECT_EQ(take_parameter(start, "ls", "3"),
              "ls takes 1.25 to 2.85 in steps of 0.005, not \"3\": the page starts with 2.");
    EXPECT_EQ(take_parameter(start, "embedder", "3"), "");
    EXPECT_FALSE(start.bars[1] || start.speed);
}

} // namespace
} // namespace radial

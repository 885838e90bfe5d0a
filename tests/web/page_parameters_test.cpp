#include "page_parameters.h"

#include "controls/commands.h"
#include "controls/parameter_bars.h"
#include "core/engine_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace radial {
namespace {

struct Case {
    const char* name;
    const char* value;
    int bar;                     // 0..2 for a bar parameter, -1 otherwise
    std::optional<int> position; // where that bar goes; nothing when refused
};

// Each bar parameter at both ends of its range, one step inside and one step beyond; at most 15
// digits, one decimal point, and the sign kept.
TEST(PageParameters, BarsTakeExactlyTheirValues) {
    const Case cases[] = {
        {"cylinders", "3", 0, 35},
        {"cylinders", "35", 0, 3},
        {"cylinders", "11", 0, 27},
        {"cylinders", "1", 0, {}},
        {"cylinders", "37", 0, {}},
        {"cylinders", "12", 0, {}},
        {"cylinders", "11.5", 0, {}},
        {"ls", "1.25", 1, 650},
        {"ls", "2.85", 1, 330},
        {"ls", "2.005", 1, 499},
        {"ls", "1.245", 1, {}},
        {"ls", "2.855", 1, {}},
        {"ls", "2.003", 1, {}},
        {"eccentricity", "0.7", 2, 130},
        {"eccentricity", "1.5", 2, 50},
        {"eccentricity", "1.05", 2, 95},
        {"eccentricity", "0.69", 2, {}},
        {"eccentricity", "1.51", 2, {}},
        {"eccentricity", "1e0", 2, {}},
        {"ls", " 2", 1, {}},
        {"ls", "2.00000000000000", 1, 500},
        {"ls", "2.000000000000000", 1, {}},
        {"eccentricity", "1.0.5", 2, {}},
        {"cylinders", "-3", 0, {}},
    };
    for (const Case& c : cases) {
        PageStart start;
        const std::string line = take_parameter(start, c.name, c.value);
        EXPECT_EQ(bar_position_of(start, static_cast<std::size_t>(c.bar)), c.position)
            << c.name << "=" << c.value;
        EXPECT_EQ(line.empty(), c.position.has_value()) << c.name << "=" << c.value;
    }
}

TEST(PageParameters, SpeedStaysWithinOneCycleAFrameEitherWay) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"0.37", 0.37}, {"-0.2", -0.2},  {"12.566", 12.566}, {"-12.566", -12.566},
        {"12.567", {}}, {"-12.567", {}}, {"inf", {}},        {"", {}},
        {".", {}},      {"0x1p1", {}},   {"5e-3", 0.005},    {"2e1", {}},
    };
    for (const auto& [text, speed] : cases) {
        PageStart start;
        take_parameter(start, "speed", text);
        EXPECT_EQ(start.speed, speed) << text;
    }
}

// The link's query gives back the settings it was written from: the bars' positions, a speed that
// is no short decimal (0.05 * 1.05 is 0.052500000000000005, not 0.0525), a tiny one, and the
// vector.
TEST(PageParameters, AddressQueryReadsBackAsItsSettings) {
    for (const double speed : {0.05 * 1.05, -1e-300, -12.566, 5e-324}) {
        PageStart settings;
        set_bar_position(settings, cylinders_bar, 29);
        set_bar_position(settings, rod_length_bar, 499);
        set_bar_position(settings, wrist_radius_bar, 130);
        settings.speed = speed;
        settings.vector = true;
        const std::string query = address_query(settings);
        PageStart back;
        for (std::size_t from = 0; from < query.size();) {
            const std::size_t end = std::min(query.find('&', from), query.size());
            const std::string pair = query.substr(from, end - from);
            const std::size_t equals = pair.find('=');
            EXPECT_EQ(take_parameter(back, pair.substr(0, equals), pair.substr(equals + 1)), "")
                << pair;
            from = end + 1;
        }
        for (std::size_t bar = 0; bar < parameter_bars.size(); ++bar) {
            EXPECT_EQ(bar_position_of(back, bar), bar_position_of(settings, bar)) << query;
        }
        EXPECT_EQ(back.speed, speed) << query;
        EXPECT_TRUE(back.vector) << query;
        if (speed == 0.05 * 1.05) {
            EXPECT_EQ(query,
                      "cylinders=9&ls=2.005&eccentricity=0.7&speed=0.052500000000000005&vector=1");
        }
    }
}

TEST(PageParameters, SwitchesTakeOneOrZero) {
    const std::tuple<const char*, const char*, bool, bool> cases[] = {
        {"vector", "1", true, false},  {"paused", "1", false, true},
        {"vector", "0", false, false}, {"vector", "yes", false, false},
        {"paused", "", false, false},
    };
    for (const auto& [name, value, vector, paused] : cases) {
        PageStart start;
        take_parameter(start, name, value);
        EXPECT_EQ(std::pair(start.vector, start.paused), std::pair(vector, paused))
            << name << "=" << value;
    }
}

// The first value of a parameter counts, taken or refused; a second one, and a name the page does
// not know, each get a line and change nothing.
TEST(PageParameters, RepeatedAndUnknownNamesGetTheirLine) {
    PageStart start;
    EXPECT_EQ(take_parameter(start, "cylinders", "9"), "");
    EXPECT_EQ(take_parameter(start, "cylinders", "13"),
              "cylinders takes one value, not a second \"13\": the page starts with the first.");
    EXPECT_EQ(start.cylinders, 9);
    EXPECT_NE(take_parameter(start, "speed", "99"), "");
    EXPECT_NE(take_parameter(start, "speed", "0.1"), "");
    EXPECT_FALSE(start.speed);
    EXPECT_EQ(
        take_parameter(start, "cyl", "9"),
        "cyl is no setting of the page, which takes cylinders, ls, eccentricity, pins, speed, "
        "vector and paused: \"9\" is left alone.");
    EXPECT_EQ(take_parameter(start, "vector", "1"), "");
    EXPECT_EQ(take_parameter(start, "paused", "1"), "");
    EXPECT_EQ(take_parameter(start, "ls", "2"), "");
    EXPECT_EQ(take_parameter(start, "eccentricity", "1"), "");
}

// What the link writes for every position each bar can take comes back as that position; the
// words say the same setting with two decimals at least.
TEST(PageParameters, SettingTextTakesEveryBarPositionBack) {
    for (std::size_t bar = 0; bar < parameter_bars.size(); ++bar) {
        const BarRange& b = parameter_bars[bar];
        for (int v = b.minimum; v <= b.maximum; ++v) {
            if (bar == cylinders_bar && v % 2 == 0) {
                continue; // an even position stands for the odd count of the next one
            }
            PageStart start;
            const std::string text = setting_text(bar, v);
            EXPECT_EQ(take_parameter(start, b.name, text), "") << b.name << "=" << text;
            EXPECT_EQ(bar_position_of(start, bar), v) << b.name << "=" << text;
        }
    }
    const std::tuple<std::size_t, int, const char*, const char*> cases[] = {
        {cylinders_bar, 25, "13", "13 cylinders"},
        {cylinders_bar, 4, "35", "35 cylinders"},
        {rod_length_bar, 500, "2", "l/s 2.00"},
        {rod_length_bar, 499, "2.005", "l/s 2.005"},
        {rod_length_bar, 650, "1.25", "l/s 1.25"},
        {wrist_radius_bar, 130, "0.7", "eccentricity 0.70"},
        {wrist_radius_bar, 95, "1.05", "eccentricity 1.05"},
    };
    for (const auto& [bar, v, text, words] : cases) {
        EXPECT_EQ(setting_text(bar, v), text);
        EXPECT_EQ(setting_words(bar, v), words);
    }
}

// The refusal lines write out the bars' ranges and steps, the speed's bound and the start values,
// which the page would pay for in size to work out: every line, and each number it names against
// the value the program has, so that a bar or start value changed without its line shows here.
TEST(PageParameters, RefusalNamesTheParameterWhatItTakesAndTheValue) {
    const char* const lines[][3] = {
        {"cylinders", "2",
         "cylinders takes an odd number from 3 to 35, not \"2\": the page starts with 11."},
        {"ls", "3", "ls takes 1.25 to 2.85 in steps of 0.005, not \"3\": the page starts with 2."},
        {"eccentricity", "3",
         "eccentricity takes 0.7 to 1.5 in steps of 0.01, not \"3\": the page starts with 1.05."},
        {"speed", "13",
         "speed takes radians per frame from -12.566 to 12.566 (4 pi), not \"13\": the page "
         "starts with 0.05."},
        {"paused", "3", "paused takes 1 or 0, not \"3\": the page starts with 0."},
    };
    for (const auto& [name, value, line] : lines) {
        PageStart start;
        EXPECT_EQ(take_parameter(start, name, value), line);
    }
    EngineState s;
    start_values(s);
    const auto& bars = parameter_bars;
    const auto ls = [](int v) { return (parameter_bars[rod_length_bar].base - v) / 200.0; };
    const auto eccentricity = [](int v) {
        return (parameter_bars[wrist_radius_bar].base - v) / 100.0;
    };
    const std::pair<double, double> named[] = {
        {3, cylinders_from_bar(bars[0].maximum)},
        {35, cylinders_from_bar(bars[0].minimum)},
        {11, s.n},
        {1.25, ls(bars[1].maximum)},
        {2.85, ls(bars[1].minimum)},
        {0.005, bars[1].single_step / 200.0},
        {2, ls_readout(s)},
        {0.7, eccentricity(bars[2].maximum)},
        {1.5, eccentricity(bars[2].minimum)},
        {0.01, bars[2].single_step / 100.0},
        {1.05, eccentricity_readout(s)},
        {12.566, std::floor(max_step * 1000) / 1000},
        {0.05, s.crank_step},
    };
    for (const auto& [said, is] : named) {
        EXPECT_EQ(said, is);
    }
}

} // namespace
} // namespace radial

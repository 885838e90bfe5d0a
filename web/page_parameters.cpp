#include "page_parameters.h"

#include "controls/commands.h"
#include "controls/parameter_bars.h"
#include "svg/number_text.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <utility>

namespace radial {

namespace {

// A bar's setting as written: an optional sign, at most 15 digits with an optional point among
// them; no exponent, no spaces. Held exactly as digits / 10^places.
struct Decimal {
    bool negative = false;
    std::int64_t digits = 0;
    int places = 0;
};

std::optional<Decimal> read_decimal(std::string_view text) {
    Decimal d;
    std::size_t k = 0;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) {
        d.negative = text[k] == '-';
        ++k;
    }
    int count = 0;
    bool point = false;
    for (; k < text.size(); ++k) {
        if (text[k] >= '0' && text[k] <= '9') {
            d.digits = 10 * d.digits + (text[k] - '0');
            d.places += point ? 1 : 0;
            ++count;
        } else if (text[k] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || count > 15) {
        return std::nullopt;
    }
    return d;
}

// The whole number of steps with value = steps / per_unit, when the decimal is exactly that.
std::optional<int> steps_of(std::string_view text, int per_unit, int lowest, int highest) {
    const std::optional<Decimal> d = read_decimal(text);
    if (!d) {
        return std::nullopt;
    }
    std::int64_t scale = 1;
    for (int i = 0; i < d->places; ++i) {
        scale *= 10;
    }
    const std::int64_t scaled = d->digits * per_unit;
    if (scaled % scale != 0) {
        return std::nullopt;
    }
    const std::int64_t steps = (d->negative ? -1 : 1) * (scaled / scale);
    if (steps < lowest || steps > highest) {
        return std::nullopt;
    }
    return static_cast<int>(steps);
}

// The position a bar takes for a setting of steps / per_unit, where the bar counts the steps down
// from its base: one of the bar's values, or nothing.
std::optional<int> bar_position(std::string_view text, const BarRange& bar) {
    const std::optional<int> steps =
        steps_of(text, bar.per_unit, bar.base - bar.maximum, bar.base - bar.minimum);
    if (!steps) {
        return std::nullopt;
    }
    return bar.base - *steps;
}

std::optional<bool> read_switch(std::string_view text) {
    if (text == "1") {
        return true;
    }
    if (text == "0") {
        return false;
    }
    return std::nullopt;
}

// The lines write out the bars' ranges and steps, the speed's bound and the start values: working
// them out would cost the page some kilobytes of string code. The tests hold each number to
// parameter_bars, max_step and start_values().
std::string refusal(std::string_view name, std::string_view takes, std::string_view value,
                    std::string_view start) {
    return std::string(name) + " takes " + std::string(takes) + ", not \"" + std::string(value) +
           "\": the page starts with " + std::string(start) + ".";
}

// What each bar's setting takes, and where the page starts it; in the order of parameter_bars.
struct BarWords {
    std::string_view takes, start;
};
constexpr BarWords bar_words[] = {
    {"an odd number from 3 to 35", "11"},
    {"1.25 to 2.85 in steps of 0.005", "2"},
    {"0.7 to 1.5 in steps of 0.01", "1.05"},
};

// The parameters the page takes, in the order of PageStart::given's bits.
constexpr std::string_view parameter_names[] = {"cylinders", "ls",     "eccentricity", "pins",
                                                "speed",     "vector", "paused"};

constexpr std::pair<PinPlacement, std::string_view> placement_names[] = {
    {PinPlacement::animation, "animation"},
    {PinPlacement::even, "even"},
    {PinPlacement::level_tdc, "level-tdc"},
    {PinPlacement::matched, "matched"}};

// steps / per_unit written out with places decimals at least, and exactly.
std::string decimal_text(int steps, int per_unit, int places) {
    int digits = 0;
    int scale = 1;
    while (scale % per_unit != 0) {
        scale *= 10;
        ++digits;
    }
    const int scaled = steps * (scale / per_unit);
    std::string fraction = std::to_string(scaled % scale);
    fraction.insert(0, static_cast<std::size_t>(digits) - fraction.size(), '0');
    while (static_cast<int>(fraction.size()) > places && fraction.back() == '0') {
        fraction.pop_back();
    }
    while (static_cast<int>(fraction.size()) < places) {
        fraction.push_back('0');
    }
    const std::string whole = std::to_string(scaled / scale);
    return fraction.empty() ? whole : whole + "." + fraction;
}

} // namespace

std::string_view placement_name(PinPlacement placement) {
    if (placement == PinPlacement::listed) {
        return "listed";
    }
    for (const auto& [p, name] : placement_names) {
        if (p == placement) {
            return name;
        }
    }
    return "";
}

std::optional<PinPlacement> placement_named(std::string_view name) {
    for (const auto& [p, n] : placement_names) {
        if (n == name) {
            return p;
        }
    }
    return std::nullopt;
}

std::optional<int> bar_position_of(const PageStart& start, std::size_t bar) {
    const BarRange& b = parameter_bars[bar];
    if (bar == cylinders_bar) {
        return start.cylinders ? std::optional(b.base - *start.cylinders) : std::nullopt;
    }
    const std::optional<double>& value = bar == rod_length_bar ? start.ls : start.eccentricity;
    if (!value) {
        return std::nullopt;
    }
    return b.base - static_cast<int>(std::lround(*value * b.per_unit));
}

void set_bar_position(PageStart& start, std::size_t bar, int position) {
    const BarRange& b = parameter_bars[bar];
    if (bar == cylinders_bar) {
        start.cylinders = cylinders_from_bar(position);
        return;
    }
    (bar == rod_length_bar ? start.ls : start.eccentricity) =
        static_cast<double>(b.base - position) / b.per_unit;
}

std::string setting_text(std::size_t bar, int position) {
    if (bar == cylinders_bar) {
        return std::to_string(cylinders_from_bar(position));
    }
    const BarRange& b = parameter_bars[bar];
    return decimal_text(b.base - position, b.per_unit, 0);
}

std::string setting_words(std::size_t bar, int position) {
    if (bar == cylinders_bar) {
        return setting_text(bar, position) + " cylinders";
    }
    const BarRange& b = parameter_bars[bar];
    return (bar == rod_length_bar ? "l/s " : "eccentricity ") +
           decimal_text(b.base - position, b.per_unit, 2);
}

std::string address_query(const PageStart& settings) {
    std::string query;
    const auto add = [&query](std::string_view name, const std::string& text) {
        query += (query.empty() ? "" : "&") + std::string(name) + "=" + text;
    };
    for (std::size_t bar = 0; bar < parameter_bars.size(); ++bar) {
        if (const auto position = bar_position_of(settings, bar)) {
            add(parameter_bars[bar].name, setting_text(bar, *position));
        }
    }
    if (settings.pins && *settings.pins != PinPlacement::animation &&
        *settings.pins != PinPlacement::listed) {
        add("pins", std::string(placement_name(*settings.pins)));
    }
    if (settings.speed) {
        add("speed", shortest_text(*settings.speed));
    }
    add("vector", settings.vector ? "1" : "0");
    return query;
}

std::string take_parameter(PageStart& start, std::string_view name, std::string_view value) {
    std::size_t known = 0;
    while (known < std::size(parameter_names) && parameter_names[known] != name) {
        ++known;
    }
    if (known == std::size(parameter_names)) {
        return std::string(name) +
               " is no setting of the page, which takes cylinders, ls, eccentricity, pins, speed, "
               "vector and paused: \"" +
               std::string(value) + "\" is left alone.";
    }
    if ((start.given >> known & 1u) != 0) {
        return std::string(name) + " takes one value, not a second \"" + std::string(value) +
               "\": the page starts with the first.";
    }
    start.given |= 1u << known;
    for (std::size_t bar = 0; bar < parameter_bars.size(); ++bar) {
        if (name != parameter_bars[bar].name) {
            continue;
        }
        const auto v = bar_position(value, parameter_bars[bar]);
        if (!v || (bar == cylinders_bar && (parameter_bars[bar].base - *v) % 2 == 0)) {
            return refusal(name, bar_words[bar].takes, value, bar_words[bar].start);
        }
        set_bar_position(start, bar, *v);
        return {};
    }
    if (name == "pins") {
        start.pins = placement_named(value);
        return start.pins
                   ? std::string()
                   : refusal(name, "animation, even, level-tdc or matched", value, "animation");
    }
    if (name == "speed") {
        const std::optional<double> speed = number_from_text(value);
        if (!speed || std::fabs(*speed) > max_step) {
            return refusal(name, "radians per frame from -12.566 to 12.566 (4 pi)", value, "0.05");
        }
        start.speed = *speed;
    } else if (name == "vector" || name == "paused") {
        const auto on = read_switch(value);
        if (!on) {
            return refusal(name, "1 or 0", value, "0");
        }
        (name == "vector" ? start.vector : start.paused) = *on;
    }
    return {};
}

} // namespace radial

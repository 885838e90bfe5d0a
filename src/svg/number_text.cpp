#include "svg/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#ifndef __EMSCRIPTEN__
#include <charconv>
#endif

namespace radial {

namespace {

// A number >= 0 held exactly: its decimal digits, and how many of them follow the point.
struct Decimal {
    std::string digits;
    int point = 0;
};

void multiply(std::string& digits, unsigned long long factor) {
    unsigned long long carry = 0;
    for (std::size_t k = digits.size(); k-- > 0;) {
        const unsigned long long d =
            static_cast<unsigned long long>(digits[k] - '0') * factor + carry;
        digits[k] = static_cast<char>('0' + d % 10);
        carry = d / 10;
    }
    for (; carry > 0; carry /= 10) {
        digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
    }
}

// significand * 2^exponent, exactly: times 2^exponent, or times 5^-exponent over 10^-exponent.
Decimal exact(unsigned long long significand, int exponent) {
    Decimal d{std::to_string(significand), exponent < 0 ? -exponent : 0};
    for (int left = std::abs(exponent); left > 0; left -= std::min(left, 20)) {
        const int now = std::min(left, 20);
        unsigned long long factor = 1;
        for (int k = 0; k < now; ++k) {
            factor *= exponent > 0 ? 2 : 5;
        }
        multiply(d.digits, factor);
    }
    return d;
}

// The magnitude of a finite value as significand * 2^exponent, the significand an integer below
// 2^53 in units of the value's own last place (2^-1074 for the smallest).
void split(double value, unsigned long long& significand, int& exponent) {
    int e = 0;
    const double f = std::frexp(std::fabs(value), &e);
    significand = static_cast<unsigned long long>(std::ldexp(f, 53));
    exponent = e - 53;
    if (significand != 0 && exponent < -1074) {
        significand >>= -1074 - exponent;
        exponent = -1074;
    }
}

// -1, 0 or 1 as a is below, at or above b.
int compare(Decimal a, Decimal b) {
    const int point = std::max(a.point, b.point);
    a.digits.append(static_cast<std::size_t>(point - a.point), '0');
    b.digits.append(static_cast<std::size_t>(point - b.point), '0');
    for (std::string* s : {&a.digits, &b.digits}) {
        s->erase(0, std::min(s->find_first_not_of('0'), s->size()));
    }
    if (a.digits.size() != b.digits.size()) {
        return a.digits.size() < b.digits.size() ? -1 : 1;
    }
    return a.digits < b.digits ? -1 : a.digits > b.digits ? 1 : 0;
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
    std::size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') {
        digits[--k] = '0';
    }
    if (k == 0) {
        digits.insert(digits.begin(), '1');
    } else {
        ++digits[k - 1];
    }
}

// d rounded to decimals places after the point (before it, where negative), half to even: the
// digits of d * 10^decimals as a whole number, without leading zeros.
std::string rounded(const Decimal& d, int decimals) {
    std::string digits = d.digits;
    if (d.point <= decimals) {
        digits.append(static_cast<std::size_t>(decimals - d.point), '0');
    } else {
        const auto cut = static_cast<std::size_t>(d.point - decimals);
        if (digits.size() <= cut) {
            digits.insert(0, cut + 1 - digits.size(), '0');
        }
        const std::string rest = digits.substr(digits.size() - cut);
        digits.resize(digits.size() - cut);
        const bool odd = (digits.back() - '0') % 2 == 1;
        if (rest[0] > '5' ||
            (rest[0] == '5' && (rest.find_first_not_of('0', 1) != std::string::npos || odd))) {
            increment(digits);
        }
    }
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// Where an exact decimal lies against the values that read as the finite, positive double c
// (all between the midpoints to its neighbours, the midpoints too when its significand is even;
// below a power of two the gap is half the gap above): -1 below them, 0 among them, 1 above.
int side_of(const Decimal& v, double c) {
    unsigned long long m = 0;
    int e = 0;
    split(c, m, e);
    const bool narrow_below = m == 1ULL << 52 && e > -1074;
    const Decimal below = narrow_below ? exact(4 * m - 1, e - 2) : exact(2 * m - 1, e - 1);
    const Decimal above = exact(2 * m + 1, e - 1);
    const bool ends_read_back = m % 2 == 0;
    const int low = compare(v, below), high = compare(v, above);
    if (low < 0 || (low == 0 && !ends_read_back)) {
        return -1;
    }
    if (high > 0 || (high == 0 && !ends_read_back)) {
        return 1;
    }
    return 0;
}

// A number's text as its sign and exact magnitude, when it has the form number_from_text reads.
struct WrittenNumber {
    bool negative = false;
    Decimal magnitude;
    int first_power = 0; // the power of ten of its first significant digit, if it has one
};

std::optional<WrittenNumber> written_number(std::string_view text) {
    WrittenNumber w;
    std::size_t k = 0;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) {
        w.negative = text[k++] == '-';
    }
    bool point = false;
    int digits = 0;
    for (; k < text.size() && text[k] != 'e' && text[k] != 'E'; ++k) {
        if (text[k] == '.' && !point) {
            point = true;
        } else if (text[k] >= '0' && text[k] <= '9') {
            w.magnitude.digits += text[k];
            w.magnitude.point += point ? 1 : 0;
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (k < text.size()) {
        ++k;
        const bool down = k < text.size() && text[k] == '-';
        k += k < text.size() && (text[k] == '-' || text[k] == '+') ? 1 : 0;
        if (k == text.size()) {
            return std::nullopt;
        }
        int exponent = 0;
        for (; k < text.size(); ++k) {
            if (text[k] < '0' || text[k] > '9') {
                return std::nullopt;
            }
            exponent = std::min(10 * exponent + (text[k] - '0'), 100000);
        }
        w.magnitude.point += down ? exponent : -exponent;
    }
    const std::size_t first = w.magnitude.digits.find_first_not_of('0');
    w.magnitude.digits.erase(0, std::min(first, w.magnitude.digits.size()));
    if (w.magnitude.point < 0) {
        w.magnitude.digits.append(static_cast<std::size_t>(-w.magnitude.point), '0');
        w.magnitude.point = 0;
    }
    w.first_power = static_cast<int>(w.magnitude.digits.size()) - 1 - w.magnitude.point;
    return w;
}

} // namespace

std::string shortest_text_by_search(double value) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan")
               : value < 0       ? "-inf"
                                 : "inf";
    }
    if (value == 0) {
        return std::signbit(value) ? "-0" : "0";
    }
    unsigned long long m = 0;
    int e = 0;
    split(value, m, e);
    const Decimal v = exact(m, e);
    const double magnitude = std::fabs(value);
    const auto reads_back = [&](const Decimal& candidate) {
        return side_of(candidate, magnitude) == 0;
    };
    // The fewest significant digits that read back: correctly rounded, or where the gap below is
    // the narrower, the neighbour above.
    const int first = static_cast<int>(v.digits.size()) - 1 - v.point; // the power of ten
    std::string significand;
    int scale = 0; // |value| reads as significand * 10^scale
    for (int digits = 1; digits <= 17 && significand.empty(); ++digits) {
        const int decimals = digits - 1 - first;
        std::string candidate = rounded(v, decimals);
        for (int k = 0; k < 2 && significand.empty(); ++k, increment(candidate)) {
            if (reads_back(
                    decimals >= 0
                        ? Decimal{candidate, decimals}
                        : Decimal{candidate + std::string(static_cast<std::size_t>(-decimals), '0'),
                                  0})) {
                significand = candidate;
                scale = -decimals;
            }
        }
    }
    while (significand.size() > 1 && significand.back() == '0') {
        significand.pop_back();
        ++scale;
    }
    const auto count = static_cast<int>(significand.size());
    const int exponent = scale + count - 1; // of the first digit
    const std::string sign = value < 0 ? "-" : "";
    std::string scientific = sign + significand.substr(0, 1);
    if (count > 1) {
        scientific += '.' + significand.substr(1);
    }
    const std::string power = std::to_string(std::abs(exponent));
    scientific += (exponent < 0 ? "e-" : "e+") + (power.size() < 2 ? "0" + power : power);
    std::string fixed;
    if (exponent < 0) {
        fixed =
            sign + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + significand;
    } else if (scale >= 0) {
        // A whole number: its exact digits, as to_chars writes them, not the significand's padded
        // with zeros.
        fixed = sign + rounded(v, 0);
    } else {
        const auto point = static_cast<std::size_t>(exponent + 1);
        fixed = sign + significand.substr(0, point) + '.' + significand.substr(point);
    }
    return fixed.size() <= scientific.size() ? fixed : scientific;
}

std::optional<double> number_from_text_by_search(std::string_view text) {
    const std::optional<WrittenNumber> w = written_number(text);
    if (!w) {
        return std::nullopt;
    }
    const double sign = w->negative ? -1 : 1;
    // Far below the smallest double (half of it, 2^-1075, is about 2.5e-324) or above the
    // largest (about 1.8e308); zero has no digits left.
    if (w->magnitude.digits.empty() || w->first_power < -325) {
        return sign * 0.0;
    }
    if (w->first_power > 308) {
        return std::nullopt;
    }
    // A first guess from the leading 17 digits, a few units in the last place off at most, then
    // the neighbour that the exact value reads as.
    const std::string& digits = w->magnitude.digits;
    const std::size_t lead = std::min<std::size_t>(digits.size(), 17);
    double guess = 0;
    for (std::size_t k = 0; k < lead; ++k) {
        guess = 10 * guess + (digits[k] - '0');
    }
    const int scale = w->first_power - static_cast<int>(lead) + 1;
    guess *= std::pow(10.0, scale / 2);
    guess *= std::pow(10.0, scale - scale / 2);
    constexpr double largest = std::numeric_limits<double>::max();
    constexpr double smallest = std::numeric_limits<double>::denorm_min();
    guess = std::clamp(guess, smallest, largest);
    for (int step = 0; step < 1000; ++step) {
        const int side = side_of(w->magnitude, guess);
        if (side == 0) {
            return sign * guess;
        }
        if (side > 0 && guess == largest) {
            return std::nullopt;
        }
        if (side < 0 && guess == smallest) {
            return sign * 0.0; // at or below the midpoint to zero, whose significand is even
        }
        guess = std::nextafter(guess, side > 0 ? largest : 0.0);
    }
    return std::nullopt;
}

std::optional<double> number_from_text(std::string_view text) {
#ifdef __EMSCRIPTEN__
    return number_from_text_by_search(text);
#else
    const std::optional<WrittenNumber> w = written_number(text);
    if (!w) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(text[0] == '-' || text[0] == '+' ? 1 : 0);
    double magnitude = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (ec == std::errc::result_out_of_range && w->first_power < 0) {
        magnitude = 0; // below half the smallest double
    } else if (ec != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return w->negative ? -magnitude : magnitude;
#endif
}

std::string fixed_text_by_digits(double value, int decimals) {
    if (!std::isfinite(value)) {
        return shortest_text_by_search(value);
    }
    unsigned long long m = 0;
    int e = 0;
    split(value, m, e);
    std::string digits = rounded(exact(m, e), decimals);
    const auto places = static_cast<std::size_t>(std::max(decimals, 0));
    if (digits.size() <= places) {
        digits.insert(0, places + 1 - digits.size(), '0');
    }
    const std::string sign = std::signbit(value) ? "-" : "";
    if (places == 0) {
        return sign + digits;
    }
    return sign + digits.substr(0, digits.size() - places) + '.' +
           digits.substr(digits.size() - places);
}

std::string shortest_text(double value) {
#ifdef __EMSCRIPTEN__
    return shortest_text_by_search(value);
#else
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
#endif
}

std::string fixed_text(double value, int decimals) {
#ifdef __EMSCRIPTEN__
    std::string text = fixed_text_by_digits(value, decimals);
#else
    std::array<char, 400> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    std::string text(buffer.data());
#endif
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

} // namespace radial

// The tool's outputs against the golden ones in tests/golden/: text exactly, numbers to 1e-12 of
// their size (their last digits follow each processor's libm). They hold every output to what it
// was while the code beneath moves, and catch what tests of single values miss: a scale's step, a
// column's padding, a label's decimals. With RADIAL_WRITE_GOLDEN=1 (make golden) the test writes
// them anew instead; a change to them stands in a commit of its own that says why.

#include "tool_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace radial {
namespace {

using testing::run;
using testing::ScratchDirectory;
using testing::split;

const std::string golden_dir = RADIAL_GOLDEN_DIR;
// Where the arguments' EXAMPLES/ and GOLDEN/ stand for: the example designs and the design files
// beside the golden outputs.
const std::pair<std::string, std::string> places[] = {
    {"EXAMPLES/", std::string(RADIAL_GOLDEN_DIR) + "/../../examples/"},
    {"GOLDEN/", std::string(RADIAL_GOLDEN_DIR) + "/"}};

struct GoldenCase {
    std::string name;
    std::vector<std::string> args;
};

std::vector<GoldenCase> golden_cases() {
    std::ifstream list(golden_dir + "/cases.txt");
    std::vector<GoldenCase> cases;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t colon = line.find(':');
        GoldenCase c{line.substr(0, colon), {}};
        for (const std::string& arg : split(line.substr(colon + 1), ' ')) {
            if (!arg.empty()) {
                c.args.push_back(arg);
            }
        }
        cases.push_back(c);
    }
    return cases;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The case run, its status, streams and the file it wrote as one text.
std::string golden_text(const GoldenCase& c) {
    const ScratchDirectory dir;
    std::vector<std::string> args;
    std::string file;
    std::vector<std::pair<std::string, std::string>> written; // what a path is written back as
    for (const std::string& arg : c.args) {
        const bool is_file = arg.starts_with("FILE.");
        args.push_back(is_file ? dir / arg : arg);
        file = is_file ? args.back() : file;
        for (const auto& [name, place] : places) {
            if (arg.find(name) != std::string::npos) {
                args.back().replace(arg.find(name), name.size(), place);
                written.emplace_back(place, name);
            }
        }
    }
    if (!file.empty()) {
        written.emplace_back(file, "FILE" + file.substr(file.rfind('.')));
    }
    const testing::ToolRun r = run(std::vector<std::string_view>(args.begin(), args.end()));
    std::string err = r.err;
    for (const auto& [path, name] : written) {
        for (std::size_t at = err.find(path); at != std::string::npos; at = err.find(path)) {
            err.replace(at, path.size(), name);
        }
    }
    return "status " + std::to_string(r.status) + "\n--- standard output\n" + r.out +
           "--- standard error\n" + err + "--- file\n" + (file.empty() ? "" : read_file(file));
}

// Text in pieces: numbers (an optional sign where no letter or digit stands before it, digits, a
// fraction, an exponent) and the text between them.
struct Piece {
    bool number;
    std::string text;
};

std::vector<Piece> pieces(const std::string& text) {
    std::vector<Piece> out;
    const auto digit = [&](std::size_t k) {
        return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]));
    };
    for (std::size_t k = 0; k < text.size();) {
        const bool signed_number =
            text[k] == '-' && digit(k + 1) &&
            (k == 0 || !std::isalnum(static_cast<unsigned char>(text[k - 1])));
        if (digit(k) || signed_number) {
            std::size_t end = k + (signed_number ? 1 : 0);
            while (digit(end)) {
                ++end;
            }
            if (end < text.size() && text[end] == '.' && digit(end + 1)) {
                for (++end; digit(end); ++end) {
                }
            }
            if (end < text.size() && (text[end] == 'e' || text[end] == 'E') &&
                (digit(end + 1) ||
                 ((text[end + 1] == '-' || text[end + 1] == '+') && digit(end + 2)))) {
                for (end += 2; digit(end); ++end) {
                }
            }
            out.push_back({true, text.substr(k, end - k)});
            k = end;
            continue;
        }
        if (out.empty() || out.back().number) {
            out.push_back({false, ""});
        }
        out.back().text += text[k++];
    }
    return out;
}

// Where the texts part: "" when alike, else the first difference with its line.
std::string difference(const std::string& expected, const std::string& actual) {
    const std::vector<Piece> a = pieces(expected), b = pieces(actual);
    int line = 1;
    for (std::size_t k = 0; k < a.size() && k < b.size(); ++k) {
        const bool alike = a[k].number == b[k].number &&
                           (a[k].number ? std::abs(std::stod(a[k].text) - std::stod(b[k].text)) <=
                                              1e-12 * std::max(1.0, std::abs(std::stod(a[k].text)))
                                        : a[k].text == b[k].text);
        if (!alike) {
            return "line " + std::to_string(line) + ": expected \"" + a[k].text + "\", got \"" +
                   b[k].text + "\"";
        }
        line += static_cast<int>(std::count(a[k].text.begin(), a[k].text.end(), '\n'));
    }
    return a.size() == b.size() ? "" : "the lengths differ after line " + std::to_string(line);
}

TEST(GoldenOutputs, AreWhatTheToolWrites) {
    const bool rewrite = std::getenv("RADIAL_WRITE_GOLDEN") != nullptr;
    const std::vector<GoldenCase> cases = golden_cases();
    ASSERT_GE(cases.size(), 25U);
    for (const GoldenCase& c : cases) {
        const std::string path = golden_dir + "/" + c.name + ".txt";
        const std::string actual = golden_text(c);
        if (rewrite) {
            std::ofstream(path, std::ios::binary) << actual;
            continue;
        }
        EXPECT_EQ(difference(read_file(path), actual), "") << c.name << " (" << path << ")";
    }
}

// The comparison itself: a last digit passes, a padding space, a label's digit and a number's
// sign do not.
TEST(GoldenOutputs, TellNumbersFromText) {
    EXPECT_EQ(difference("x=0.30000000000000004 y", "x=0.3 y"), "");
    EXPECT_NE(difference("a  12.5", "a 12.5"), "");
    EXPECT_NE(difference("l/s 2.00", "l/s 2.01"), "");
    EXPECT_NE(difference("at -3", "at 3"), "");
    EXPECT_EQ(difference("level-tdc 1e-3", "level-tdc 0.001"), "");
    EXPECT_NE(difference("1\n2\n", "1\n2\n3\n"), "");
}

} // namespace
} // namespace radial

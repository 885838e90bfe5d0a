#pragma once

#include "kinematics_cli.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace radial::testing {

// One run of the tool with its status and both streams.
struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline ToolRun run(std::vector<std::string_view> args) {
    std::ostringstream out, err;
    const int status = run_tool(args, out, err);
    return {status, out.str(), err.str()};
}

// The parts between separators; for lines, a final newline ends the last line.
inline std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); end != std::string_view::npos;
         end = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.emplace_back(text.substr(start));
    if (separator == '\n' && parts.back().empty()) {
        parts.pop_back();
    }
    return parts;
}

// Arguments the tool must refuse, and what its one line must mention.
struct Refusal {
    std::vector<std::string_view> args;
    std::string_view names;
};

// The arguments as a command line would show them, to name the case.
inline void PrintTo(const Refusal& refusal, std::ostream* out) {
    const char* space = "";
    for (const std::string_view arg : refusal.args) {
        *out << space << (arg.empty() ? "''" : arg);
        space = " ";
    }
}

// A refusal is one line on standard error naming the flag or what it accepts, nothing on
// standard output, and status 2.
inline ::testing::AssertionResult refused(const ToolRun& r, std::string_view names) {
    if (r.status != 2 || !r.out.empty()) {
        return ::testing::AssertionFailure() << "status " << r.status << ", output " << r.out;
    }
    if (r.err.find('\n') != r.err.size() - 1 || !r.err.starts_with("radial-kinematics: ")) {
        return ::testing::AssertionFailure() << "not one line: " << r.err;
    }
    if (r.err.find(names) == std::string::npos) {
        return ::testing::AssertionFailure() << "'" << names << "' not in: " << r.err;
    }
    return ::testing::AssertionSuccess();
}

} // namespace radial::testing

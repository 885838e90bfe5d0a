#pragma once

#include "kinematics_cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace radial::testing {

// A directory of its own for one test, removed with everything in it at the end.
class ScratchDirectory {
public:
    ScratchDirectory() {
        static int made = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("radial-tests-" + std::to_string(getpid()) + "-" + std::to_string(made++));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory() { std::filesystem::remove_all(path_); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

    // The names of what it holds.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

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

// The refusal run in a fresh directory of its own as the current one, which it must leave empty:
// a path among the arguments that the tool writes after all lands there, not where the tests run.
inline ::testing::AssertionResult refused_leaving_nothing(const Refusal& refusal) {
    const ScratchDirectory dir;
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const ToolRun r = run(refusal.args);
    std::filesystem::current_path(home);
    ::testing::AssertionResult result = refused(r, refusal.names);
    const std::vector<std::string> left = dir.entries();
    if (result && !left.empty()) {
        return ::testing::AssertionFailure() << "left '" << left.front() << "' behind";
    }
    return result;
}

} // namespace radial::testing

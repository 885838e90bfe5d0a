#include "descriptor_output.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <streambuf>
#include <unistd.h>

namespace radial {
namespace {

using testing::run;

// Takes the first `room` characters, then refuses every one, as a full disk does.
class FullBuffer : public std::streambuf {
public:
    explicit FullBuffer(std::size_t room) : room_(room) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        if (taken_ == room_) {
            return traits_type::eof();
        }
        ++taken_;
        return c;
    }

private:
    std::size_t room_;
    std::size_t taken_ = 0;
};

// Takes everything into its buffer and fails only when flushed.
class FailingFlush : public std::stringbuf {
protected:
    int sync() override { return -1; }
};

constexpr std::string_view could_not_write = "radial-kinematics: could not write the output\n";

testing::ToolRun run_into(std::streambuf& buffer, std::vector<std::string_view> args) {
    std::ostream out(&buffer);
    std::ostringstream err;
    const int status = run_tool(args, out, err);
    return {status, "", err.str()};
}

class OutputThatFails : public ::testing::TestWithParam<std::vector<std::string_view>> {};

TEST_P(OutputThatFails, GivesStatus1AndOneLine) {
    for (const std::size_t room : {std::size_t{0}, std::size_t{100}}) {
        FullBuffer full(room);
        const auto r = run_into(full, GetParam());
        EXPECT_EQ(r.status, 1) << "room " << room;
        EXPECT_EQ(r.err, could_not_write) << "room " << room;
    }
    FailingFlush unflushed;
    const auto r = run_into(unflushed, GetParam());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, could_not_write);
}

INSTANTIATE_TEST_SUITE_P(
    EveryOutput, OutputThatFails,
    ::testing::Values(std::vector<std::string_view>{}, std::vector<std::string_view>{"--help"},
                      std::vector<std::string_view>{"--sweep", "0.5", "--cylinders", "3"},
                      std::vector<std::string_view>{"--summary", "--cylinders", "3"},
                      std::vector<std::string_view>{"--summary", "--format", "csv"}));

TEST(OutputThatFails, StillLetsRefusalsAndPlotsReportAsBefore) {
    FullBuffer full(0);
    const auto refused = run_into(full, {"--cylinders", "4"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.starts_with("radial-kinematics: --cylinders takes")) << refused.err;

    const testing::ScratchDirectory dir;
    const auto plotted = run_into(full, {"--plot", dir / "plot.svg", "--cylinders", "3"});
    EXPECT_EQ(plotted.status, 0) << plotted.err;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"plot.svg"});
}

TEST(DescriptorBuffer, WritesAllOfALongOutput) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    DescriptorBuffer buffer(fileno(file));
    const std::vector<std::string_view> sweep = {"--sweep", "0.01", "--cylinders", "7"};
    const auto r = run_into(buffer, sweep);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string expected = run(sweep).out;
    ASSERT_GT(expected.size(), 4 * 65536U);
    std::string written(expected.size() + 1, '\0');
    std::rewind(file);
    written.resize(std::fread(written.data(), 1, written.size(), file));
    std::fclose(file);
    EXPECT_EQ(written, expected);
}

TEST(DescriptorBuffer, TellsWhyAWriteFailed) {
    const int fd = open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        GTEST_SKIP() << "no /dev/full";
    }
    DescriptorBuffer buffer(fd);
    const auto r = run_into(buffer, {"--summary"});
    close(fd);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(buffer.error(), ENOSPC);
    EXPECT_EQ(r.err, "radial-kinematics: could not write the output: " +
                         std::string(std::strerror(ENOSPC)) + "\n");
}

} // namespace
} // namespace radial

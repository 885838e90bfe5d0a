#include "descriptor_output.h"
#include "kinematics_cli.h"

#include <iostream>
#include <string_view>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    radial::DescriptorBuffer standard_output(STDOUT_FILENO);
    std::ostream out(&standard_output);
    return radial::run_tool(args, out, std::cerr);
}

#include "kinematics_cli.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    return radial::run_tool(args, std::cout, std::cerr);
}

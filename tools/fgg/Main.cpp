// SPDX-License-Identifier: MIT
#include "tools/fgg/FggCommands.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return RunFgg(args, TFggIo{});
}

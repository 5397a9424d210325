#include "app/Automation.h"

#include <cstdio>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::puts("Капитан Зибо: the game shell is being assembled.");
    return 0;
}

// Helper for the reliability tests: pushes `count` distinct values
// "<prefix><i>" = "value <i>" into the hive of $XDG_CONFIG_HOME and prints
// each i on stdout once its push has returned.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "components/Vreg/Vreg.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PREFIX COUNT\n", argv[0]);
        return 2;
    }
    TVReg reg(nullptr);
    reg.Firmenname = "varnell";
    reg.Programmname = "Reliability";
    const long count = std::strtol(argv[2], nullptr, 10);
    try {
        for (long i = 0; i < count; ++i) {
            reg.Push(argv[1] + std::to_string(i), "value " + std::to_string(i));
            std::printf("%ld\n", i);
            std::fflush(stdout);
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

// orvane-pack OUT IN...: packs text files into a scripture container.
#include "Container.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvane-pack OUT IN...\n");
        return 2;
    }
    try {
        const long long ms =
            orvane::PackContainer(orvane::StringList(argv + 2, argv + argc), argv[1]);
        if (ms < 0) {
            std::fprintf(stderr, "orvane-pack: could not write %s\n", argv[1]);
            return 1;
        }
        std::printf("OK! (TimeExpire: %lld)\n", ms);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvane-pack: %s\n", e.what());
        return 1;
    }
    return 0;
}

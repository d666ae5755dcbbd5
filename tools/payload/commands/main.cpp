// tools/payload/commands/main.cpp
#include "commands/PayloadTool.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    // Out of memory, or a path the system cannot convert: report, do not abort.
    try {
        return CPayloadTool().Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "payload: %s\n", error.what());
        return exitFiles;
    }
}

// tools/payload/main.cpp
#include "PayloadTool.h"

int main(int argc, char** argv) {
    return CPayloadTool().Run(argc, argv);
}

// tests/res/ResourceTestMain.cpp: res_test [<program> [<payload archive>]]
// Without arguments the test reads the resources linked into itself.
#include "ResourceModule.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
std::unique_ptr<ResourceModule> s_pModule;
std::string s_strPayload;
} // namespace

const ResourceModule& TestModule() {
    return *s_pModule;
}
const std::string& TestPayloadPath() {
    return s_strPayload;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    s_pModule = std::make_unique<ResourceModule>(argc > 1 ? argv[1] : "");
    s_strPayload = argc > 2 ? argv[2] : "";
    if (!TestModule().Handle()) {
        fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    return RUN_ALL_TESTS();
}

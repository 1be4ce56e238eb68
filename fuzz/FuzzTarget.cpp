// One fuzz target: libFuzzer's entry points over one of the bodies, chosen
// with MENOLUX_FUZZ_BODY.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzStartQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return MENOLUX_FUZZ_BODY(data, size);
}

// The machine format loader on any text, through the file as the writers load it.

#include "fuzz_support.h"
#include "input/machine_format_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvix;
    fuzz::writeScratchFile("FUZZ.DNC", data, size);
    MachineFormat format;
    loadMachineFormat(format, fuzz::scratchFolder(), "FUZZ.DNC");
    return 0;
}

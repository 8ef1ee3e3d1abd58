// The wire-frame reader on any bytes; the second read replaces the first.

#include "fuzz_support.h"
#include "input/wireframe_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvix;
    const std::string path = fuzz::writeScratchFile("input.WIR", data, size);
    fuzz::ReadWorld world;
    WireframeStore store;
    const WireframeReadTarget target{store, world.database.status, world.pump, world.reporter};
    readWireframeFile(target, path, kBlack);
    readWireframeFile(target, path, 0x00FF00);
    return 0;
}

// The TBF reader on any bytes, into an empty database and appended to what it read.

#include "fuzz_support.h"
#include "output/tbf_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvix;
    const std::string path = fuzz::writeScratchFile("input.TBF", data, size);
    fuzz::ReadWorld world;
    readTbfFile(world.database, path, kWhite);
    readTbfFile(world.database, path, kWhite);
    return 0;
}

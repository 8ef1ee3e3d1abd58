// The NC reader on any bytes, with both kinds of arc centre (the first byte chooses), read
// twice so that the second read appends to the first.

#include "fuzz_support.h"
#include "input/nc_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvix;
    if (size == 0)
        return 0;
    const std::string path = fuzz::writeScratchFile("input.nc", data + 1, size - 1);
    fuzz::ReadWorld world;
    const NcReadTarget target{world.database, world.tools, world.parseLog, world.pump,
                              world.reporter};
    NcReadOptions options;
    options.absoluteCenters = (data[0] & 1) != 0;
    readNcProgram(target, path, options, {});
    readNcProgram(target, path, options, {});
    return 0;
}

// Write and read back: an NC program and a machine format, both fuzzed (the input holds the
// format, a NUL byte, then the program). The program is read, written with the format and
// with the built-in dialect, and each text the writer made is read again.

#include "fuzz_support.h"
#include "input/nc_reader.h"
#include "output/nc_writer.h"

#include <cstring>

namespace {

using namespace korvix;

void readBack(const std::string& text, bool absoluteCenters) {
    const std::string path = fuzz::writeScratchFile(
        "written.nc", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    fuzz::ReadWorld world;
    const NcReadTarget target{world.database, world.tools, world.parseLog, world.pump,
                              world.reporter};
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    readNcProgram(target, path, options, {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* split = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    if (split == nullptr)
        return 0;
    const std::size_t formatSize = static_cast<std::size_t>(split - data);
    fuzz::writeScratchFile("FUZZ.DNC", data, formatSize);
    const std::string program =
        fuzz::writeScratchFile("program.nc", split + 1, size - formatSize - 1);

    fuzz::ReadWorld world;
    const NcReadTarget target{world.database, world.tools, world.parseLog, world.pump,
                              world.reporter};
    NcReadOptions readOptions;
    readOptions.absoluteCenters = (formatSize & 1) == 0;
    readNcProgram(target, program, readOptions, {});

    MachineFormat machine;
    const NcWriteSource source{world.database, world.tools, machine, world.pump};
    for (const char* control : {"FUZZ.DNC", "Default"}) {
        NcWriteOptions options;
        options.controlName = control;
        options.machinesFolder = fuzz::scratchFolder();
        StringLineSink sink;
        if (writeNcProgram(source, options, sink).ok())
            readBack(sink.text, readOptions.absoluteCenters);
    }
    return 0;
}

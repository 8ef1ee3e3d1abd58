# Run as a script (cmake -P) at build time: writes OUTPUT, a C++ source that holds the
# bytes of every file of INPUTS (a "|"-separated list) for bundledMachineFormats().
# Keeps the program independent of the source tree when it installs its machine formats.
string(REPLACE "|" ";" inputs "${INPUTS}")
set(arrays "")
set(entries "")
set(index 0)
foreach(input IN LISTS inputs)
    get_filename_component(name "${input}" NAME)
    file(READ "${input}" hex HEX)
    string(LENGTH "${hex}" hexLength)
    math(EXPR size "${hexLength} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND arrays "const unsigned char kFile${index}[] = {${bytes}0x00};\n")
    string(APPEND entries
        "        {\"${name}\", std::string_view(reinterpret_cast<const char*>(kFile${index}), ${size})},\n")
    math(EXPR index "${index} + 1")
endforeach()
set(source "// Generated at build time from examples/machines: do not edit.
#include \"app/home_folder.h\"

namespace korvix {
namespace {
// clang-format off
${arrays}// clang-format on
} // namespace

const std::vector<BundledFile>& bundledMachineFormats() {
    static const std::vector<BundledFile> files = {
${entries}    };
    return files;
}

} // namespace korvix
")
# Rewriting an unchanged file would rebuild the core for nothing.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
    if(previous STREQUAL source)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${source}")

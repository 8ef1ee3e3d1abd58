#pragma once

#include "model/machine_format_record.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace korvix {

class Reporter;

struct MachineFormatLoad {
    // False when the file is missing or unreadable, or a number in it stopped the load; the
    // writer then writes nothing.
    bool loaded = false;
    // Every warning and error, in the order met; each is one message box.
    std::vector<FormatMessage> messages;
};

// Shows each message in a message box: warnings as warnings, errors as errors.
void showFormatMessages(Reporter& reporter, const std::vector<FormatMessage>& messages);

// Reads the text of a .DNC file into `format` (reset first).
MachineFormatLoad parseMachineFormat(MachineFormat& format, std::string_view fileText);

// Loads the file `name` (a file name as the control-type list shows it, extension included)
// from `machinesFolder`. A missing file gives
//   Machine format file "<folder>/<name>" does not exist...
// and leaves the format reset.
MachineFormatLoad loadMachineFormat(MachineFormat& format,
                                    const std::filesystem::path& machinesFolder,
                                    std::string_view name);

} // namespace korvix

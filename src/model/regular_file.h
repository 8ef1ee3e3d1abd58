#pragma once

#include <string>

namespace korvix {

// Why `path` cannot be read as a file, in the system's words, or an empty text when it is a
// regular file. A device, a FIFO or a socket is refused before it is opened: /dev/zero would
// be read for ever and a FIFO without a writer would block the program.
std::string notRegularFileReason(const std::string& path);

} // namespace korvix

#pragma once

#include "input/nc_read_job.h"

#include <QString>
#include <memory>

namespace korvix::ui {

class Tf;

// Reads an NC program on a worker thread while the window stays usable: the progress bar
// and its Cancel button show, the menus are locked, and events keep flowing (the picture is
// painted, the window resized, Esc or Cancel stop the read). Returns once the read has
// ended, with the job that holds what it read, for the caller to hand over or drop.
std::unique_ptr<NcReadJob> readInBackground(Tf& window, const QString& fileName,
                                            const NcReadOptions& options);

} // namespace korvix::ui

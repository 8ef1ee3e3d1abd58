#pragma once

#include "model/display_options.h"
#include "model/graphics_database.h"
#include "model/list_payloads.h"
#include "model/machine_format_record.h"
#include "model/message_pump.h"
#include "model/overlay_state.h"
#include "model/parse_log.h"
#include "model/program_source.h"
#include "model/reading_options.h"
#include "model/reporter.h"
#include "model/tool_table.h"
#include "model/undo_history.h"
#include "model/view_state.h"

namespace korvix {

// The program-wide records, owned by the main window (or the command-line tool, or a test).
// Only the commands that orchestrate several subsystems take the whole workspace; readers,
// writers and filters take the parts they work on, so that they stay independent of the
// display state kept here.
struct Workspace {
    Workspace() = default;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    GraphicsDatabase database;
    WireframeStore wireframe;
    ToolTable tools;
    ToolShapeList toolShape;
    // The machine format of the last Save NC or Convert; RENUMBER, MINBLKNUM, MAXBLKNUM,
    // MAXFEEDRATE, MAXRPM and RADIUSTYPE carry over to the next format loaded.
    MachineFormat machine;
    // The parsing error log of the last NC read (the "Parsing error log" dialog's list).
    ParseLog parseLog;
    // How the next NC programs are read (Options -> Read lower-case words).
    ReadingOptions reading;
    // The steps Edit -> Undo and Redo take back and forward again.
    UndoHistory history;
    // The text of every NC program read, which the records' source lines point into, and
    // the window's program text pane that shows it.
    ProgramSource source;
    ProgramTextHooks programText;

    // The display: the view transform, the Display menu options, the redraw busy flag and
    // abort request, and the overlays every full redraw paints again.
    ViewState view;
    DisplayOptions display;
    RedrawControl redraw;
    AnimationState animation;
    WireframeMark wireframeMark;
    TrimPolygon trimPolygon;
    ScreenTexts screenTexts;
    OverlayHooks overlays;

    // Platform services: the window installs its own, tests and the command-line tool
    // theirs. `reporter` is never null.
    MessagePump pump;
    NullReporter silentReporter;
    Reporter* reporter = &silentReporter;

    Reporter& report() { return *reporter; }
};

} // namespace korvix

#pragma once

#include "editing/modify_all_command.h"

#include <functional>

namespace korvix::ui {

class Tf;

// After "&Ok" of a Modify command: a path that has moved or grown out of the picture is
// fitted into it; one that still fits keeps the view, so that the change shows against it.
// The status window, when shown, describes the new path.
void redrawModifiedPath(Tf& window);

// Runs a core preview step around the window: `run` gets the redraw to call while the
// preview is linked in (empty when `builds` is false: nothing is drawn before the question).
// The preview is drawn after the path; when it reaches beyond the picture the view is fitted
// to both for the question, and put back when the preview is discarded.
using PreviewStep = std::function<PreviewOutcome(const std::function<void()>& redraw)>;
PreviewOutcome showModifyPreview(Tf& window, bool builds, const PreviewStep& run);

} // namespace korvix::ui

#pragma once

#include <functional>

namespace korvix {
struct MoveRecord;
}

namespace korvix::ui {

class Tf;

inline constexpr const char* kAnimationNoNcData =
    " No NC data currently in memory, \"ANIMATION COMMAND CANCELED...\"";
inline constexpr const char* kAnimationPickInstruction =
    " Use \"LEFT\" mouse button to select geometry to start tool animation on...";
inline constexpr const char* kIdentifyNcSwitchNotSet =
    "Identify NC data switch is not set, see OPTIONS menu for this switch.";

// "&All": animates from the first record. The animation runs from the event loop once the
// menu command has returned, as one started by a pick does, so that both end the same way.
void aLL1Click(Tf& window);
// "&Starting at picked position": arms the point pick; the pick starts the animation at the
// picked move's predecessor.
void Startingatpickedposiion1Click(Tf& window);

// Runs the animation from `start` with the menus locked, until the end of the path, Esc or
// a view command. Does nothing while another loop steps through the path.
void animate(Tf& window, MoveRecord& start);

// True while an animation runs.
bool animationRunning(const Tf& window);
// Asks the running animation to end and runs `then` from the event loop once it has (at
// once, from the event loop, when none runs). Commands that free or replace the path call
// it instead of pulling the records from under the animation.
void endAnimationThen(Tf& window, std::function<void()> then);

} // namespace korvix::ui

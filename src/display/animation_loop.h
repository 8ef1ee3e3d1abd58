#pragma once

#include "display/animation_clock.h"
#include "model/canvas.h"
#include "model/move_record.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace korvix {

struct Workspace;

// The two menu options the animation follows, read afresh at every record.
struct AnimationOptions {
    bool blockInfo = true;  // "Display BLOCK information during animation"
    bool paintPath = false; // "Modify COLORS during animation"
};

// What the second panel shows while the tool is at a record: its block line when wanted and
// the machining time so far. Kept as the figures rather than the text, which the window makes
// only when it shows the panel (at full speed the tool passes many records between two).
struct AnimationStatus {
    const MoveRecord* record = nullptr;
    MachiningClock clock;
    bool blockInfo = true;
    // "N40 G01 X40.00000 Y0.00000 Z0.00000 F250.00   Elapsed 0:12:34 at 100% feed", or the
    // time alone (" Elapsed ...") without the block line.
    std::string text() const;
};

// What the animation needs from its window.
class AnimationHost {
public:
    virtual ~AnimationHost() = default;
    // Draws onto the main window's picture.
    virtual void draw(const std::function<void(Canvas&)>& paint) = 0;
    virtual AnimationOptions options() = 0;
    // The status of the record the tool has reached (the second status panel).
    virtual void showStatus(const AnimationStatus& status) = 0;
    // Called at every stop of the tool. With a delay of 1 ms or more it waits that long on
    // the window's events (blocking, never spinning); with 0 it lets them run often enough
    // to keep the window alive and Esc heard, and returns at once otherwise.
    virtual void afterStep(int delayMs) = 0;
};

// Distance between the tool's stops along a straight move, in pixels.
inline constexpr int kSlideStepPixels = 10;

// The stops of the tool along a straight move from pixel `from` to pixel `to`: every
// kSlideStepPixels along the move short of its end, then the end.
class SlideStops {
public:
    SlideStops(PixelPoint from, PixelPoint to);
    std::int64_t count() const { return m_count; }
    // Stop k, 0 <= k < count(); the last one is `to`.
    PixelPoint at(std::int64_t k) const;

    // The first and last of the stops before the end that lie on the area (0, 0)-(width,
    // height) or within a pixel of it; first > last when there are none. A move that runs
    // far off the area (zoomed in closely) would otherwise wait at millions of stops that
    // show nothing.
    struct Range {
        std::int64_t first, last;
    };
    Range stopsOnArea(int width, int height) const;

private:
    PixelPoint m_from, m_to;
    double m_ux = 0, m_uy = 0; // one step along the move
    std::int64_t m_count = 1;
};

// "N40 G01 X40.00000 Y0.00000 Z0.00000 F250.00": block number, motion and end point, and the
// feed rate unless the move is rapid.
std::string blockInfoText(const MoveRecord& record);

// True once Esc, a view command or a closing window has asked the animation to end.
bool animationStopRequested(const Workspace& ws);

// Moves the tool picture along the path from `start` to the end of the path, or until a
// stop is requested: straight moves in steps of kSlideStepPixels, arc pieces and start
// points at once; the tool's outline is rebuilt from the tool table at every change of tool.
// The picture is the same at the end as at the start, except for the path painted white
// with "Modify COLORS during animation". Reads the cached pixel positions; when they are
// stale the picture is drawn anew first.
void runAnimation(Workspace& ws, MoveRecord& start, AnimationHost& host);

} // namespace korvix

#include "display/pointer_input.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

struct Gesture {
    const char* name;
    PickMode mode;
    bool selectionArmed;
    PointerContext context;
    PointerAction action; // what the release asks for
    PickMode modeAfter;   // the pick mode once it is done
    bool eraseBand;       // a rubber band was on the screen
};

// A left-button drag from (10, 20) to (50, 60) in every mode, and what the release means.
TEST(PointerInput, ReleaseEndsTheDragByItsMode) {
    const PointerContext loaded{true, false, false};
    const PointerContext empty{false, false, false};
    const PointerContext measuring{true, true, false};
    const PointerContext drawingPolygon{true, false, true};
    const Gesture gestures[] = {
        {"box zoom", PickMode::ZoomWindow, false, loaded, PointerAction::ZoomWindow, PickMode::None,
         true},
        {"pan", PickMode::Pan, false, loaded, PointerAction::Pan, PickMode::None, true},
        {"pan while drawing a polygon", PickMode::Pan, false, drawingPolygon, PointerAction::Pan,
         PickMode::TrimPolygon, true},
        {"zoom while drawing a polygon", PickMode::ZoomWindow, false, drawingPolygon,
         PointerAction::ZoomWindow, PickMode::TrimPolygon, true},
        {"pan without data", PickMode::Pan, false, empty, PointerAction::None, PickMode::None,
         true},
        {"identify", PickMode::Point, false, loaded, PointerAction::PointPick, PickMode::None,
         false},
        {"measuring keeps the point pick armed", PickMode::Point, false, measuring,
         PointerAction::PointPick, PickMode::Point, false},
        {"trim box", PickMode::TrimBox, false, empty, PointerAction::TrimBox, PickMode::None, true},
        {"box selection", PickMode::ZoomWindow, true, loaded, PointerAction::SelectionPick,
         PickMode::None, true},
        {"single selection", PickMode::Point, true, loaded, PointerAction::SelectionPick,
         PickMode::None, false},
        {"dynamic rotate", PickMode::DynamicRotate, false, loaded, PointerAction::EndDynamic,
         PickMode::None, false},
        {"dynamic zoom while drawing a polygon", PickMode::DynamicZoom, false, drawingPolygon,
         PointerAction::EndDynamic, PickMode::TrimPolygon, false},
        {"no mode", PickMode::None, false, loaded, PointerAction::None, PickMode::None, false},
    };
    for (const Gesture& g : gestures) {
        SCOPED_TRACE(g.name);
        PointerState state;
        state.mode = g.mode;
        state.selectionArmed = g.selectionArmed;
        state.pendingSelectionValue = g.selectionArmed ? 1 : 0;
        ASSERT_TRUE(pointerPressed(state, {10, 20}, true));
        pointerMoved(state, {30, 40}, g.context);
        const PointerDecision d = pointerReleased(state, {50, 60}, true, g.context);
        EXPECT_EQ(d.action, g.action);
        EXPECT_EQ(state.mode, g.modeAfter);
        EXPECT_EQ(d.eraseBand, g.eraseBand);
        EXPECT_FALSE(state.buttonDown);
        EXPECT_FALSE(state.selectionArmed);
        EXPECT_EQ(d.press, (PixelPoint{10, 20}));
        EXPECT_EQ(d.to, (PixelPoint{50, 60}));
        if (g.action == PointerAction::SelectionPick) {
            EXPECT_EQ(d.value, 1);
        }
        if (g.eraseBand) { // the band on the screen ends where the mouse last was
            EXPECT_EQ(d.previous, (PixelPoint{30, 40}));
        }
    }
}

TEST(PointerInput, MovesDrawBandsAndDynamicSteps) {
    const PointerContext loaded{true, false, false};
    PointerState state;
    state.mode = PickMode::Pan;
    // Without a button the mouse only moves on.
    EXPECT_EQ(pointerMoved(state, {5, 5}, loaded).action, PointerAction::None);
    EXPECT_EQ(state.lastMouse, (PixelPoint{5, 5}));
    pointerPressed(state, {10, 10}, true);
    PointerDecision d = pointerMoved(state, {20, 10}, loaded);
    EXPECT_EQ(d.action, PointerAction::MoveBand);
    EXPECT_EQ(d.previous, (PixelPoint{10, 10})); // the band of no length is not on the screen
    d = pointerMoved(state, {30, 10}, loaded);
    EXPECT_EQ(d.previous, (PixelPoint{20, 10}));

    state = {};
    state.mode = PickMode::DynamicZoom;
    pointerPressed(state, {10, 10}, true);
    d = pointerMoved(state, {10, 30}, loaded);
    EXPECT_EQ(d.action, PointerAction::DynamicStep);
    EXPECT_EQ(d.mode, PickMode::DynamicZoom);
    // The window moves the last point on once the step is drawn; a refused step keeps it.
    EXPECT_EQ(state.last, (PixelPoint{10, 10}));
    // A running measurement switches the dynamic modes off.
    EXPECT_EQ(pointerMoved(state, {10, 40}, {true, true, false}).action, PointerAction::None);
}

TEST(PointerInput, PolygonVerticesComeWithReleasesOnly) {
    PointerState state;
    state.mode = PickMode::TrimPolygon;
    EXPECT_FALSE(pointerPressed(state, {10, 10}, true));
    EXPECT_EQ(pointerReleased(state, {10, 10}, true, {}).action, PointerAction::PolygonVertex);
    EXPECT_EQ(pointerReleased(state, {10, 10}, false, {}).action, PointerAction::None);
    EXPECT_EQ(state.mode, PickMode::TrimPolygon);
    // The right button never starts a drag.
    state.mode = PickMode::Pan;
    EXPECT_FALSE(pointerPressed(state, {10, 10}, false));
}

TEST(PointerInput, EscapeDisarmsOnlyTheViewPicks) {
    PointerState state;
    state.mode = PickMode::ZoomWindow;
    EXPECT_TRUE(disarmViewPick(state));
    EXPECT_EQ(state.mode, PickMode::None);
    state.mode = PickMode::ZoomWindow;
    state.selectionArmed = true; // a box selection in edit mode is not a view pick
    EXPECT_FALSE(disarmViewPick(state));
    state = {};
    state.mode = PickMode::TrimPolygon;
    EXPECT_FALSE(disarmViewPick(state));
}

} // namespace
} // namespace korvix::test

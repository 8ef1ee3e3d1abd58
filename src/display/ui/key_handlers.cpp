#include "display/ui/key_handlers.h"

#include "display/display_state.h"
#include "display/trim_polygon_input.h"
#include "display/ui/pick_handoffs.h"
#include "display/ui/view_menu_commands.h"
#include "display/view_commands.h"
#include "ui/main_window.h"

#include <QInputDialog>
#include <QKeyEvent>
#include <algorithm>

namespace korvix::ui {
namespace {

enum class Modifiers { None, Shift, Ctrl, Other };

// "Shift" means Shift alone and "Ctrl" Ctrl alone; the keypad flag of keypad keys does not
// count.
Modifiers modifiersOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held =
        event.modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (held == Qt::NoModifier)
        return Modifiers::None;
    if (held == Qt::ShiftModifier)
        return Modifiers::Shift;
    if (held == Qt::ControlModifier)
        return Modifiers::Ctrl;
    return Modifiers::Other;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// F1..F4 without and with Shift.
bool viewKey(Tf& window, int key, Modifiers modifiers) {
    using Handler = void (*)(Tf&);
    static constexpr struct {
        int key;
        Handler plain;
        Handler shifted;
    } kViewKeys[] = {{Qt::Key_F1, &XY1Click, &Fit1Click},
                     {Qt::Key_F2, &XZ1Click, &ISO2Click},
                     {Qt::Key_F3, &YZ1Click, &ISO3Click},
                     {Qt::Key_F4, &Iso1Click, &ISO4Click}};
    for (const auto& binding : kViewKeys) {
        if (binding.key != key)
            continue;
        if (modifiers == Modifiers::None)
            binding.plain(window);
        else if (modifiers == Modifiers::Shift)
            binding.shifted(window);
        else
            return false;
        return true;
    }
    return false;
}

// F5, F6, F7: one rotation step about X, Y or Z; Shift turns the other way.
bool rotationKey(Tf& window, int key, Modifiers modifiers) {
    RotationAxis axis;
    switch (key) {
    case Qt::Key_F5:
        axis = RotationAxis::A;
        break;
    case Qt::Key_F6:
        axis = RotationAxis::B;
        break;
    case Qt::Key_F7:
        axis = RotationAxis::C;
        break;
    default:
        return false;
    }
    if ((modifiers != Modifiers::None && modifiers != Modifiers::Shift) ||
        window.pointer.mode != PickMode::None)
        return false;
    const int direction = modifiers == Modifiers::Shift ? 1 : -1;
    window.drawWith(
        [&](Canvas& canvas) { rotationKeyCommand(window.workspace(), canvas, axis, direction); });
    return true;
}

// F8: the rotation step, asked for in an input box.
void askRotationStep(Tf& window) {
    Workspace& ws = window.workspace();
    bool ok = false;
    const QString text = QInputDialog::getText(
        &window, toQString(kRotationStepCaption), toQString(kRotationStepPrompt), QLineEdit::Normal,
        QString::fromStdString(rotationStepText(ws.view)), &ok);
    if (!ok)
        return;
    std::string error;
    if (!setRotationStepFromText(ws.view, text.trimmed().toStdString(), error))
        ws.report().error(error);
}

bool trimPolygonKey(Tf& window, int key, Modifiers modifiers) {
    Workspace& ws = window.workspace();
    bool used = false;
    if (key == Qt::Key_D && modifiers == Modifiers::None) {
        window.drawWith([&](Canvas& canvas) { used = deleteLastTrimPolygonPoint(ws, canvas); });
    } else if (key == Qt::Key_D && modifiers == Modifiers::Shift) {
        window.drawWith([&](Canvas& canvas) { used = clearTrimPolygon(ws, canvas); });
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Modifiers::None &&
               canTrim(window)) {
        // The trim rebuilds the path, which a location dialog may be stepping through or a
        // redraw walking; the polygon stays until it can be used.
        window.drawWith([&](Canvas& canvas) { used = finishTrimPolygon(ws, canvas); });
        if (used) {
            window.pointer.mode = PickMode::None;
            trimWithPolygon(window, isPlainXYView(ws.view));
        }
    }
    return used;
}

void escapeKey(Tf& window) {
    Workspace& ws = window.workspace();
    requestRedrawAbort(ws);
    bool canceled = false;
    window.drawWith([&](Canvas& canvas) { canceled = cancelTrimPolygon(ws, canvas); });
    if (canceled) {
        window.pointer.mode = PickMode::None;
        window.setStatusText(toQString(kTrimCanceledText));
        return;
    }
    // An armed view mode waiting for its drag gives up; one being dragged finishes first.
    const PickMode mode = window.pointer.mode;
    if ((mode == PickMode::Pan || mode == PickMode::ZoomWindow || isDynamicMode(mode)) &&
        !window.pointer.buttonDown) {
        window.pointer.mode = PickMode::None;
        window.setStatusText("");
    }
}

} // namespace

bool FormKeyDown(Tf& window, const QKeyEvent& event) {
    const int key = event.key();
    const Modifiers modifiers = modifiersOf(event);
    if (viewKey(window, key, modifiers) || rotationKey(window, key, modifiers))
        return true;
    if (trimPolygonKey(window, key, modifiers))
        return true;
    AnimationState& animation = window.workspace().animation;
    if (modifiers == Modifiers::None) {
        switch (key) {
        case Qt::Key_F8:
            askRotationStep(window);
            return true;
        case Qt::Key_Escape:
            escapeKey(window);
            return true;
        case Qt::Key_Up:
            animation.stepDelayMs = std::max(0, animation.stepDelayMs - 1);
            return true;
        case Qt::Key_Down:
            ++animation.stepDelayMs;
            return true;
        default:
            break;
        }
    }
    if (modifiers == Modifiers::Ctrl) {
        switch (key) {
        case Qt::Key_P:
            DynamicPanClick(window);
            return true;
        case Qt::Key_R:
            DynamicRotateClick(window);
            return true;
        case Qt::Key_Z:
            DynamicZoomClick(window);
            return true;
        default:
            break;
        }
    }
    return false;
}

bool FormKeyPress(Tf& window, const QKeyEvent& event) {
    // While "Add" text is checked, typing places a screen text instead.
    if (window.isChecked("AddText1"))
        return false;
    // Control characters and menu accelerators are not commands.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.size() != 1)
        return false;
    // The case of the character decides, not a modifier test: "Z" zooms out, "z" in.
    switch (text.front().unicode()) {
    case 'Z':
        Out1Click(window);
        return true;
    case 'z':
        In1Click(window);
        return true;
    case 'P':
    case 'p':
        Pan1Click(window);
        return true;
    case 'B':
    case 'b':
        Box2Click(window);
        return true;
    case 'F':
    case 'f':
        Fit1Click(window);
        return true;
    case 'R':
    case 'r':
        Redraw1Click(window);
        return true;
    default:
        return false;
    }
}

} // namespace korvix::ui

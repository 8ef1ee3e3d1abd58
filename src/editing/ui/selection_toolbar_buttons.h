#pragma once

#include <QWidget>
#include <string_view>

class QToolButton;

namespace korvix::ui {

class Tf;

// The buttons of the edit-mode toolbar `ModifyPortionToolbar`, top to bottom, 27 pixels
// square, each with its hint as a tool tip. Buttons of one group are exclusive like speed
// buttons: pressing an up button puts the group's other buttons up; pressing the down one
// puts it up only where the group allows all buttons up. A click runs the button's command
// as a menu item does (not while another command or a redraw runs).
class SelectionToolbar : public QWidget {
public:
    // The window's one instance, created at the first call and put into the window's toolbar.
    static SelectionToolbar& of(Tf& window);
    explicit SelectionToolbar(Tf& window);

    // The button with this component name, or nullptr.
    QToolButton* button(std::string_view component) const;
    bool isDown(std::string_view component) const;

    // The group rule for a click on `component` (a button without a group stays up).
    // Returns whether the button is down afterwards.
    bool press(std::string_view component);
    void release(std::string_view component);
    // Puts every button of `group` up.
    void releaseGroup(int group);

private:
    void setDown(std::string_view component, bool down);
};

} // namespace korvix::ui

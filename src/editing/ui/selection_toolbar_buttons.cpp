#include "editing/ui/selection_toolbar_buttons.h"

#include "editing/selection_texts.h"
#include "editing/ui/edit_mode_commands.h"
#include "editing/ui/selection_glyphs.h"
#include "ui/main_window.h"

#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

namespace korvix::ui {
namespace {

// The buttons' commands, in the order of kSelectionToolbarButtons. They run through the
// window like menu items, so that a click while a command or a redraw runs is refused.
// clang-format off
constexpr std::array<MenuItem, kSelectionToolbarButtons.size()> kButtonCommands{{
    {"", "", "IndividualSelectionSpeedButton", "", "", &IndividualSelectionSpeedButtonClick},
    {"", "", "BoxSelectionSpeedButton", "", "", &BoxSelectionSpeedButtonClick},
    {"", "", "LineSelectionSpeedButton", "", "", &LineSelectionSpeedButtonClick},
    {"", "", "AllSelectionSpeedButton", "", "", &AllSelectionSpeedButtonClick},
    {"", "", "SpeedButton1", "", "", &SpeedButton1Click},
    {"", "", "DestinationPointSpeedButton", "", "", &DestinationPointSpeedButtonClick},
    {"", "", "BothPointsSpeedButton", "", "", &BothPointsSpeedButtonClick},
    {"", "", "SelectUpToFPSpeedButton", "", "", &SelectUpToFPSpeedButtonClick},
    {"", "", "SelectAfterFPSpeedButton", "", "", &SelectAfterFPSpeedButtonClick},
    {"", "", "AddSelectionSpeedButton", "", "", &AddSelectionSpeedButtonClick},
    {"", "", "SubtractSelectionSpeedButton", "", "", &SubtractSelectionSpeedButtonClick},
}};
// clang-format on

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const SelectionToolbarButton* entryOf(std::string_view component) {
    for (const SelectionToolbarButton& entry : kSelectionToolbarButtons)
        if (entry.component == component)
            return &entry;
    return nullptr;
}

} // namespace

SelectionToolbar& SelectionToolbar::of(Tf& window) {
    return window.dialog<SelectionToolbar>([&window] { return new SelectionToolbar(window); });
}

SelectionToolbar::SelectionToolbar(Tf& window) : QWidget(window.modifyPortionToolbar()) {
    setObjectName("SelectionToolbarButtons");
    QToolBar& bar = *window.modifyPortionToolbar();
    bar.setMovable(false);
    bar.setFloatable(false);
    // The bar comes and goes with edit mode only, not through the window's toolbar menu.
    bar.setContextMenuPolicy(Qt::PreventContextMenu);
    bar.toggleViewAction()->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    QFont captionFont = font();
    captionFont.setBold(true);
    int previousGroup = kSelectionToolbarButtons.front().group;
    for (std::size_t i = 0; i < kSelectionToolbarButtons.size(); ++i) {
        const SelectionToolbarButton& entry = kSelectionToolbarButtons[i];
        // A little room between the groups shows which buttons belong together.
        if (entry.group != previousGroup)
            layout->addSpacing(6);
        previousGroup = entry.group;
        auto* button = new QToolButton(this);
        button->setObjectName(toQString(entry.component));
        button->setFixedSize(kSelectionButtonSize, kSelectionButtonSize);
        button->setFocusPolicy(Qt::NoFocus);
        // The hint as a tool tip only: a status tip would wipe the pick's instruction from
        // the status bar as soon as the mouse leaves the button.
        button->setToolTip(toQString(entry.hint));
        if (entry.caption.empty()) {
            button->setIcon(selectionGlyph(entry.component));
            button->setIconSize(QSize(20, 20));
        } else {
            button->setText(toQString(entry.caption));
            button->setFont(captionFont);
        }
        button->setCheckable(entry.group != 0);
        button->setChecked(entry.downAtStart);
        const MenuItem* command = &kButtonCommands[i];
        connect(button, &QToolButton::clicked, this, [&window, button, command] {
            // The group rule, not the click, decides the state (in the command).
            if (button->isCheckable())
                button->setChecked(!button->isChecked());
            window.runCommand(*command);
        });
        layout->addWidget(button);
    }
    layout->addStretch();
    bar.addWidget(this);
}

QToolButton* SelectionToolbar::button(std::string_view component) const {
    return findChild<QToolButton*>(toQString(component), Qt::FindDirectChildrenOnly);
}

bool SelectionToolbar::isDown(std::string_view component) const {
    const QToolButton* b = button(component);
    return b != nullptr && b->isChecked();
}

void SelectionToolbar::setDown(std::string_view component, bool down) {
    if (QToolButton* b = button(component))
        b->setChecked(down);
}

bool SelectionToolbar::press(std::string_view component) {
    const SelectionToolbarButton* entry = entryOf(component);
    if (entry == nullptr || entry->group == 0)
        return false;
    if (isDown(component)) {
        if (entry->allowAllUp)
            setDown(component, false);
        return isDown(component);
    }
    releaseGroup(entry->group);
    setDown(component, true);
    return true;
}

void SelectionToolbar::release(std::string_view component) {
    setDown(component, false);
}

void SelectionToolbar::releaseGroup(int group) {
    for (const SelectionToolbarButton& entry : kSelectionToolbarButtons)
        if (entry.group == group)
            setDown(entry.component, false);
}

} // namespace korvix::ui

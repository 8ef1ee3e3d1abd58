#include "app/ui/screen_text_commands.h"

#include "app/screen_text.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>

namespace korvix::ui {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The entry field's font as the texts are drawn: the family and the height in pixels that
// the font really has on the screen.
FontSpec fontSpecOf(const QFont& font) {
    FontSpec shown;
    shown.family = font.family().toStdString();
    shown.pixelHeight = QFontInfo(font).pixelSize();
    shown.bold = font.bold();
    shown.italic = font.italic();
    shown.color = kWhite;
    return shown;
}

void redrawWithTexts(Tf& window) {
    window.eraseWindow();
    window.fullRedraw();
}

// Edit1KeyPress: Esc finishes the text; every other key belongs to the field.
class TextEntryKeys : public QObject {
public:
    TextEntryKeys(Tf& window) : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return QObject::eventFilter(watched, event);
        QLineEdit& entry = m_window.textEntry();
        finishScreenText(m_window.workspace().screenTexts, entry.text().toStdString(),
                         fontSpecOf(entry.font()));
        m_window.hideTextEntry();
        m_window.setChecked("AddText1", false);
        // The instruction to press Esc is done with.
        m_window.setStatusText("");
        m_window.drawingArea().setFocus();
        redrawWithTexts(m_window);
        return true;
    }

private:
    Tf& m_window;
};

} // namespace

void AddTextClick1(Tf& window) {
    const bool checked = !window.isChecked("AddText1");
    if (!checked) {
        // Text mode ends; the entry begun stays empty and draws nothing.
        window.setChecked("AddText1", false);
        window.hideTextEntry();
        return;
    }
    if (!beginScreenText(window.workspace().screenTexts)) {
        window.reporter().error(kTooManyTextsMessage);
        return;
    }
    window.setChecked("AddText1", true);
    window.setStatusText(toQString(kAddTextStatus));
}

bool textModeKeyPress(Tf& window, const QKeyEvent& event) {
    if (!window.isChecked("AddText1"))
        return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = event.text();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    QLineEdit& entry = window.textEntry();
    Workspace& ws = window.workspace();
    const auto placement = placeScreenText(ws.screenTexts, window.pointer.lastMouse, ws.view.width,
                                           window.currentFileName().toStdString());
    if (!placement)
        return false;
    window.setStatusText(toQString(kTextEntryStatus));
    // A field as narrow as a few pixels could not be typed into.
    constexpr int kMinimumWidth = 40;
    entry.setGeometry(placement->at.x, placement->at.y, std::max(kMinimumWidth, placement->width),
                      entry.sizeHint().height());
    // A second key press while the field is open moves it and keeps what was typed.
    if (!entry.isVisible())
        entry.setText(toQString(placement->initialText));
    entry.show();
    entry.raise();
    entry.setFocus();
    return true;
}

void installTextEntry(Tf& window) {
    window.textEntry().installEventFilter(new TextEntryKeys(window));
}

void Clear1Click(Tf& window) {
    window.setChecked("AddText1", false);
    ScreenTexts& texts = window.workspace().screenTexts;
    if (texts.entries.empty())
        return;
    texts.entries.clear();
    window.hideTextEntry();
    redrawWithTexts(window);
}

FontDialog1& FontDialog1::of(Tf& window) {
    return window.dialog<FontDialog1>([&window] { return new FontDialog1(&window); });
}

FontDialog1::FontDialog1(QWidget* parent) : QFontDialog(parent) {
    setObjectName("FontDialog1");
}

void Font1Click(Tf& window) {
    FontDialog1& dialog = FontDialog1::of(window);
    dialog.setCurrentFont(window.textEntry().font());
    if (dialog.exec() == QDialog::Accepted)
        window.textEntry().setFont(dialog.selectedFont());
}

} // namespace korvix::ui

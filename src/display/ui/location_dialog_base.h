#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace korvix::ui {

// What the two location dialogs share: a stay-on-top window of read-only fields whose
// buttons set a state byte that the stepping loop waits on (see identify_stepping.h).
// Closing the window, Esc or hiding it while the loop waits all mean Cancel.
class LocationDialogBase : public QDialog {
public:
    explicit LocationDialogBase(QWidget* parent = nullptr);

    int state() const { return m_state; }
    void setState(int state) { m_state = state; }

    // The read-only field with this object name, or null.
    QLineEdit* field(const QString& objectName) const;
    QString fieldText(const QString& objectName) const;

protected:
    // A read-only field; `highlighted` fields have a blue background.
    QLineEdit* addField(const char* objectName, bool highlighted = false);
    // A button that sets the state byte.
    QPushButton* addStateButton(const char* caption, const char* objectName, int state);
    void setFieldText(const char* objectName, const std::string& text);

    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void reject() override;

private:
    int m_state = 0;
};

} // namespace korvix::ui

#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <optional>

class QComboBox;
class QLineEdit;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

class Tf;

class NumericFieldGuard;

// "CNC Control Type": the machine control an NC program is written for ("Default" or a
// machine format file of the machines folder), its program number and an optional first
// line. Created once; the fields keep their values between Save NC and Convert runs.
class CNCControlTypeDialog : public QDialog {
public:
    // `reporter` shows the field-check errors; `machinesFolder` is where the drop-down looks
    // for *.DNC files.
    // The window's one instance, created at the first call.
    static CNCControlTypeDialog& of(Tf& window);
    CNCControlTypeDialog(Reporter& reporter, std::filesystem::path machinesFolder,
                         QWidget* parent = nullptr);

    const std::filesystem::path& machinesFolder() const { return m_machinesFolder; }

    // The chosen control as the drop-down shows it: "Default" or a file name.
    QString machineName() const;
    // Shows `name` as the choice even when it is not (or no longer) a file of the folder:
    // the writer then says the file is missing. An empty name shows "Default" on the next
    // activation.
    void setMachineName(const QString& name);

    QString programNumberText() const;
    void setProgramNumberText(const QString& text);
    // The program number, or nothing when the text is not a number.
    std::optional<double> programNumber() const;

    // The first line of the program, on one line.
    QString startingText() const;
    void setStartingText(const QString& text);

    // Fills the drop-down with "Default" and the machine format files, keeping the choice
    // when it is still among them.
    void refillMachineChoices();

    // The check made when the program number field loses the focus: every character that is
    // not a digit, sign or point is reported in turn, the text stays as typed and the focus
    // goes back to the field. True when the text was clean.
    bool ProgramNumberEditExit();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();

    Reporter& m_reporter;
    std::filesystem::path m_machinesFolder;
    QComboBox* m_machineChoice = nullptr;
    QLineEdit* m_programNumber = nullptr;
    QLineEdit* m_startingText = nullptr;
    NumericFieldGuard* m_guard = nullptr;
};

} // namespace korvix::ui

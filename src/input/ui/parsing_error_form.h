#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace korvix::ui {

class Tf;

// "Parsing error log": the words of the last NC read that could not be taken.
class ParsingErrorForm : public QDialog {
public:
    // The window's one instance, created at the first call.
    static ParsingErrorForm& of(Tf& window);
    explicit ParsingErrorForm(QWidget* parent = nullptr);

    void setLines(const std::vector<std::string>& lines);
    QListWidget& listBox() { return *m_list; }

private:
    QListWidget* m_list = nullptr;
};

} // namespace korvix::ui

#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace korvix::ui {

// "Parsing error log": the words of the last NC read that could not be taken.
class ParsingErrorForm : public QDialog {
public:
    explicit ParsingErrorForm(QWidget* parent = nullptr);

    void setLines(const std::vector<std::string>& lines);
    QListWidget& listBox() { return *m_list; }

private:
    QListWidget* m_list = nullptr;
};

} // namespace korvix::ui

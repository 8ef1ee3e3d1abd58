#pragma once

#include "display/recolor.h"

#include <QDialog>

class QColorDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvix::ui {

class Tf;

// Steps through the colour table (feed rates or tool numbers) and lets the user give each
// entry a new colour; OK applies the table to the toolpath.
class ModifyFeedColorsDialog : public QDialog {
public:
    // The window's one instance, created at the first call.
    static ModifyFeedColorsDialog& of(Tf& window);
    explicit ModifyFeedColorsDialog(QWidget* parent = nullptr);

    // The table the dialog edits and the texts of the key it shows.
    void setTable(ColorTable* table);
    void setTexts(const QString& caption, const QString& label);

    int currentIndex() const;
    QString keyText() const;
    QColor swatchColor() const;
    QColorDialog& colorDialog() { return *m_colorDialog; }

    // Where the current entry's colour is shown.
    static constexpr QRect kSwatch{QPoint(160, 16), QPoint(219, 35)};

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    void step(int delta);
    void changeColor();

    ColorTable* m_table = nullptr;
    QLabel* m_label = nullptr;
    QLineEdit* m_keyEdit = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QColorDialog* m_colorDialog = nullptr;
};

} // namespace korvix::ui

#pragma once

#include "editing/modify_portion.h"
#include "editing/modify_portion_fields.h"
#include "model/feed_rate_table.h"

#include <QDialog>

class QColorDialog;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

class FeedRatePage;
class NumericFieldGuard;
class Tf;

// "Modify Selected Geometry": one page per change of the selected moves. "&Preview", "&Ok"
// and "&Cancel" close it with their modal results (closing the window counts as Cancel).
// The texts stay from one use to the next (the command refills the start point fields); the
// command reads them when it runs. The feed rate table of the selected moves lives here.
class ModifyPortionDialog : public QDialog {
public:
    // The window's one instance, created at the first call.
    static ModifyPortionDialog& of(Tf& window);
    ModifyPortionDialog(Reporter& reporter, QWidget* parent = nullptr);

    ModifyPortionPage activePage() const;
    void setActivePage(ModifyPortionPage page);
    ModifyPortionFields fields() const;
    void setFields(const ModifyPortionFields& fields);
    void setStartPoint(const StartPointTexts& texts);

    FeedRateTable& feedRateTable() { return m_table; }
    QString statusText() const;
    bool previewEnabled() const;
    QColorDialog& colorDialog() { return *m_colorDialog; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* deletePage();
    QWidget* relocatePage();
    QWidget* startPointPage();
    QWidget* optionalStopPage();
    QLineEdit* numericEdit(const char* name, std::string_view text);

    void PageControlChange();
    void closeWith(int modalResult);

    FeedRateTable m_table;
    NumericFieldGuard* m_guard = nullptr;
    QColorDialog* m_colorDialog = nullptr;
    QTabWidget* m_pages = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QPushButton* m_preview = nullptr;
    FeedRatePage* m_feedPage = nullptr;
    QLineEdit* m_relocateX = nullptr;
    QLineEdit* m_relocateY = nullptr;
    QLineEdit* m_relocateZ = nullptr;
    QLineEdit* m_startX = nullptr;
    QLineEdit* m_startY = nullptr;
    QLineEdit* m_startZ = nullptr;
    QRadioButton* m_disableStops = nullptr;
    QRadioButton* m_enableStops = nullptr;
};

} // namespace korvix::ui

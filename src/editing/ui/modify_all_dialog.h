#pragma once

#include "editing/modify_all.h"
#include "editing/modify_all_fields.h"
#include "model/feed_rate_table.h"

#include <QDialog>

class QCheckBox;
class QColorDialog;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

class FeedRatePage;
class NumericFieldGuard;
class Tf;

// "Modify All Geometry": one page per change of the whole path. "&Preview", "&Ok" and
// "&Cancel" close it with their modal results (kPreviewModalResult, kOkModalResult,
// kCancelModalResult; closing the window counts as Cancel). The texts stay from one use to
// the next; the command reads them when it runs. The feed rate table lives here, so that
// the feed page edits the entries the command applies.
class ModifyAllDialog : public QDialog {
public:
    // The window's one instance, created at the first call.
    static ModifyAllDialog& of(Tf& window);
    ModifyAllDialog(Reporter& reporter, QWidget* parent = nullptr);

    ModifyAllPage activePage() const;
    void setActivePage(ModifyAllPage page);
    ModifyAllFields fields() const;
    void setFields(const ModifyAllFields& fields);

    FeedRateTable& feedRateTable() { return m_table; }
    // The status bar's text and whether "&Preview" can be pressed.
    QString statusText() const;
    bool previewEnabled() const;
    QColorDialog& colorDialog() { return *m_colorDialog; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* mirrorPage();
    QWidget* feedPage();
    QWidget* relocatePage();
    QWidget* rotatePage();
    QWidget* scalePage();
    QLineEdit* numericEdit(const char* name, std::string_view text);

    void FormActivate();
    void PageControlChange();
    // "&Preview" and "&Ok": on the feed page the new feed typed last is stored first.
    void closeWith(int modalResult);

    FeedRateTable m_table;
    NumericFieldGuard* m_guard = nullptr;
    QTabWidget* m_pages = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QPushButton* m_preview = nullptr;
    QColorDialog* m_colorDialog = nullptr;

    QCheckBox* m_mirrorX = nullptr;
    QCheckBox* m_mirrorY = nullptr;
    QCheckBox* m_copy = nullptr;
    FeedRatePage* m_feedPage = nullptr;
    QLineEdit* m_relocateX = nullptr;
    QLineEdit* m_relocateY = nullptr;
    QLineEdit* m_relocateZ = nullptr;
    QLineEdit* m_relocationCopies = nullptr;
    QLineEdit* m_rotationAngle = nullptr;
    QLineEdit* m_rotationX = nullptr;
    QLineEdit* m_rotationY = nullptr;
    QLineEdit* m_rotationCopies = nullptr;
    QLineEdit* m_scaleFactor = nullptr;
};

} // namespace korvix::ui

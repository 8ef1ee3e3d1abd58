#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QTreeView;

namespace korvix::ui {

class Tf;

// "Select Files for Conversion": a folder tree with the mount points as drives, the files of
// the chosen folder that match the mask, and the batch to convert.
class DirCtrlForm : public QDialog {
public:
    static DirCtrlForm& of(Tf& window);
    explicit DirCtrlForm(QWidget* parent = nullptr);

    QStringList batch() const;
    void setBatch(const QStringList& files);
    void setCurrentFolder(const QString& folder);
    QString currentFolder() const { return m_folder; }

    void AddButtonClick();

private:
    void refillFiles();

    QComboBox* m_drives = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QTreeView* m_folderTree = nullptr;
    QLabel* m_pathLabel = nullptr;
    QListWidget* m_files = nullptr;
    QLineEdit* m_fileName = nullptr;
    QListWidget* m_batch = nullptr;
    QString m_folder;
};

// The file name patterns of a mask typed in the form: "*.*" means every file, as users
// of the classic dialogs expect, and several patterns may be given with ";" or spaces.
QStringList maskPatterns(const QString& mask);

} // namespace korvix::ui

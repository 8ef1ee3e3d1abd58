#include "output/ui/dir_ctrl_form.h"

#include "ui/main_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace korvix::ui {

QStringList maskPatterns(const QString& mask) {
    QStringList patterns;
    for (const QString& part : mask.split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts))
        patterns.append(part == "*.*" ? QString("*") : part);
    return patterns.isEmpty() ? QStringList{"*"} : patterns;
}

DirCtrlForm& DirCtrlForm::of(Tf& window) {
    return window.dialog<DirCtrlForm>([&window] { return new DirCtrlForm(&window); });
}

DirCtrlForm::DirCtrlForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TDirCtrlForm");
    setWindowTitle("Select Files for Conversion");

    m_drives = new QComboBox(this);
    m_drives->setObjectName("DriveComboBox1");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            m_drives->addItem(volume.rootPath());

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath("/");
    m_folderTree = new QTreeView(this);
    m_folderTree->setObjectName("DirectoryListBox1");
    m_folderTree->setModel(m_folders);
    m_folderTree->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_folderTree->hideColumn(column);
    m_pathLabel = new QLabel(this);
    m_pathLabel->setObjectName("PathLabel");

    m_files = new QListWidget(this);
    m_files->setObjectName("FileListBox1");
    m_fileName = new QLineEdit("*.*", this);
    m_fileName->setObjectName("FileNameEdit");
    m_batch = new QListWidget(this);
    m_batch->setObjectName("ListBox1");

    auto* add = new QPushButton("&Add", this);
    add->setObjectName("AddButton");
    auto* remove = new QPushButton("&Remove", this);
    remove->setObjectName("RemoveButton");
    auto* clear = new QPushButton("&Clear", this);
    clear->setObjectName("ClearButton");
    auto* start = new QPushButton("&Start", this);
    start->setObjectName("SendButton");
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    cancel->setDefault(true);
    start->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("File name", this), 0, 0);
    grid->addWidget(m_fileName, 1, 0);
    grid->addWidget(m_files, 2, 0, 3, 1);
    grid->addWidget(new QLabel("Directories:", this), 0, 1);
    grid->addWidget(m_pathLabel, 1, 1);
    grid->addWidget(m_folderTree, 2, 1);
    grid->addWidget(new QLabel("Drives:", this), 3, 1);
    grid->addWidget(m_drives, 4, 1);
    grid->addWidget(new QLabel("Convert files", this), 0, 2);
    grid->addWidget(m_batch, 1, 2, 4, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {add, remove, clear, start, cancel})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(820, 420);

    connect(m_drives, &QComboBox::textActivated, this,
            [this](const QString& root) { setCurrentFolder(root); });
    connect(m_folderTree, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { setCurrentFolder(m_folders->filePath(index)); });
    connect(m_fileName, &QLineEdit::textEdited, this, [this] {
        // A typed folder or mask updates the list; a typed file name waits for Add.
        const QFileInfo typed(QDir(m_folder).absoluteFilePath(m_fileName->text()));
        if (typed.isDir())
            setCurrentFolder(typed.absoluteFilePath());
        else
            refillFiles();
    });
    connect(m_files, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty())
            m_fileName->setText(name);
    });
    connect(m_files, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_fileName->setText(item->text());
        AddButtonClick();
    });
    connect(add, &QPushButton::clicked, this, [this] { AddButtonClick(); });
    connect(remove, &QPushButton::clicked, this, [this] { delete m_batch->currentItem(); });
    connect(clear, &QPushButton::clicked, m_batch, &QListWidget::clear);
    connect(start, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setCurrentFolder(QDir::currentPath());
}

void DirCtrlForm::setCurrentFolder(const QString& folder) {
    m_folder = QDir(folder).absolutePath();
    m_pathLabel->setText(m_folder);
    const QModelIndex index = m_folders->index(m_folder);
    m_folderTree->setCurrentIndex(index);
    m_folderTree->scrollTo(index);
    refillFiles();
}

void DirCtrlForm::refillFiles() {
    m_files->clear();
    const QFileInfo typed(QDir(m_folder).absoluteFilePath(m_fileName->text()));
    // A file name rather than a mask lists the files of the folder all the same.
    const QStringList patterns =
        typed.isFile() ? QStringList{"*"} : maskPatterns(m_fileName->text());
    m_files->addItems(QDir(m_folder).entryList(patterns, QDir::Files, QDir::Name));
}

void DirCtrlForm::AddButtonClick() {
    const QFileInfo file(QDir(m_folder).absoluteFilePath(m_fileName->text()));
    if (file.isFile())
        m_batch->addItem(file.absoluteFilePath());
}

QStringList DirCtrlForm::batch() const {
    QStringList files;
    for (int i = 0; i < m_batch->count(); ++i)
        files.append(m_batch->item(i)->text());
    return files;
}

void DirCtrlForm::setBatch(const QStringList& files) {
    m_batch->clear();
    m_batch->addItems(files);
}

} // namespace korvix::ui

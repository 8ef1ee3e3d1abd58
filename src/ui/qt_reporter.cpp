#include "ui/qt_reporter.h"

#include "ui/main_window.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace korvix::ui {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A box owned by the main window opens underneath a modal or stay-on-top dialog, and the
// program looks frozen while it waits for the unseen box; such a dialog owns it instead.
QWidget* boxOwner(Tf& window) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != &window && widget->isVisible() && qobject_cast<QDialog*>(widget) != nullptr &&
            widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return widget;
    return &window;
}

void showBox(Tf& window, QMessageBox::Icon icon, std::string_view text) {
    QMessageBox box(icon, "Korvix", toQString(text), QMessageBox::Ok, boxOwner(window));
    box.exec();
}

} // namespace

void QtReporter::status(std::string_view text) {
    m_window.setStatusText(toQString(text));
}

void QtReporter::information(std::string_view text) {
    showBox(m_window, QMessageBox::Information, text);
}

void QtReporter::warning(std::string_view text) {
    showBox(m_window, QMessageBox::Warning, text);
}

void QtReporter::error(std::string_view text) {
    showBox(m_window, QMessageBox::Critical, text);
}

bool QtReporter::confirm(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, "Korvix", toQString(text),
                    QMessageBox::Yes | QMessageBox::No, boxOwner(m_window));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace korvix::ui

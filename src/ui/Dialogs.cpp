#include "ui/Dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace kivo {

QString Dialogs::saveFileName(QWidget*, const QString&, const QString&) { return {}; }

bool Dialogs::openDocument(const QString&) { return false; }

QString Dialogs::openFileName(QWidget*, const QString&, const QString&) { return {}; }

bool Dialogs::choosePrinter(QWidget*, QPrinter&) { return false; }

bool QtDialogs::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& folder, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

bool QtDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

MsgAnswer QtDialogs::MsgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                            const QString& caption)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgAnswer::OK;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: break; // closed by the window's close button
    }
    if (buttons == MsgButtons::OK) return MsgAnswer::OK;
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}

} // namespace kivo

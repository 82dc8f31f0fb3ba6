#pragma once
// Message boxes as the driver sees them: every box is recorded, and the
// answer comes from the script's queue (or the box's default button).

#include "ui/Dialogs.h"

#include <QList>
#include <deque>

namespace kivo {

struct ShownMessage {
    QString caption;
    QString text;
    QStringList buttons;
};

class DriverDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                     const QString& caption) override;

    QString saveFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool openDocument(const QString& path) override;

    void queueAnswer(MsgAnswer answer) { answers.push_back(answer); }
    // The next file dialog returns `path`; the next printer dialog prints
    // to the PDF file `pdf`.
    void queueFile(const QString& path) { files.push_back(path); }
    void queuePdf(const QString& pdf) { pdfs.push_back(pdf); }
    // The boxes shown since the last call.
    QList<ShownMessage> takeMessages();
    // The documents handed to the desktop since the last call.
    QStringList takeOpened();
    // From now on no program takes a document (or every one is taken).
    void setOpensFail(bool fail) { opensFail = fail; }

private:
    std::deque<MsgAnswer> answers;
    std::deque<QString> files;
    std::deque<QString> pdfs;
    QList<ShownMessage> shown;
    QStringList opened;
    bool opensFail = false;
};

} // namespace kivo

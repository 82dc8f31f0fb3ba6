#pragma once
// Message boxes, file and printer dialogs and the hand-over of documents to
// the desktop go through this interface, so the end-to-end driver can
// answer them the way an operator and the system would.

#include "shared/MessageKinds.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace kivo {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                             const QString& caption) = 0;
    // The file chosen to save to or to open; "" when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& filter);
    virtual QString openFileName(QWidget* parent, const QString& folder, const QString& filter);
    // Lets the operator choose and set up a printer; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer);
    // Hands a written document to the program the system associates with
    // it; false when none takes it.
    virtual bool openDocument(const QString& path);
};

// Real dialogs on screen.
class QtDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                     const QString& caption) override;
    QString saveFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool openDocument(const QString& path) override;
};

} // namespace kivo

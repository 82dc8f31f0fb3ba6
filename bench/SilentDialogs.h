#pragma once
// Dialogs that answer as a hurried operator does: every box with its
// default, every file as bench.mes in the folder offered.

#include "ui/Dialogs.h"

#include <QDir>

namespace kivo::bench {

class SilentDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(QWidget*, const QString&, MsgButtons buttons, MsgIcon, const QString&) override
    {
        return defaultAnswer(buttons);
    }
    QString saveFileName(QWidget*, const QString& folder, const QString&) override
    {
        return QDir(folder).filePath(QStringLiteral("bench.mes"));
    }
};

} // namespace kivo::bench

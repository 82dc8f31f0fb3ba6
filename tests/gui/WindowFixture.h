#pragma once
// A main window on a fake serial link, with its own program and settings
// folders and message boxes that are recorded instead of shown.

#include "app/frmTransfer.h"
#include "platform/FakeSerialLink.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace kivo {

class RecordingDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon, const QString&) override
    {
        texts << text;
        return defaultAnswer(buttons);
    }
    QStringList texts;
};

class WindowFixture : public ::testing::Test {
protected:
    // Starts the program for `model` (the first line of Konfi.ini).
    void start(const QString& model);
    // The fake gauge answers the identification command with `reply`
    // (EOT is added).
    void answerIdentification(const QByteArray& reply);
    void connectTo(const QString& port);
    QString settingsFile(const QString& name) const;
    QString logText() const;

    QTemporaryDir folder;
    RecordingDialogs dialogs;
    FakeSerialLink* link = nullptr; // owned by the window
    std::unique_ptr<frmTransfer> window;
};

} // namespace kivo

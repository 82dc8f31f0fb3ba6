#include "WindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTimer>

namespace kivo {

void WindowFixture::start(const QString& model)
{
    ASSERT_TRUE(folder.isValid());
    const QDir dir(folder.path());
    dir.mkpath(QStringLiteral("program"));
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    QFile konfi(dir.filePath(QStringLiteral("program/Konfi.ini")));
    ASSERT_TRUE(konfi.open(QIODevice::WriteOnly));
    konfi.write(model.toLatin1() + "\r\n");
    konfi.close();

    Platform platform;
    platform.dialogs = &dialogs;
    platform.singleInstance = false;
    platform.makeSerialLink = [this] {
        auto fake = std::make_unique<FakeSerialLink>();
        link = fake.get();
        return fake;
    };
    window = std::make_unique<frmTransfer>(platform, dir.filePath(QStringLiteral("program")));
    ASSERT_TRUE(window->Form_Load());
}

void WindowFixture::answerIdentification(const QByteArray& reply)
{
    link->onWrite = [this, reply](const QByteArray& bytes) {
        // The gauge answers a moment later, as over a real wire; its
        // memories are empty.
        const QByteArray answer = bytes == "$kivo00$\r\n" ? reply + '\x04' : QByteArray("header\r\n\x02\r\n\x04");
        QTimer::singleShot(5, link, [this, answer] { link->receive(answer); });
    };
}

void WindowFixture::connectTo(const QString& port)
{
    window->ComboPort->setEditText(port);
    window->cmdConnect_Click();
}

QString WindowFixture::settingsFile(const QString& name) const
{
    QFile file(window->identity.AppDataPath + u'/' + name);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
    return QString::fromLatin1(file.readAll());
}

QString WindowFixture::logText() const { return settingsFile(QStringLiteral("Brenvor_TransferLog.txt")); }

} // namespace kivo

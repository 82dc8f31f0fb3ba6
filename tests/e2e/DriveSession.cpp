#include "DriveSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcessEnvironment>
#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

namespace kivo::e2e {

namespace {

QList<QStringList> gridTable(const QJsonObject& json, QStringView key)
{
    QList<QStringList> rows;
    const QJsonArray array = json.value(u"grid").toObject().value(key).toArray();
    for (const QJsonValue& row : array) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray()) cells << cell.toString();
        rows << cells;
    }
    return rows;
}

} // namespace

QList<QStringList> Dump::gridRows() const { return gridTable(object, u"rows"); }

QList<QStringList> Dump::gridColours() const { return gridTable(object, u"colours"); }

QStringList Dump::list(const QString& name) const
{
    QStringList items;
    for (const QJsonValue& item : object.value(u"lists").toObject().value(name).toArray()) items << item.toString();
    return items;
}

QString installFolder() { return QStringLiteral(KIVO_INSTALL_DIR); }

DriveSession::DriveSession(std::optional<QByteArray> konfi)
{
    if (!root.isValid()) throw std::runtime_error("no temporary folder");
    QDir().mkpath(programFolder());
    QDir().mkpath(configHome());
    QDir().mkpath(dataHome());
    QDir().mkpath(root.filePath(QStringLiteral("runtime")));
    const QDir pictures(installFolder() + QStringLiteral("/pictures"));
    for (const QString& name : pictures.entryList(QDir::Files))
        QFile::copy(pictures.filePath(name), QDir(programFolder()).filePath(name));
    if (konfi) writeFile(QDir(programFolder()).filePath(QStringLiteral("Konfi.ini")), *konfi);
}

QString DriveSession::appDataPath(const QString& brand, const QString& pgmname) const
{
    return configHome() + u'/' + brand + u'/' + pgmname;
}

QString DriveSession::messDataPath(const QString& brand, const QString& pgmname) const
{
    return dataHome() + u'/' + brand + u'/' + pgmname;
}

void DriveSession::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray DriveSession::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList DriveSession::lines(const QByteArray& crlfText)
{
    QStringList result = QString::fromLatin1(crlfText).split(QStringLiteral("\r\n"));
    if (!result.isEmpty() && result.last().isEmpty()) result.removeLast();
    return result;
}

std::unique_ptr<QProcess> DriveSession::start(const QString& script) const
{
    auto driver = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    // Off screen, on a screen of the session's size (a desktop's by default).
    const QString screenFile = root.filePath(QStringLiteral("screen.json"));
    writeFile(screenFile, QStringLiteral("{\"windowFrameMargins\": true, \"screens\": [{\"name\": \"Screen\", \"x\": 0, "
                                         "\"y\": 0, \"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                                         "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                              .arg(screen.width())
                              .arg(screen.height())
                              .toUtf8());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screenFile);
    if (screenScale != 1.0) env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(screenScale));
    for (const auto& [name, value] : extraEnv) env.insert(name, value);
    driver->setProcessEnvironment(env);
    if (fileSizeLimit) {
        const rlim_t limit = rlim_t(*fileSizeLimit);
        // In the child before it runs the driver: an ignored SIGXFSZ stays
        // ignored, so a write past the limit fails with EFBIG.
        driver->setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit bounds{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &bounds);
        });
    }
    driver->start(QStringLiteral(KIVO_DRIVE), {QStringLiteral("-")});
    if (!driver->waitForStarted(10000)) throw std::runtime_error("kivo-drive did not start");
    driver->write((QStringLiteral("program-folder ") + programFolder() + u'\n' + script).toUtf8());
    // Nothing runs an event loop here: hand the script over before returning.
    while (driver->bytesToWrite() > 0 && driver->waitForBytesWritten(10000)) {}
    driver->closeWriteChannel();
    return driver;
}

DriveResult DriveSession::finish(QProcess& driver, const std::function<void(int)>& onDump, int timeoutMs)
{
    DriveResult result;
    const QDeadlineTimer deadline(timeoutMs);
    // A dump line is a JSON object; a `clipboard` line is a JSON string.
    qsizetype scanned = 0;
    int announced = 0;
    auto announceDumps = [&] {
        for (qsizetype end = result.output.indexOf('\n', scanned); end >= 0;
             end = result.output.indexOf('\n', scanned)) {
            const bool isDump = end > scanned && result.output.at(scanned) == '{';
            scanned = end + 1;
            if (isDump && onDump) onDump(announced++);
        }
    };
    while (driver.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        driver.waitForReadyRead(50);
        result.output += driver.readAllStandardOutput();
        announceDumps();
    }
    if (driver.state() != QProcess::NotRunning) {
        // A hanging program must not hang the suite.
        driver.kill();
        driver.waitForFinished(5000);
    } else {
        result.endedInTime = driver.exitStatus() == QProcess::NormalExit;
        result.exitCode = driver.exitCode();
    }
    result.output += driver.readAllStandardOutput();
    announceDumps();
    result.errors = QString::fromUtf8(driver.readAllStandardError());
    for (const QByteArray& line : result.output.split('\n')) {
        if (line.trimmed().isEmpty()) continue;
        if (line.startsWith('"')) {
            const QJsonDocument wrapped = QJsonDocument::fromJson('[' + line + ']');
            if (wrapped.isArray()) result.clipboards << wrapped.array().at(0).toString();
            continue;
        }
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        if (doc.isObject()) result.dumps << Dump(doc.object());
    }
    return result;
}

DriveResult DriveSession::run(const QString& script, const std::function<void(int)>& onDump, int timeoutMs) const
{
    const std::unique_ptr<QProcess> driver = start(script);
    return finish(*driver, onDump, timeoutMs);
}

} // namespace kivo::e2e

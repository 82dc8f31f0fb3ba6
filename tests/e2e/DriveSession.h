#pragma once
// One installation of the program in a throw-away folder, played by
// kivo-drive: a program folder with the pictures and a Konfi.ini, its own
// settings and data folders, and a script of operator actions. What the
// operator would have seen comes back as the parsed dumps.

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) { *os << '"' << bytes.toStdString() << '"'; }

namespace kivo::e2e {

// One `dump` line of the driver.
class Dump {
public:
    explicit Dump(QJsonObject dumped) : object(std::move(dumped)) {}

    QString title() const { return object.value(u"title").toString(); }
    const QJsonObject& json() const { return object; }
    bool has(const QString& control) const { return controls().contains(control); }
    QJsonObject control(const QString& name) const { return controls().value(name).toObject(); }
    QString text(const QString& name) const { return control(name).value(u"text").toString(); }
    bool visible(const QString& name) const { return control(name).value(u"visible").toBool(); }
    bool enabled(const QString& name) const { return control(name).value(u"enabled").toBool(); }
    bool checked(const QString& name) const { return control(name).value(u"checked").toBool(); }
    QString tooltip(const QString& name) const { return control(name).value(u"tooltip").toString(); }
    QString shortcut(const QString& name) const { return control(name).value(u"shortcut").toString(); }
    QList<QStringList> gridRows() const;
    // Background colours of the grid cells, "#rrggbb", row by row.
    QList<QStringList> gridColours() const;
    // The grid's last row stands whole in its visible part.
    bool lastRowShown() const { return object.value(u"grid").toObject().value(u"lastRowShown").toBool(); }
    QStringList list(const QString& name) const;
    QJsonArray messages() const { return object.value(u"messages").toArray(); }
    // The documents handed to the desktop since the last dump.
    QStringList opened() const { return object.value(u"opened").toVariant().toStringList(); }
    // The program's other windows on show (frmInfo, frmWerte, ...).
    QStringList windows() const { return object.value(u"windows").toVariant().toStringList(); }
    // The control with the input focus ("FORM.NAME" in the other windows).
    QString focus() const { return object.value(u"focus").toString(); }
    // A chart on show ("MSChart1", "frmChartG.MSChartG"); empty when none.
    QJsonObject chart(const QString& name) const { return object.value(u"charts").toObject().value(name).toObject(); }

private:
    QJsonObject controls() const { return object.value(u"controls").toObject(); }
    QJsonObject object;
};

struct DriveResult {
    bool endedInTime = false; // false: the driver was killed at the time limit
    int exitCode = -1;
    QByteArray output;        // standard output, whole
    QString errors;           // standard error, whole
    QList<Dump> dumps;
    QStringList clipboards;   // the texts `clipboard` printed, in order
};

class DriveSession {
public:
    // `konfi` is written byte for byte as the program folder's Konfi.ini;
    // without it the folder has no Konfi.ini at all.
    explicit DriveSession(std::optional<QByteArray> konfi);

    QString programFolder() const { return root.filePath(QStringLiteral("program")); }
    QString configHome() const { return root.filePath(QStringLiteral("config")); }
    QString dataHome() const { return root.filePath(QStringLiteral("data")); }

    // The folders of settings and log, and of Projekt.ini and measurement
    // files, for a brand folder and program name.
    QString appDataPath(const QString& brand, const QString& pgmname) const;
    QString messDataPath(const QString& brand, const QString& pgmname) const;

    // Writes a file, creating its folder first.
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);
    static QStringList lines(const QByteArray& crlfText); // split at CR LF, last empty piece dropped

    // Plays `script` (the program folder line is put in front) and waits at
    // most `timeoutMs`. `onDump` runs as each dump line arrives, with its
    // index among the dumps, while the driver goes on with the script.
    DriveResult run(const QString& script, const std::function<void(int)>& onDump = {},
                    int timeoutMs = 20000) const;

    // An environment variable for the program (KIVO_EXTRA_PORTS, ...).
    void setEnv(const QString& name, const QString& value) { extraEnv.append({name, value}); }
    QString path(const QString& name) const { return root.filePath(name); }
    // Files the program writes may grow to at most `bytes`; a write past
    // that fails ("File too large") instead of ending the program.
    void limitFileSize(qint64 bytes) { fileSizeLimit = bytes; }
    // The screen the program runs on: its size without the task bar, in
    // pixels, and the scaling of the desktop (1.25 for 125 %).
    void setScreen(QSize available, double scale = 1.0)
    {
        screen = available;
        screenScale = scale;
    }

    // The same in two halves, for sessions that overlap.
    std::unique_ptr<QProcess> start(const QString& script) const;
    static DriveResult finish(QProcess& driver, const std::function<void(int)>& onDump = {}, int timeoutMs = 20000);

private:
    QSize screen{1920, 1040};
    double screenScale = 1.0;
    QTemporaryDir root;
    QList<std::pair<QString, QString>> extraEnv;
    std::optional<qint64> fileSizeLimit;
};

// Control names written plainly: names({"cmdOpen", "cmdSave"}).
inline QStringList names(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* name : list) result << QString::fromLatin1(name);
    return result;
}

// The pictures of the installation, as copied into every program folder.
QString installFolder();

} // namespace kivo::e2e

#pragma once
// A connected gauge for the download tests: record lines as the gauges
// print them, the gauge's files in the test's folder, and the grid as shown
// with the clock times checked against the time of the run.

#include "DriveSession.h"
#include "GaugeSim.h"
#include "RawGauge.h"

#include <QDateTime>
#include <initializer_list>
#include <memory>

namespace kivo::e2e {

using Grid = QList<QStringList>;

inline const QString kIdentify = QStringLiteral("$kivo00$");
inline const QString kMemory1 = QStringLiteral("$kivo10$");
inline const QString kMemory2 = QStringLiteral("$kivo11$");

// A cable gauge is asked who it is three times before its memory: the
// presence test, the identification of Connect and that of the read.
inline const QStringList kCableReadsMemory1 = {kIdentify, kIdentify, kIdentify, kMemory1};
// A Bluetooth gauge has no presence test.
inline const QStringList kBluetoothReadsBoth = {kIdentify, kIdentify, kMemory1, kMemory2};

// The unit as stored, padded to 4; the unit cell of the grid: the unit, then
// the material label right-aligned in 4.
inline const QString kUm = QStringLiteral("µm  ");
inline const QString kUmNoLabel = QStringLiteral("µm      ");
inline const QString kUmFe = QStringLiteral("µm    Fe");
inline const QString kUmNfe = QStringLiteral("µm   NFe");

inline const QString kUntilIdle = QStringLiteral("wait-until-idle 15000\n");

// Simulator options written plainly.
inline QStringList simOptions(std::initializer_list<QString> options) { return QStringList(options); }

// The texts of the message boxes shown since the last dump.
QStringList messageTexts(const Dump& dump);

// Stand-ins for what depends on the moment of the run: the time a reading
// was taken over (grid column 0) and today's date (heading cell).
inline const QString kClock = QStringLiteral("<hh:nn:ss of the run>");
inline const QString kToday = QStringLiteral("<date of the run>");

// One record line, 25 columns, in the gauges' 8-bit code (Windows-1252):
// number right-aligned in 1-4, value right-aligned in 7-16, unit in 18-21,
// material right-aligned in 23-25.
QByteArray recordLine(int number, const char* value, const char* unit, const char* material = "");

// A grid row of one reading: the clock, the number right-aligned in 7, the
// value right-aligned in 11, and the unit cell as given.
QStringList readingRow(int number, const QString& value, const QString& unitCell);
QStringList germanHeading();
QStringList englishHeading();

enum class Language { German, English };

// The statistics list as the operator reads it: the table's name, a blank,
// the heading, a blank, then the count and the values (minimum, maximum,
// mean and, from two readings on, standard deviation), each label padded to
// 16, the count right-aligned in 8, a value right-aligned in 11 followed by
// a blank and the unit.
QStringList statisticsList(const QString& name, const QString& heading, int count, const QStringList& values,
                           const QString& unit, Language language = Language::German);

enum class PortType { Cable, Bluetooth };

class DownloadBench {
public:
    DownloadBench(const QByteArray& model, PortType type);

    QString link() const { return linkPath; }
    // Writes lines, each ended by CR LF, into the test's folder; returns
    // the path.
    QString gaugeFile(const QString& name, const QList<QByteArray>& lines) const;
    // A settings file (Limit.ini, ...) in the program's settings folder.
    void settingsFile(const QString& pgmname, const QString& name, const QByteArray& bytes) const;

    // Number formats of the run ("de_DE": decimal comma, "en_US": point),
    // set before the program starts.
    void setLocale(const QString& code) { locale = code; }

    GaugeSim& startSim(const QStringList& options);
    // An RK-SIVAR whose memory holds 40 readings of 10.0 µm, sent at 4800
    // baud: about 2.3 s for the dump on the wire.
    GaugeSim& startSlowRks();
    RawGauge& startRawGauge();
    QStringList gaugeCommands() const;

    // Starts the program, picks the gauge's port, presses Connect and plays
    // `afterConnect`. Fails the test if the driver hung or a command could
    // not be played.
    DriveResult connect(const QString& afterConnect, const std::function<void(int)>& onDump = {},
                        int timeoutMs = 20000);

    // The grid of a dump with the clock times and the heading date replaced
    // by kClock and kToday where they fit the run; anything else stays as
    // shown, so that a comparison reports it.
    QList<QStringList> grid(const Dump& dump) const;

    DriveSession session;

private:
    QString linkPath;
    QString locale;
    std::unique_ptr<GaugeSim> sim;
    std::unique_ptr<RawGauge> raw;
    QDateTime runStart;
    QDateTime runEnd;
};

} // namespace kivo::e2e

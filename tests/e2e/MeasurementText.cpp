#include "MeasurementText.h"

#include <QDir>

namespace kivo::e2e {

using namespace Qt::Literals::StringLiterals;

QString fileRow(const QString& time, int number, const QString& value, const QString& unit, const QString& material)
{
    return time + QString(6, u' ') + QString::number(number).rightJustified(5) + u' ' + value.rightJustified(11) + u' '
           + unit.leftJustified(4) + u' ' + material;
}

QString withPoint(QString value, QChar point) { return value.replace(u'.', point); }

QString measurementFile(const QString& name, const QString& statisticsHeading, const QStringList& statisticsList,
                        const QString& date, const QStringList& rows, Language language, const QStringList& limitLines)
{
    const bool german = language == Language::German;
    QStringList lines{name, QString(), statisticsHeading, QString()};
    if (statisticsList.size() >= 4) lines << statisticsList.mid(4) << QString();
    lines << limitLines << QString() << date + QString(7, u' ') + (german ? u"Nr."_s : u"No."_s) + QString(6, u' ')
                              + (german ? u"Messwert"_s : u"Value"_s)
          << QString() << rows << QString();
    return lines.join(u"\r\n"_s) + u"\r\n"_s;
}

QByteArray toCp1252(const QString& text) { return text.toLatin1(); }

QString fromCp1252(const QByteArray& bytes) { return QString::fromLatin1(bytes); }

bool onlyCrLfLineEnds(const QByteArray& bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    }
    return true;
}

QStringList logLines(const DriveSession& session, const QString& pgmname)
{
    return DriveSession::lines(
        DriveSession::readFile(session.appDataPath(kBrand, pgmname) + QStringLiteral("/Brenvor_TransferLog.txt")));
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace kivo::e2e

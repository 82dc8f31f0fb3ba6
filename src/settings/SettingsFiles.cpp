#include "settings/SettingsFiles.h"

#include "shared/LocaleNumber.h"

#include "platform/SerialPorts.h"
#include "shared/Cp1252.h"
#include "shared/FieldExcerpt.h"
#include "texts/Phrases.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

namespace kivo {

namespace {

struct ActionInfo {
    const char* aktion;
    const char* fileName;
    const char* german;
    const char* english;
};

// The English texts keep their historical double blanks: logs and support
// scripts search for them as they are.
const ActionInfo kActions[] = {
    {"KL", "Konfi.ini", "Probleme beim Lesen Datei Konfi.ini: ", "problems reading file Konfi.ini: "},
    {"CL", "Port.ini", "Probleme beim Lesen Datei Port.ini: ", "problems reading file Port.ini: "},
    {"CS", "Port.ini", "Probleme beim Schreiben Datei Port.ini: ", "problems writing file Port.ini: "},
    {"LL", "Limit.ini", "Probleme beim Lesen Datei Limit.ini: ", "problems reading file  Limit.ini: "},
    {"LS", "Limit.ini", "Probleme beim Schreiben Datei Limit.ini: ", "problems writing file  Limit.ini: "},
    {"SL", "Language.ini", "Probleme beim Lesen Datei & Language.ini: ", "problems reading file Language.ini:"},
    {"SS", "Language.ini", "Probleme beim Schreiben Datei Language.ini: ", "problems writing file Language.ini: "},
    {"PI", "Projekt.ini", "Probleme beim Lesen Datei Projekt.ini: ", "problems reading file  Datei Projekt.ini: "},
    {"PL", "Projektdaten.ini", "Probleme beim Lesen Datei Projektdaten.ini: ",
     "problems reading file  Projektdaten.ini: "},
    {"PS", "Projektdaten.ini", "Probleme beim Schreiben Datei Projektdaten.ini: ",
     "problems writing file  Datei Projektdaten.ini: "},
};

const ActionInfo* findAction(const QString& aktion)
{
    for (const ActionInfo& a : kActions)
        if (aktion == QLatin1String(a.aktion)) return &a;
    return nullptr;
}

QString pastEnd() { return QStringLiteral("Input past end of file"); }

QString missingSeparator(int lineNo) { return QStringLiteral("line %1: \";\" missing").arg(lineNo); }

QString notANumber(int lineNo, const QString& text)
{
    return QStringLiteral("line %1: \"%2\" is not a number").arg(lineNo).arg(fieldExcerpt(text));
}

// The brand name and the program name each become one folder of the data
// paths; a separator or ".." would put the settings and the measurement
// files somewhere else on the disk.
bool isFolderName(const QString& name)
{
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QStringLiteral(".."));
}

QString leadingDigits(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n].isDigit() && text[n].unicode() < 128) ++n;
    return text.left(n);
}

} // namespace

QString settingsFileName(const QString& aktion)
{
    const ActionInfo* a = findAction(aktion);
    return a ? QString::fromLatin1(a->fileName) : QString();
}

QString settingsErrorText(const QString& aktion, int languageIndex)
{
    const ActionInfo* a = findAction(aktion);
    if (!a) return {};
    return QString::fromUtf8(languageIndex == 0 ? a->german : a->english);
}

QString tooLargeText(const QString& path, int languageIndex)
{
    return phrase(Phrase::FileTooLarge, languageIndex == 0).arg(path);
}

QString unknownModelText(const QString& geraet, const QStringList& knownCodes, int languageIndex)
{
    return phrase(Phrase::UnknownModelCode, languageIndex == 0)
        .arg(fieldExcerpt(geraet), knownCodes.join(QStringLiteral(", ")));
}

ReadFailure unwritableLines(const QStringList& lines, int languageIndex)
{
    for (int i = 0; i < lines.size(); ++i) {
        const std::optional<QString> c = firstCharacterOutsideCp1252Line(lines[i]);
        if (!c) continue;
        return phrase(Phrase::LineNotStorable, languageIndex == 0).arg(i + 1).arg(fieldExcerpt(*c));
    }
    return std::nullopt;
}

ReadFailure readKonfi(const QStringList& lines, KonfiFields& fields)
{
    if (lines.isEmpty()) return pastEnd();
    fields.geraet = lines[0].trimmed();
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line == u"#") continue;
        const QStringList parts = line.split(u';');
        if (parts.size() < 4) return missingSeparator(i + 1);
        for (const QString& name : {parts[1], parts[2]})
            if (!isFolderName(name))
                return QStringLiteral("line %1: \"%2\" is no folder name").arg(i + 1).arg(fieldExcerpt(name));
        fields.brandCode = parts[0];
        fields.brandName = parts[1];
        fields.kpgmname = parts[2];
    }
    return std::nullopt;
}

QString portDisplayName(const QString& stored)
{
    const QString t = stored.trimmed();
    if (t.isEmpty() || (!kNumberedPorts && leadingDigits(t).isEmpty())) return t;
    return QStringLiteral("COM") + t;
}

ReadFailure readPortIni(const QStringList& lines, PortIniFields& fields)
{
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            fields.askForPort = true;
            continue;
        }
        const QString digits = leadingDigits(line);
        if (!digits.isEmpty())
            fields.portnr = QString::number(digits.toLongLong());
        else
            fields.portnr = kNumberedPorts ? QStringLiteral("0") : line; // ttyUSB0, rfcomm0, /dev/pts/3
        fields.comboText = portDisplayName(line);
    }
    return std::nullopt;
}

QStringList writePortIni(const QString& portnr)
{
    const QString t = portnr.trimmed();
    const QString digits = leadingDigits(t);
    if (!digits.isEmpty()) return {QString::number(digits.toLongLong())};
    return {t};
}


QString formatLimitNumber(double value, const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e15 || (magnitude != 0 && magnitude < 1e-4)) return l.toString(value, 'g', 15);
    // The fewest decimals that give the value back: 10 stays "10", 0.1
    // stays "0.1" and not 0.10000000000000001.
    for (int decimals = 0; decimals <= 15; ++decimals) {
        const QString s = l.toString(value, 'f', decimals);
        if (QLocale::c().toDouble(QString(s).replace(l.decimalPoint(), QStringLiteral("."))) == value) return s;
    }
    return l.toString(value, 'g', 15);
}

ReadFailure readLimitIni(const QStringList& lines, LimitFields& fields, const QLocale& locale)
{
    struct Target {
        double LimitFields::*value;
        QString LimitFields::*text;
    };
    const Target targets[] = {
        {&LimitFields::Emin, &LimitFields::EminStr},
        {&LimitFields::Emax, &LimitFields::EmaxStr},
        {&LimitFields::Esoll, &LimitFields::EsollStr},
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        qsizetype from = 0;
        for (const Target& target : targets) {
            const qsizetype sep = line.indexOf(u';', from);
            if (sep < 0) return missingSeparator(i + 1);
            const QString field = line.mid(from, sep - from);
            const std::optional<double> v = parseLocaleNumber(field);
            if (!v) return notANumber(i + 1, field);
            fields.*target.value = *v;
            fields.*target.text = formatLimitNumber(*v, locale);
            from = sep + 1;
        }
    }
    return std::nullopt;
}

ReadFailure unwritableLimits(const LimitFields& fields, int languageIndex)
{
    const std::pair<const char*, double> values[] = {
        {"Emin", fields.Emin}, {"Emax", fields.Emax}, {"Esoll", fields.Esoll}};
    for (const auto& [name, value] : values) {
        if (numberInRange(value)) continue;
        return phrase(Phrase::LimitNotANumber, languageIndex == 0).arg(QLatin1String(name), QString::number(value));
    }
    return std::nullopt;
}

QStringList writeLimitIni(const LimitFields& fields, const QLocale& locale)
{
    return {formatLimitNumber(fields.Emin, locale) + u';' + formatLimitNumber(fields.Emax, locale) + u';'
            + formatLimitNumber(fields.Esoll, locale) + u';'};
}

ReadFailure readLanguageIni(const QStringList& lines, int& languageIndex)
{
    if (lines.isEmpty()) return pastEnd();
    const QString line = lines[0].trimmed();
    if (line.isEmpty()) {
        languageIndex = 0;
        return std::nullopt;
    }
    const std::optional<double> v = parseLocaleNumber(line);
    if (!v || std::abs(*v) > 32767) return notANumber(1, line);
    languageIndex = int(std::floor(*v));
    return std::nullopt;
}

QStringList writeLanguageIni(int languageIndex) { return {QString::number(languageIndex)}; }

int clampLanguage(int languageIndex) { return languageIndex > 1 ? 1 : (languageIndex < 0 ? 0 : languageIndex); }

ReadFailure readProjektIni(const QStringList& lines, int languageIndex, ProjectCaptions& captions)
{
    int used = 0;
    for (int i = 0; i < lines.size() && used < kProjectFields; ++i) {
        const QString& line = lines[i];
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype first = line.indexOf(u';');
        if (first < 0) return missingSeparator(i + 1);
        if (languageIndex == 0) {
            captions[size_t(used++)] = line.left(first);
            continue;
        }
        const qsizetype second = line.indexOf(u';', first + 1);
        if (second < 0) return missingSeparator(i + 1);
        captions[size_t(used++)] = line.mid(first + 1, second - first - 1);
    }
    return std::nullopt;
}

ReadFailure readProjektdaten(const QStringList& lines, ProjectData& data)
{
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        // The six field lines are fields whatever they hold ("DT 05.05.2024
        // Los 7" too): the program writes the date line after them.
        if (i < kProjectFields) {
            if (!line.isEmpty()) data.felder[size_t(i)] = line.left(kProjectFieldLength);
            continue;
        }
        if (!line.startsWith(QStringLiteral("DT"))) continue;
        // Only a real date makes the date-and-time line.
        const QDate date = QDate::fromString(line.mid(3, 10), QStringLiteral("dd.MM.yyyy"));
        if (!date.isValid()) continue;
        data.date = date;
        const QString timeText = line.mid(line.lastIndexOf(u';') + 1, 5);
        const QTime time = QTime::fromString(timeText, QStringLiteral("hh:mm"));
        if (!line.contains(u';') || !time.isValid())
            return QStringLiteral("line %1: \"%2\" is not a time").arg(i + 1).arg(fieldExcerpt(timeText));
        data.time = time;
    }
    return std::nullopt;
}

QStringList writeProjektdaten(const ProjectData& data)
{
    QStringList lines(data.felder.begin(), data.felder.end());
    lines.append(QStringLiteral("DT ") + data.date.toString(QStringLiteral("dd.MM.yyyy")) + u';'
                 + data.time.toString(QStringLiteral("hh:mm")));
    return lines;
}

QString konfiPath(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QString own = folder.filePath(QStringLiteral("Konfi.ini"));
    if (QFileInfo::exists(own)) return own;
    const QString unpacked = folder.filePath(QStringLiteral("../../../etc/kivo-ridivori/Konfi.ini"));
    if (QFileInfo(own).isSymLink() && QFileInfo::exists(unpacked)) return QDir::cleanPath(unpacked);
    return own;
}

} // namespace kivo

#include "session/GaugeSession.h"

#include "device/RecordLine.h"
#include "session/AppPaths.h"
#include "session/ArchivedTable.h"
#include "session/ModelTable.h"
#include "shared/Messart.h"
#include "table/NumberFormat.h"
#include "table/RecordDate.h"
#include "table/StatisticsList.h"
#include "table/TableEdits.h"

#include <QDir>

namespace kivo {

namespace {

QString dayText(const QDateTime& when) { return when.toString(QStringLiteral("dd.MM.yyyy")); }

} // namespace

GaugeSession::GaugeSession(QObject* parent) : QObject(parent), readingDay(dayText(QDateTime::currentDateTime()))
{
    programIdentity.versnr = QString::fromLatin1(kVersnr);
    // What the project dialog shows before Projekt.ini and the saved data
    // are read.
    captions.fill(QStringLiteral("Label"));
    project.date = QDate::currentDate();
    project.time = QTime(0, 0);
}

GaugeSession::~GaugeSession() = default;

void GaugeSession::attach(std::unique_ptr<SerialLink> serial, SessionView& sessionView)
{
    view = &sessionView;
    gauge = std::make_unique<DeviceLink>(std::move(serial), static_cast<DeviceView&>(*this), languageTexts);
}

bool GaugeSession::setModel(const QString& code)
{
    const std::optional<ModelProfile> profile = profileFor(code);
    programIdentity.geraet = code;
    gauge->setGeraet(code);
    if (profile) gauge->setProfile(*profile);
    return profile.has_value();
}

void GaugeSession::settleInstallation(const QString& programFolder, const KonfiFields& konfi)
{
    ProgramIdentity& id = programIdentity;
    id.programFolder = programFolder;
    id.geraet = konfi.geraet;
    id.brandCode = konfi.brandCode;
    id.brandName = konfi.brandName;
    id.kpgmname = konfi.kpgmname;
    if (const ModelRow* row = titleRowFor(id.geraet)) {
        id.pgmname = QString::fromUtf8(row->pgmname);
        id.applicationTitle = id.pgmname;
    }
    if (id.brandCode.isEmpty()) {
        id.brandName = QString::fromLatin1(kOwnBrand);
    } else if (id.brandCode == QLatin1String(kPartnerBrandCode)) {
        id.pgmname = id.kpgmname;
        id.applicationTitle = id.pgmname;
    }
    id.AppDataPath = composeDataPath(commonAppDataFolder(), id.brandName, id.pgmname);
    id.MessDataPath = composeDataPath(localAppDataFolder(), id.brandName, id.pgmname);
#ifndef Q_OS_WIN
    // No installer creates them here.
    QDir().mkpath(id.AppDataPath);
    QDir().mkpath(id.MessDataPath);
#endif
    logFile.setFolder(id.AppDataPath);
    settingsFiles.setFolders(id.programFolder, id.AppDataPath, id.MessDataPath);
}

bool GaugeSession::reportSettings(const SettingsOutcome& failure)
{
    if (!failure) return true;
    settingsError = failure->errortext;
    view->message(settingsError + failure->reason, MsgIcon::None);
    logFile.WriteLog(settingsError);
    return false;
}

bool GaugeSession::loadProjectCaptions()
{
    settingsFiles.setLanguage(languageTexts.languageIndex);
    return reportSettings(settingsFiles.readProjectCaptions(languageTexts.languageIndex, captions));
}

bool GaugeSession::loadProjectData()
{
    settingsFiles.setLanguage(languageTexts.languageIndex);
    // Read, a field the file leaves empty is empty: text typed and not
    // saved does not outlive the dialog.
    ProjectData data;
    data.date = project.date;
    data.time = project.time;
    const SettingsOutcome failure = settingsFiles.readProjectData(data);
    project = data;
    return reportSettings(failure);
}

bool GaugeSession::saveProjectData(const ProjectData& data)
{
    settingsFiles.setLanguage(languageTexts.languageIndex);
    if (!reportSettings(settingsFiles.writeProjectData(data))) return false;
    project = data;
    return true;
}

bool GaugeSession::loadLimits()
{
    settingsFiles.setLanguage(languageTexts.languageIndex);
    LimitFields limits = tableSet.limits();
    const SettingsOutcome failure = settingsFiles.readLimits(limits, QLocale());
    tableSet.setLimits(limits);
    return reportSettings(failure);
}

GaugeSession::Intake GaugeSession::takeRecordLine(const QString& zeile, int kind, const ModelProfile& profile,
                                                  const QDateTime& now)
{
    const RecordFields f = parseRecordLine(zeile, kind, profile.materialart);
    Intake intake{false, f.error};
    // A value the measurement file could not hold would be lost at the next
    // save and load: it is refused like one past any number.
    const bool fits = !f.valueValid || fitsValueColumn(f.wert, f.einheit);
    if (!fits) intake.error = QStringLiteral("6Overflow");
    if (!f.valueValid || !fits) return intake; // a reading the gauge could not have measured
    const MeasurementTables::Taken taken =
        tableSet.take(kind, Reading{f.nr, f.wert, f.einheit, f.material}, dayText(now),
                      now.toString(QStringLiteral("HH:mm:ss")));
    if (taken.full) intake.error = QStringLiteral("9Subscript out of range"); // nothing was written
    if (taken.kept) {
        if (kind == kOnline) tableSet.setSatznr(tableSet.onlineZaehler());
        // A slot on show already is filled anew: the table was emptied
        // behind the rows, which start again from its first reading.
        if (taken.slot <= shownRows.rows()) shownRows.reset(taken.slot - 1);
        shownRows.append(taken.slot);
        tableSet.UpdateStatistics(f.wert, f.einheit, signedStatistics(programIdentity.geraet));
        emit readingTaken(kind, taken.slot);
        tableSet.advance(profile.onlineart == u"E" && kind == kOnline);
        intake.kept = true;
    }
    return intake;
}

bool GaugeSession::takeLine(const QString& zeile) { return takeAndTell(zeile).kept; }

GaugeSession::Intake GaugeSession::takeAndTell(const QString& zeile)
{
    const QDateTime now = QDateTime::currentDateTime();
    readingDay = dayText(now);
    const Intake intake = takeRecordLine(zeile, shownKind, gauge->profile(), now);
    if (intake.error.isEmpty()) return intake;
    const QString text = QStringLiteral("Fill Messdaten: ") + intake.error;
    view->message(text, MsgIcon::None);
    logFile.WriteLog(text);
    return intake;
}

int GaugeSession::takeDumpLines(const QStringList& zeilen)
{
    int refused = 0;
    emit fillingTable(true);
    for (int i = 0; i < zeilen.size() && i < kMaxReadings && !zeilen[i].isEmpty(); ++i) {
        // A message box about a refused line lets the operator choose the
        // online table meanwhile: the dump is not written into it.
        if (shownKind != kFE && shownKind != kNFE) break;
        if (!takeAndTell(zeilen[i]).error.isEmpty()) ++refused;
    }
    emit fillingTable(false);
    return refused;
}

const TableOrigin& GaugeSession::origin(int kind) const
{
    static const TableOrigin none;
    return kind >= kFE && kind <= kOnline ? origins[size_t(kind)] : none;
}

void GaugeSession::setJudgement(const std::optional<Judgement>& judgement)
{
    const int kind = shownKind;
    if (kind < kFE || kind > kOnline) return;
    origins[size_t(kind)].judgement = judgement;
    emit judged(kind);
}

TableOrigin GaugeSession::gaugeOrigin(const QString& source) const
{
    TableOrigin o;
    o.source = source;
    o.gaugeCode = gauge->geraet();
    const ModelRow* row = rowForGauge(gauge->geraet());
    o.model = row ? QString::fromLatin1(row->code) : programIdentity.geraet;
    o.gaugeVersion = gauge->device().geraetesoftware;
    o.serial = gauge->device().macadr;
    return o;
}

void GaugeSession::beginTakenTable(int kind, const QString& name)
{
    if (kind >= kFE && kind <= kOnline) {
        fileNames[size_t(kind)] = name;
        origins[size_t(kind)] = {QStringLiteral("file"), {}, {}, {}, {}, name, {}, std::nullopt};
    }
    tableSet.ClearRecords(kind);
    tableSet.ResetStatistics();
}

void GaugeSession::endTakenTable(int kind)
{
    // Further online readings follow the taken ones.
    if (kind == kOnline) tableSet.setOnlineZaehler(tableSet.count(kind) + 1);
    recount();
}

void GaugeSession::takeFile(const LoadedFile& file, const QString& name)
{
    const int kind = shownKind;
    beginTakenTable(kind, name);
    if (file.datum) tableSet.setDatum(kind, tableSet.satznr(), *file.datum);
    int slot = 1;
    for (const LoadedReading& reading : file.readings) {
        Record r = tableSet.record(kind, slot);
        r.zeit = reading.zeit;
        r.nr = reading.nr;
        r.wert = reading.wert;
        r.einheit = reading.einheit;
        if (reading.material) r.material = *reading.material;
        tableSet.setRecord(kind, slot++, r);
    }
    endTakenTable(kind);
    emit fileTaken(kind, name);
}

void GaugeSession::takeInspection(const Inspection& inspection, const QString& name)
{
    const int kind = shownKind;
    if (kind < kFE || kind > kOnline) return;
    beginTakenTable(kind, name);
    const std::vector<Record> records = recordsOf(inspection, kMaxReadings);
    if (!records.empty()) tableSet.setTableDate(kind, leadingDate(records.front().datum));
    for (size_t i = 0; i < records.size(); ++i) tableSet.setRecord(kind, int(i + 1), records[i]);
    TableOrigin& o = origins[size_t(kind)];
    o = {QStringLiteral("archive"), inspection.model,  inspection.gaugeCode, inspection.gaugeVersion,
         inspection.serial,         name,              inspection.uuid,      std::nullopt};
    // A measurement file's gauge is not known, whatever installation kept it.
    if (inspection.source == u"file") o.model.clear();
    if (!inspection.judgement.isEmpty()) {
        o.judgement = judgementFromText(inspection.judgement);
        if (!o.judgement)
            logFile.WriteLog(QStringLiteral("Archive: the check kept with inspection %1 cannot be read and is left out: %2")
                                 .arg(inspection.id)
                                 .arg(inspection.judgement.left(200)));
    }
    endTakenTable(kind);
    emit inspectionOpened(kind);
}

void GaugeSession::adoptProjectOf(const Inspection& in)
{
    captions = in.projectCaptions;
    project.felder = in.projectFields;
    project.date = QDate::fromString(in.projectDate, QStringLiteral("dd.MM.yyyy"));
    project.time = QTime::fromString(in.projectTime, QStringLiteral("HH:mm"));
    LimitFields limits;
    limits.Emin = in.limitMin.value_or(0);
    limits.Emax = in.limitMax.value_or(0);
    limits.Esoll = in.target.value_or(0);
    const QLocale locale = languageLocale(german());
    for (auto [value, text] : {std::pair{limits.Emin, &limits.EminStr}, {limits.Emax, &limits.EmaxStr}, {limits.Esoll, &limits.EsollStr}})
        if (value != 0) *text = locale.toString(value);
    tableSet.setLimits(limits);
}

void GaugeSession::redraw() { shownRows.reset(tableSet.count(shownKind)); }

void GaugeSession::sortShown()
{
    const int kind = shownKind;
    if (shownRows.rows() < 2) return;
    std::vector<int> numbers;
    numbers.reserve(size_t(shownRows.rows()));
    for (int row = 0; row < shownRows.rows(); ++row) numbers.push_back(tableSet.record(kind, shownRows.slotAt(row)).nr);
    shownRows.reorder(sortedOrder(numbers, sortAscending(numbers[0], numbers[1])));
}

RowLook GaugeSession::rowLook(int row) const
{
    const int slot = shownRows.slotAt(row);
    switch (shownRows.markOf(slot)) {
    case ShownTable::Mark::Marked: return RowLook::Marked;
    case ShownTable::Mark::Cleared: return RowLook::Plain;
    case ShownTable::Mark::None: break;
    }
    if (slot < 1) return RowLook::Plain;
    switch (tableSet.evaluate(tableSet.record(shownKind, slot).wert)) {
    case LimitMark::Outside: return RowLook::Outside;
    case LimitMark::Within: return RowLook::Within;
    default: return RowLook::Plain;
    }
}

std::array<QString, 4> GaugeSession::rowCells(int row, const QLocale& locale) const
{
    const int slot = shownRows.slotAt(row);
    if (slot < 1) return {};
    const Record& r = tableSet.record(shownKind, slot);
    if (r.nr == 0 && r.wert == 0) return {}; // emptied behind the rows
    return readingCells(r, locale);
}

std::array<QString, 4> GaugeSession::heading() const
{
    return {tableDate(shownKind), languageTexts.text(Msg::Nr), languageTexts.text(Msg::Messwert),
            languageTexts.text(Msg::Messeinheit)};
}

void GaugeSession::deleteReading(int slot)
{
    const int kind = shownKind;
    const int count = tableSet.count(kind);
    if (slot < 1 || slot > count) return;
    std::vector<Record> readings;
    readings.reserve(size_t(count));
    for (int s = 1; s <= count; ++s) readings.push_back(tableSet.record(kind, s));
    const QString date = tableDate(kind);
    const std::vector<Record> left = afterDeleting(readings, size_t(slot - 1));
    tableSet.ClearRecords(kind);
    tableSet.setTableDate(kind, date);
    for (size_t i = 0; i < left.size(); ++i) tableSet.setRecord(kind, int(i + 1), left[i]);
    if (kind == kOnline) tableSet.setOnlineZaehler(tableSet.onlineZaehler() - 1);
    else tableSet.setSatznr(tableSet.satznr() - 1);
}

void GaugeSession::recount()
{
    const int kind = shownKind;
    tableSet.ResetStatistics();
    const bool signedModel = signedStatistics(programIdentity.geraet);
    const int n = tableSet.count(kind);
    for (int k = 1; k <= n; ++k) {
        const Record& r = tableSet.record(kind, k);
        tableSet.setSatznr(k);
        tableSet.UpdateStatistics(r.wert, r.einheit, signedModel);
    }
}

GaugeSession::Reach GaugeSession::reachGauge()
{
    gauge->resetOpenAttempts();
    gauge->OpenPort(gauge->portnr());
    if (gauge->hasEnded()) return Reach::Ended;
    if (!gauge->CheckConnect()) return Reach::NotOpen;
    if (gauge->ReadGeraet()) return Reach::Answered;
    if (gauge->hasEnded()) return Reach::Ended;
    // One that switched itself off meanwhile is no longer connected.
    return gauge->CheckConnect() ? Reach::NoAnswer : Reach::NotOpen;
}

int GaugeSession::announcedCount(int kind) const
{
    return kind == kFE ? gauge->device().anzahl1 : kind == kNFE ? gauge->device().anzahl2 : 0;
}

GaugeSession::MemoryDownload GaugeSession::downloadMemory()
{
    MemoryDownload d;
    const int kind = shownKind;
    readingDay = dayText(QDateTime::currentDateTime());
    tableSet.ResetStatistics();
    tableSet.ClearRecords(kind);
    if (kind >= kFE && kind <= kOnline)
        origins[size_t(kind)] = gaugeOrigin(kind == kNFE ? QStringLiteral("memory2") : QStringLiteral("memory1"));
    gauge->resetOpenAttempts();
    gauge->OpenPort(gauge->portnr());
    if (!gauge->CheckConnect() || gauge->hasEnded()) return d;
    d.opened = true;
    tableSet.setSatznr(1);
    d.announced = announcedCount(kind);
    dumpExceeded = false;
    emit downloadStarted(kind, d.announced);
    d.complete = gauge->downloadMemory(QString::fromLatin1(kind == kFE ? kBefehlSpeicher1 : kBefehlSpeicher2));
    d.cancelled = !d.complete && gauge->commandStopped();
    d.anyByte = gauge->dumpStarted();
    d.received = int(gauge->dumpLines().size());
    d.damaged = gauge->dumpDamagedLines();
    emit downloadEnded();
    if (gauge->hasEnded()) return d;
    // A cancelled or broken download is not taken; after a switch-off the
    // gauge is not asked again.
    d.exceeded = dumpExceeded;
    if (d.complete && gauge->CheckConnect()) {
        d.refused = takeDumpLines(gauge->dumpLines());
        emit memoryTaken(kind);
    }
    return d;
}

bool GaugeSession::MemoryDownload::isShort() const
{
    if (!complete) return false;
    return received < qMin(announced, kMaxReadings) || damaged > 0;
}

std::optional<QString> missingReadingsText(const GaugeSession::MemoryDownload& download, bool german)
{
    // The wire has no checksum: a damaged line end or EOT costs readings
    // without a word, unless the count the gauge announced is compared; a
    // damaged line is refused and counts as missing.
    if (!download.isShort()) return std::nullopt;
    const int expected = qMin(download.announced, kMaxReadings);
    const int received = download.received;
    const int damaged = download.damaged;
    // "nur" only where readings are missing; damaged lines may be extra.
    const bool missing = received < expected;
    QString text =
        phrase(missing ? Phrase::ReadingsOnlyArrived : Phrase::ReadingsArrived, german).arg(expected).arg(received);
    if (damaged == 1) text += phrase(Phrase::OneLineDamaged, german);
    else if (damaged > 1) text += phrase(Phrase::LinesDamaged, german).arg(damaged);
    text += phrase(Phrase::ReadMemoryAgain, german);
    return text;
}

QString GaugeSession::memoryName(int kind) const
{
    const QString layout = gauge->profile().speicherlayout.trimmed();
    const Texte& t = languageTexts;
    if (kind == kOnline) return t.text(Msg::Online);
    const bool first = kind == kFE;
    if (layout == u"2N") return t.text(first ? Msg::FeSpeicher : Msg::NfeSpeicher);
    if (layout == u"2E") return t.text(first ? Msg::FeSpeicher1 : Msg::FeSpeicher2);
    if (layout == u"2") return t.text(Msg::Speicher) + (first ? u'1' : u'2');
    if (!first) return QString();
    if (layout == u"1") return t.text(Msg::Speicher);
    if (layout == u"3") {
        if (programIdentity.geraet.startsWith(QStringLiteral("ZR")) && gauge->device().speichernr == 96)
            return QStringLiteral("Scan ");
        return t.text(Msg::Speicher) + QString::number(gauge->device().speichernr);
    }
    return QString();
}

QString GaugeSession::statisticsName(int kind) const
{
    return kind == kOnline ? QStringLiteral("ONLINE") : memoryName(kind);
}

QStringList GaugeSession::statisticsLines(const QLocale& locale)
{
    const int n = tableSet.statisticsCount();
    const QString name = statisticsName(shownKind);
    const bool absHeading = gauge->profile().vorzeichen == u"-" && tableSet.absolut();
    if (n < 1) return kivo::statisticsLines(Statistics{}, 0, name, absHeading, languageTexts).mid(0, 4);
    tableSet.computeDisplay(n, locale);
    return kivo::statisticsLines(tableSet.statistics(), n, name, absHeading, languageTexts);
}

std::vector<ReportRow> GaugeSession::readingsOf(int kind) const
{
    std::vector<ReportRow> rows;
    if (kind < kFE || kind > kOnline) return rows;
    const int n = tableSet.count(kind);
    rows.reserve(size_t(n));
    for (int slot = 1; slot <= n; ++slot) {
        const Record& r = tableSet.record(kind, slot);
        rows.push_back({r.zeit, r.nr, r.wert, r.einheit, r.material});
    }
    return rows;
}

QString GaugeSession::tableDate(int kind) const
{
    // A table from a file keeps the file's date; one read from the gauge has
    // the day it was read.
    if (kind < kFE || kind > kOnline) return dayText(QDateTime::currentDateTime());
    const Record& first = tableSet.record(kind, 1);
    if (first.nr == 0 && first.wert == 0) return dayText(QDateTime::currentDateTime()); // an empty table
    const QString date = leadingDate(first.datum);
    return date.isEmpty() ? readingDay : date;
}

ReportInput GaugeSession::reportInput(const QLocale& locale)
{
    ReportInput in;
    in.locale = locale;
    in.projectDate = locale.toString(project.date, QLocale::ShortFormat);
    in.projectTime = project.time.toString(QStringLiteral("HH:mm"));
    for (size_t i = 0; i < in.projectTexts.size(); ++i) {
        in.projectLabels[i] = captions[i];
        in.projectTexts[i] = project.felder[i];
    }
    const int kind = shownKind;
    in.memoryName = kind >= kFE && kind <= kOnline ? memoryName(kind) : QString();
    in.statisticsTitle = languageTexts.text(Stat::Statistik)
                         + (gauge->profile().vorzeichen == u"-" && tableSet.absolut()
                                ? languageTexts.text(Stat::MitAbsolutwerten)
                                : QString());
    in.statistics = statisticsLines(locale);
    in.limits = tableSet.limits();
    in.firstUnit = tableSet.statistics().firstUnit;
    in.targetLabel = languageTexts.text(Stat::Sollwert);
    in.heading = {tableDate(kind), languageTexts.text(Msg::Nr), languageTexts.text(Msg::Messwert)};
    in.rows = readingsOf(kind);
    return in;
}

JudgedTable GaugeSession::tableToJudge() const
{
    // The readings as the statistics beside the table count them, so the
    // check and the statistics speak of the same figures.
    const int kind = shownKind;
    const bool signedModel = signedStatistics(programIdentity.geraet);
    JudgedTable table;
    table.name = statisticsName(kind);
    if (kind < kFE || kind > kOnline) return table;
    const int n = tableSet.count(kind);
    for (int k = 1; k <= n; ++k)
        table.add(tableSet.record(kind, k).wert, tableSet.record(kind, k).einheit, signedModel, tableSet.absolut());
    return table;
}

ChartTable GaugeSession::chartTable() const
{
    return buildChartTable(tableSet.records(), shownKind, tableSet.absolut(), tableSet.limits());
}

WorkbookInput GaugeSession::workbookInput(const QLocale& locale)
{
    WorkbookInput in;
    const ReportInput report = reportInput(locale);
    in.german = german();
    in.reportP = buildReportText(report, 'P');
    in.stats = tableSet.statistics();
    in.statCount = in.stats.statCount;
    in.absolut = tableSet.absolut();
    in.limits = tableSet.limits();
    in.heading = {report.heading[0], report.heading[1], report.heading[2], languageTexts.text(Msg::Messeinheit)};
    in.materialart = gauge->profile().materialart;
    in.rows = report.rows;
    in.chartTitle = report.statistics.value(0);
    return in;
}

std::vector<CsvReading> GaugeSession::csvReadings() const
{
    const int kind = shownKind;
    const QString shownDate = tableDate(kind);
    std::vector<CsvReading> rows;
    if (kind < kFE || kind > kOnline) return rows;
    const int n = tableSet.count(kind);
    rows.reserve(size_t(n));
    for (int k = 1; k <= n; ++k) {
        const Record& r = tableSet.record(kind, k);
        const QString own = leadingDate(r.datum);
        rows.push_back({own.isEmpty() ? shownDate : own, r.zeit, r.nr, r.wert, r.einheit, r.material});
    }
    return rows;
}

void GaugeSession::identified(const std::optional<QString>& failure)
{
    programIdentity.geraet = gauge->geraet();
    emit gaugeIdentified();
    view->identified(failure);
}

void GaugeSession::onlineRecord(const QString& zeile)
{
    // The table holds 5000 readings, however they came into it.
    if (tableSet.onlineFull()) reportOnlineTableFull();
    else takeLine(zeile);
    view->onlineShown(zeile, true);
}

bool GaugeSession::onlineLine(const QString& zeile)
{
    // A refused reading takes no slot, so the table has no gap.
    const bool kept = takeLine(zeile);
    view->onlineShown(zeile, false);
    if (kept) tableSet.nextOnlineNumber();
    return kept;
}

void GaugeSession::reportOnlineTableFull()
{
    // Said once: a gauge that goes on sending must not stack up messages.
    if (onlineFullReported) return;
    onlineFullReported = true;
    const QString text =
        languageTexts.text(Msg::MaximaleAnzahlUeberschritten) + QStringLiteral(" ") + QString::number(kMaxReadings);
    logFile.WriteLog(text);
    view->message(text, MsgIcon::None);
}

} // namespace kivo

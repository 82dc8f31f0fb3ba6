#include "session/ReportOfTable.h"

#include "session/GaugeSession.h"
#include "shared/LocaleNumber.h"
#include "table/RecordDate.h"

#include <QFileInfo>

namespace kivo {

bool letterPaper(const QLocale& locale)
{
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Philippines:
    case QLocale::PuertoRico:
        return true;
    default:
        return false;
    }
}

QLocale paperLocale()
{
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString value = qEnvironmentVariable(name).section(u'.', 0, 0);
        if (!value.isEmpty() && value != u"C" && value != u"POSIX") return QLocale(value);
    }
    return QLocale::system();
}

ReportSource reportSourceOf(const GaugeSession& session, const QDateTime& madeAt)
{
    ReportSource s;
    s.german = session.german();
    s.locale = languageLocale(s.german);
    s.brand = session.identity().brandName;
    s.program = session.identity().titleText();
    const int kind = session.tableKind();
    const TableOrigin& origin = session.origin(kind);
    s.gaugeModel = origin.model;
    s.gaugeCode = origin.gaugeCode;
    s.gaugeVersion = origin.gaugeVersion;
    s.serial = origin.serial;
    s.memory = origin.source == u"file"      ? QFileInfo(origin.fileName).fileName()
               : origin.source == u"archive" ? origin.fileName
               : kind >= kFE && kind <= kOnline ? session.memoryName(kind)
                                                : QString();
    s.captions = session.projectCaptions();
    s.fields = session.projectData().felder;
    const ProjectData& project = session.projectData();
    if (project.date.isValid())
        s.projectDate = (project.date.toString(QStringLiteral("dd.MM.yyyy")) + u' ' + project.time.toString(QStringLiteral("HH:mm"))).trimmed();
    const MeasurementTables& tables = session.tables();
    const int n = kind >= kFE && kind <= kOnline ? tables.count(kind) : 0;
    s.readings.reserve(size_t(n));
    for (int slot = 1; slot <= n; ++slot) {
        const Record& r = tables.record(kind, slot);
        s.readings.push_back({r.nr, r.wert, r.einheit, r.material, leadingDate(r.datum), r.zeit});
    }
    const JudgedTable judged = session.tableToJudge();
    s.counted = judged.values;
    s.signDropped = judged.absolute;
    // A file's or an archived inspection's table is named as kivo-cli judge names it.
    s.tableName = origin.source == u"file" || origin.source == u"archive" || judged.name.trimmed().isEmpty() ? s.memory
                                                                                                         : judged.name;
    s.absolut = tables.absolut();
    s.limits = tables.limits();
    s.judgement = origin.judgement;
    s.madeAt = madeAt;
    s.letter = letterPaper(paperLocale());
    return s;
}

} // namespace kivo

#include "session/ArchiveExport.h"

#include "session/ModelTable.h"
#include "platform/QtSerialLink.h"
#include "session/ArchivedTable.h"
#include "session/GaugeSession.h"
#include "session/QuietSessionView.h"
#include "session/ReportOfTable.h"

namespace kivo {

int tableKindOf(const QString& source)
{
    if (source == u"memory2") return kNFE;
    if (source == u"online") return kOnline;
    return kFE;
}

namespace {

// `in` on show in `out`, a session of its own, so the operator's tables,
// project data and limits stay as they are.
void showInspection(GaugeSession& out, QuietSessionView& view, const Inspection& in, const GaugeSession& like)
{
    out.attach(std::make_unique<QtSerialLink>(), view);
    out.identity() = like.identity();
    out.texte().languageIndex = like.texte().languageIndex;
    out.setModel(profileFor(in.model) ? in.model : like.identity().geraet);
    out.tables().setAbsolut(like.tables().absolut());
    out.texte().FillMenuTexts();
    out.texte().FillMessageTexts(out.identity().titleText());
    out.showTable(tableKindOf(in.source));
    out.takeInspection(in, archivedName(in.id, out.german()));
    out.adoptProjectOf(in);
}

} // namespace

QString writeInspection(const Inspection& in, const GaugeSession& like, const QString& path, TableFormat format)
{
    QuietSessionView view;
    GaugeSession out;
    showInspection(out, view, in, like);
    return writeShownTable(out, path, format);
}

ReportSource customerReportSource(const Inspection& in, const GaugeSession& like, const QDateTime& madeAt)
{
    QuietSessionView view;
    GaugeSession out;
    showInspection(out, view, in, like);
    return reportSourceOf(out, madeAt);
}

} // namespace kivo

#include "session/ArchiveExport.h"

#include "session/ModelTable.h"
#include "platform/QtSerialLink.h"
#include "session/ArchivedTable.h"
#include "session/GaugeSession.h"
#include "session/QuietSessionView.h"

namespace kivo {

int tableKindOf(const QString& source)
{
    if (source == u"memory2") return kNFE;
    if (source == u"online") return kOnline;
    return kFE;
}

QString writeInspection(const Inspection& in, const GaugeSession& like, const QString& path, TableFormat format)
{
    // A session of its own, so the operator's tables, project data and
    // limits stay as they are.
    QuietSessionView view;
    GaugeSession out;
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
    return writeShownTable(out, path, format);
}

} // namespace kivo

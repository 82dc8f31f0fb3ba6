// kivo-manuals SOURCE OUTPUT PICTURES: the operating manuals as PDF files,
// one per model and language (DE_Manual_RK-TALO_TRANSFER.pdf, ...), from
// SOURCE/DE.md and SOURCE/EN.md, each with what its model has, the
// screenshots of its model (SOURCE/images/<CODE>/) and on its title page
// the gauge's picture from the installation's PICTURES folder.

#include "ManualPdf.h"
#include "ManualText.h"
#include "session/InfoAndManual.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: kivo-manuals SOURCE OUTPUT PICTURES\n");
        return 2;
    }
    const QDir source(args[1]);
    const QDir output(args[2]);
    const QDir pictures(args[3]);
    QDir().mkpath(output.path());
    for (const bool german : {true, false}) {
        const QString name = german ? QStringLiteral("DE.md") : QStringLiteral("EN.md");
        QFile file(source.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "kivo-manuals: cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        const QString markdown = QString::fromUtf8(file.readAll());
        for (kivo::ManualModel model : kivo::manualModels()) {
            model.picture = pictures.absoluteFilePath(model.picture);
            const kivo::ManualSource text = kivo::manualText(markdown, model);
            if (!text.error.isEmpty()) {
                std::fprintf(stderr, "kivo-manuals: %s for %s: %s\n", qPrintable(name), qPrintable(model.name),
                             qPrintable(text.error));
                return 1;
            }
            const QString pdf = output.filePath(kivo::manualPrefix(german) + model.fileName);
            const QString failure = kivo::writeManualPdf(text.text, model.name + QStringLiteral(" RIDIVORI"),
                                                         german ? QStringLiteral("Inhalt") : QStringLiteral("Contents"),
                                                         source.path(), pdf);
            if (!failure.isEmpty()) {
                std::fprintf(stderr, "kivo-manuals: %s\n", qPrintable(failure));
                return 1;
            }
        }
    }
    return 0;
}

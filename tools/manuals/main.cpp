// kivo-manuals SOURCE OUTPUT: the operating manuals as PDF files, one per
// model and language (DE_Manual_RK-TALO_TRANSFER.pdf, ...), from
// SOURCE/DE.md and SOURCE/EN.md.

#include "ManualPdf.h"
#include "session/InfoAndManual.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: kivo-manuals SOURCE OUTPUT\n");
        return 2;
    }
    const QDir source(args[1]);
    const QDir output(args[2]);
    QDir().mkpath(output.path());
    for (const bool german : {true, false}) {
        QFile file(source.filePath(german ? QStringLiteral("DE.md") : QStringLiteral("EN.md")));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "kivo-manuals: cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        const QString markdown = QString::fromUtf8(file.readAll());
        for (const QString& name : kivo::allManualFileNames()) {
            const QString pdf = output.filePath(kivo::manualPrefix(german) + name);
            const QString failure = kivo::writeManualPdf(markdown, kivo::modelOfManual(name), source.path(), pdf);
            if (!failure.isEmpty()) {
                std::fprintf(stderr, "kivo-manuals: %s\n", qPrintable(failure));
                return 1;
            }
        }
    }
    return 0;
}

#include "output/ReportDocument.h"

#include "shared/ZipArchive.h"

#include <QXmlStreamWriter>

namespace kivo {

namespace {

const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString kSvg = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");
const QString kParagraphStyle = QStringLiteral("Report");
const QString kPageNumberStyle = QStringLiteral("ReportPageNumber");

void startDocument(QXmlStreamWriter& w, const QString& root)
{
    w.writeStartDocument();
    w.writeNamespace(kOffice, QStringLiteral("office"));
    w.writeNamespace(kStyle, QStringLiteral("style"));
    w.writeNamespace(kText, QStringLiteral("text"));
    w.writeNamespace(kFo, QStringLiteral("fo"));
    w.writeNamespace(kSvg, QStringLiteral("svg"));
    w.writeStartElement(kOffice, root);
    w.writeAttribute(kOffice, QStringLiteral("version"), QStringLiteral("1.2"));
    w.writeStartElement(kOffice, QStringLiteral("font-face-decls"));
    w.writeEmptyElement(kStyle, QStringLiteral("font-face"));
    w.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("Lucida Console"));
    w.writeAttribute(kSvg, QStringLiteral("font-family"), QStringLiteral("'Lucida Console'"));
    w.writeAttribute(kStyle, QStringLiteral("font-family-generic"), QStringLiteral("modern"));
    w.writeAttribute(kStyle, QStringLiteral("font-pitch"), QStringLiteral("fixed"));
    w.writeEndElement();
}

void writeTextProperties(QXmlStreamWriter& w)
{
    w.writeEmptyElement(kStyle, QStringLiteral("text-properties"));
    w.writeAttribute(kStyle, QStringLiteral("font-name"), QStringLiteral("Lucida Console"));
    w.writeAttribute(kFo, QStringLiteral("font-size"), QStringLiteral("10pt"));
    w.writeAttribute(kFo, QStringLiteral("font-weight"), QStringLiteral("normal"));
}

// The line's text; a word processor folds runs of blanks, so every blank
// after the first of a run, and one at the start, is written as <text:s>.
void writeLine(QXmlStreamWriter& w, const QString& line)
{
    QString plain;
    int blanks = 0;
    auto flushBlanks = [&] {
        if (blanks == 0) return;
        w.writeEmptyElement(kText, QStringLiteral("s"));
        if (blanks > 1) w.writeAttribute(kText, QStringLiteral("c"), QString::number(blanks));
        blanks = 0;
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const bool foldable = c == u' ' && (i == 0 || line[i - 1] == u' ');
        if (foldable) {
            if (!plain.isEmpty()) w.writeCharacters(std::exchange(plain, QString()));
            ++blanks;
        } else if (c == u'\t') {
            if (!plain.isEmpty()) w.writeCharacters(std::exchange(plain, QString()));
            flushBlanks();
            w.writeEmptyElement(kText, QStringLiteral("tab"));
        } else {
            flushBlanks();
            plain += c;
        }
    }
    flushBlanks();
    if (!plain.isEmpty()) w.writeCharacters(plain);
}

QByteArray stylesXml()
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    startDocument(w, QStringLiteral("document-styles"));
    w.writeStartElement(kOffice, QStringLiteral("styles"));
    // Text typed into the document later takes the report's font too.
    w.writeStartElement(kStyle, QStringLiteral("default-style"));
    w.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("paragraph"));
    writeTextProperties(w);
    w.writeEndElement();
    w.writeStartElement(kStyle, QStringLiteral("style"));
    w.writeAttribute(kStyle, QStringLiteral("name"), kParagraphStyle);
    w.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("paragraph"));
    w.writeEmptyElement(kStyle, QStringLiteral("paragraph-properties"));
    w.writeAttribute(kFo, QStringLiteral("margin-top"), QStringLiteral("0cm"));
    w.writeAttribute(kFo, QStringLiteral("margin-bottom"), QStringLiteral("0cm"));
    writeTextProperties(w);
    w.writeEndElement();
    // The page number under each page, centred in the report's font.
    w.writeStartElement(kStyle, QStringLiteral("style"));
    w.writeAttribute(kStyle, QStringLiteral("name"), kPageNumberStyle);
    w.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("paragraph"));
    w.writeAttribute(kStyle, QStringLiteral("parent-style-name"), kParagraphStyle);
    w.writeEmptyElement(kStyle, QStringLiteral("paragraph-properties"));
    w.writeAttribute(kFo, QStringLiteral("text-align"), QStringLiteral("center"));
    w.writeEndElement();
    w.writeEndElement(); // styles

    w.writeStartElement(kOffice, QStringLiteral("automatic-styles"));
    w.writeStartElement(kStyle, QStringLiteral("page-layout"));
    w.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("ReportPage"));
    w.writeEmptyElement(kStyle, QStringLiteral("page-layout-properties"));
    for (const char* side : {"margin-top", "margin-bottom", "margin-left", "margin-right"})
        w.writeAttribute(kFo, QString::fromLatin1(side), QStringLiteral("2cm"));
    w.writeStartElement(kStyle, QStringLiteral("footer-style"));
    w.writeEmptyElement(kStyle, QStringLiteral("header-footer-properties"));
    w.writeAttribute(kFo, QStringLiteral("min-height"), QStringLiteral("0cm"));
    w.writeAttribute(kFo, QStringLiteral("margin-top"), QStringLiteral("0.3cm"));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement(); // automatic-styles

    // A report of 5000 readings runs to some 80 pages: each is numbered.
    w.writeStartElement(kOffice, QStringLiteral("master-styles"));
    w.writeStartElement(kStyle, QStringLiteral("master-page"));
    w.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("Standard"));
    w.writeAttribute(kStyle, QStringLiteral("page-layout-name"), QStringLiteral("ReportPage"));
    w.writeStartElement(kStyle, QStringLiteral("footer"));
    w.writeStartElement(kText, QStringLiteral("p"));
    w.writeAttribute(kText, QStringLiteral("style-name"), kPageNumberStyle);
    w.writeStartElement(kText, QStringLiteral("page-number"));
    w.writeAttribute(kText, QStringLiteral("select-page"), QStringLiteral("current"));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement(); // master-styles
    w.writeEndDocument();
    return xml;
}

QByteArray manifestXml()
{
    const QString manifest = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument();
    w.writeNamespace(manifest, QStringLiteral("manifest"));
    w.writeStartElement(manifest, QStringLiteral("manifest"));
    w.writeAttribute(manifest, QStringLiteral("version"), QStringLiteral("1.2"));
    const std::pair<QString, QString> entries[] = {
        {QStringLiteral("/"), QStringLiteral("application/vnd.oasis.opendocument.text")},
        {QStringLiteral("content.xml"), QStringLiteral("text/xml")},
        {QStringLiteral("styles.xml"), QStringLiteral("text/xml")}};
    for (const auto& [path, type] : entries) {
        w.writeEmptyElement(manifest, QStringLiteral("file-entry"));
        w.writeAttribute(manifest, QStringLiteral("full-path"), path);
        w.writeAttribute(manifest, QStringLiteral("media-type"), type);
        if (path == u"/") w.writeAttribute(manifest, QStringLiteral("version"), QStringLiteral("1.2"));
    }
    w.writeEndDocument();
    return xml;
}

} // namespace

QByteArray reportContentXml(const QString& reportText)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    startDocument(w, QStringLiteral("document-content"));
    w.writeStartElement(kOffice, QStringLiteral("body"));
    w.writeStartElement(kOffice, QStringLiteral("text"));
    for (const QString& line : reportText.split(QStringLiteral("\r\n"))) {
        w.writeStartElement(kText, QStringLiteral("p"));
        w.writeAttribute(kText, QStringLiteral("style-name"), kParagraphStyle);
        writeLine(w, line);
        w.writeEndElement();
    }
    w.writeEndDocument();
    return xml;
}

QString writeReportDocument(const QString& reportText, const QString& path, bool german)
{
    const auto member = [](const QString& name, const QByteArray& bytes, bool stored = false) {
        ZipMember m;
        m.name = name;
        m.bytes = bytes;
        m.stored = stored;
        return m;
    };
    return writeZip(path,
                    {member(QStringLiteral("mimetype"), QByteArrayLiteral("application/vnd.oasis.opendocument.text"), true),
                     member(QStringLiteral("content.xml"), reportContentXml(reportText)),
                     member(QStringLiteral("styles.xml"), stylesXml()),
                     member(QStringLiteral("META-INF/manifest.xml"), manifestXml())},
                    german);
}

} // namespace kivo

#pragma once
// Windows-1252, the 8-bit code page of the program's files on every system,
// and the decision whether a file someone else saved is UTF-8 instead.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace kivo {

enum class TextEncoding { Cp1252, Utf8 };

// Tells a file's encoding from its bytes, given in pieces in their order.
// UTF-8 when the file starts with the UTF-8 byte-order mark, or when it
// holds bytes above 127 and all of it is valid UTF-8 (an editor that saved
// "µm" as UTF-8); Windows-1252 otherwise: the program's own "µ", the single
// byte 0xB5, is never valid UTF-8.
class EncodingSniffer {
public:
    void feed(QByteArrayView bytes);
    // True once further bytes cannot change the answer.
    bool settled() const { return mark || invalid; }
    // The encoding of everything fed, taken as the whole file.
    TextEncoding encoding() const;
    // Bytes of the byte-order mark at the start, which are no text.
    qsizetype markLength() const { return mark ? 3 : 0; }

private:
    QByteArray pending; // a start too short to tell the mark, or a UTF-8 sequence cut between pieces
    bool markTold = false;
    bool mark = false;
    bool invalid = false;
    bool high = false;
};

// The bytes of a whole file to text, in the encoding its bytes tell.
QString decodeText(const QByteArray& bytes);

// Bytes without a byte-order mark to text in `encoding`.
QString decodeAs(QByteArrayView bytes, TextEncoding encoding);

// Windows-1252 bytes to text, one character per byte.
QString decodeCp1252(QByteArrayView bytes);

// Text to Windows-1252 bytes; a character the code page lacks becomes "?".
QByteArray encodeCp1252(const QString& text);

// The first character of `text` that a line of a Windows-1252 file cannot
// hold as it is: one the code page lacks (it would be written "?"), or a
// line end (it would split the line). A character beyond the 16-bit plane
// comes back whole; nullopt when every character fits.
std::optional<QString> firstCharacterOutsideCp1252Line(const QString& text);

} // namespace kivo

#pragma once
// Readable failure messages for Qt text types: without these GoogleTest
// prints a QString as its raw bytes.

#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << "bytes[" << bytes.toHex(' ').toStdString() << ']';
}

#include "session/ColumnLetters.h"

namespace kivo {

QString ColumnLetters(int row, int column)
{
    const int zeroBased = column - 1;
    QString letters(QChar(u'A' + zeroBased % 26));
    const int high = zeroBased / 26;
    if (high >= 1) letters.prepend(QChar(u'A' + high - 1));
    return letters + QString::number(row);
}

} // namespace kivo

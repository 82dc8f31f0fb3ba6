#include "settings/LineReader.h"

#include <QIODevice>
#include <algorithm>

namespace kivo {

namespace {

constexpr qint64 kBlock = 64 * 1024;

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

} // namespace

LineReader::LineReader(QIODevice& device_, qsizetype maxLineLength_) : device(device_), maxLineLength(maxLineLength_) {}

bool LineReader::fill()
{
    if (readError) return false;
    buffer.resize(kBlock);
    const qint64 got = device.read(buffer.data(), kBlock);
    if (got < 0) readError = true;
    buffer.resize(qMax<qint64>(got, 0));
    pos = 0;
    return got > 0;
}

bool LineReader::next(QByteArray& line)
{
    line.resize(0);
    bool started = false;
    unterminated = false;
    cut = false;
    for (;;) {
        if (pos == buffer.size() && !fill()) {
            unterminated = started;
            return started;
        }
        if (afterCr) {
            afterCr = false;
            if (buffer[pos] == '\n') {
                ++pos;
                continue;
            }
        }
        const char* begin = buffer.constData() + pos;
        const char* end = buffer.constData() + buffer.size();
        const char* stop = std::find_if(begin, end, isLineEnd);
        const qsizetype length = stop - begin;
        const qsizetype room = qMax<qsizetype>(maxLineLength - line.size(), 0);
        if (length > room) cut = true;
        line.append(begin, qMin(length, room));
        started = true;
        pos += length;
        if (stop == end) continue;
        afterCr = *stop == '\r';
        ++pos;
        return true;
    }
}

} // namespace kivo

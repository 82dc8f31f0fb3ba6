#pragma once
// A colour as plain values, for descriptions the core hands to a view or a
// file writer (a chart's pens, a workbook's series); the view turns it into
// its own colour type.

#include <QString>
#include <cstdint>

namespace kivo {

struct Rgb {
    int r = 0, g = 0, b = 0;

    // 0xRRGGBB
    std::uint32_t value() const { return std::uint32_t((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF)); }
    // "#rrggbb", as colour names are written
    QString name() const { return QStringLiteral("#%1").arg(value(), 6, 16, QChar(u'0')); }
    bool operator==(const Rgb&) const = default;
};

} // namespace kivo

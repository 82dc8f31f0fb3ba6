#pragma once
// A one-line label that gives way to its neighbours: too long for its room,
// it is drawn shortened in the middle ("/home/…/Bericht_3.odt"), so the
// end of a path, the file's name, stays in view. Its text stays whole for
// the tooltip and the driver.

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace kivo {

class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override { return {fontMetrics().horizontalAdvance(u'…') * 8, QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect room = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width());
        style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
    }
};

} // namespace kivo

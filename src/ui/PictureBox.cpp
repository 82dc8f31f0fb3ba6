#include "ui/PictureBox.h"

#include <QPainter>

namespace kivo {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture, bool stretch)
{
    pixmap = picture;
    if (!stretch && !pixmap.isNull()) setFixedSize(pixmap.size());
    update();
}

QSize PictureBox::sizeHint() const { return pixmap.isNull() ? QSize(32, 32) : pixmap.size(); }

void PictureBox::paintEvent(QPaintEvent*)
{
    if (pixmap.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize scaled = pixmap.size().scaled(size(), keepAspect ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
    const QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
    painter.drawPixmap(target, pixmap);
}

void FitPicture(PictureBox* box, const QString& path, bool stretch)
{
    box->setPictureFile(path);
    box->setPicture(QPixmap(path), stretch);
}

} // namespace kivo

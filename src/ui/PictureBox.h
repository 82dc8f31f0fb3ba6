#pragma once
// A picture box: shows a picture file scaled into the box, or nothing.

#include <QPixmap>
#include <QWidget>

namespace kivo {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Shows `picture`; with `stretch` it fills the box (keeping its shape),
    // otherwise the box takes the picture's size.
    void setPicture(const QPixmap& picture, bool stretch);
    const QPixmap& picture() const { return pixmap; }
    QString pictureFile() const { return file; }
    void setPictureFile(const QString& path) { file = path; }

    // A band picture fills the whole box; others keep their shape.
    void setKeepAspect(bool keep) { keepAspect = keep; update(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap pixmap;
    QString file;
    bool keepAspect = true;
};

// Loads a picture file into a box. A missing or unreadable file leaves the
// box empty; the program does not complain about its own pictures.
void FitPicture(PictureBox* box, const QString& path, bool stretch);

} // namespace kivo

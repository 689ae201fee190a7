#include "widgets/PictureLabel.h"

#include <QImageReader>
#include <QLabel>
#include <QPixmap>

QLabel *pictureLabel(const QString &name, QSize size, QWidget *parent)
{
    auto *label = new QLabel(parent);
    const bool dense = parent->devicePixelRatioF() > 1.0;
    // Read as PNG, and by Qt's own reader alone: left to guess, the reader
    // would load every image format plugin to ask each whether it knows the
    // file, the SVG one with Qt's SVG libraries among them.
    QImageReader reader(QStringLiteral(":/images/") + name +
                            (dense ? QStringLiteral("@2x.png") : QStringLiteral(".png")),
                        "png");
    reader.setAutoDetectImageFormat(false);
    QPixmap picture = QPixmap::fromImage(reader.read());
    picture.setDevicePixelRatio(dense ? 2.0 : 1.0);
    label->setPixmap(picture);
    label->setFixedSize(size);
    return label;
}

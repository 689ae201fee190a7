// Renders one of the program's SVG pictures into a PNG of a given size: the
// icon theme's fixed-size icons, and the pictures of the start and About
// screens (drawn here once, so that the program needs no SVG renderer to
// show its first window). One source, one renderer.
// Usage: quorvel_render_icon SOURCE.svg SIZE|WIDTHxHEIGHT OUTPUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SOURCE.svg SIZE|WIDTHxHEIGHT OUTPUT.png\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
    const QList<QByteArray> sides = QByteArray(argv[2]).split('x');
    const int width = sides.value(0).toInt();
    const int height = sides.size() > 1 ? sides.value(1).toInt() : width;
    if (!renderer.isValid() || width <= 0 || height <= 0 || sides.size() > 2) {
        std::fprintf(stderr, "cannot render %s at %s px\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}

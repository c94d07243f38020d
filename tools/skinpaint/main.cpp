// Placeholder painter: plain pictures of the right sizes until the real artwork lands.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QColor faces[] = {QColor(120, 200, 220), QColor(230, 110, 60), QColor(90, 90, 90)};
    const char* names[] = {"LIGHT", "RED", "BLACK"};
    for (int i = 0; i < 3; ++i) {
        QImage img(142, 60, QImage::Format_RGB888);
        img.fill(faces[i]);
        img.setPixel(96, 24, 0xFFFF00FF);
        img.save(out + "/" + names[i] + ".png");
    }
    for (int s : {16, 32, 48, 256}) {
        QImage icon(s, s, QImage::Format_ARGB32);
        icon.fill(faces[0]);
        icon.save(out + QString("/ICON%1.png").arg(s));
    }
    return 0;
}

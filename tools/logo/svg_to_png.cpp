// Turns the hand-drawn logo (OrvexLogo.svg) into the PNG that the documents
// embed:  svg_to_png OrvexLogo.svg OrvexLogo.png  (256 x 192 pixels, white
// behind the rounded corners). Build:
//   g++ -std=c++17 -fPIC svg_to_png.cpp -o svg_to_png $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QSvgRenderer r{QString::fromLocal8Bit(argv[1])};
    if (!r.isValid()) return 1;
    QImage img(256, 192, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    p.end();
    QImage out = img.convertToFormat(QImage::Format_RGB888);
    return out.save(argv[2], "PNG", 9) ? 0 : 2;
}

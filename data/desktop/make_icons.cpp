// Makes the program's icons from its logo: make_icons LOGO.png OUTDIR SIZE...
// writes OUTDIR/<size>x<size>/apps/org.orvex.orvex.png for each size, the
// hicolor theme's layout. The logo (wider than high, rounded corners with
// white behind them) is centred on a transparent square, its corners cut
// round again so that no white shows.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_icons LOGO.png OUTDIR SIZE...\n");
        return 2;
    }
    const QImage logo(QString::fromLocal8Bit(argv[1]));
    if (logo.isNull()) {
        std::fprintf(stderr, "make_icons: cannot read %s\n", argv[1]);
        return 1;
    }
    // The corner radius of the logo's rounded rectangle, as a fraction of its width.
    const double cornerOfWidth = 18.0 / 256.0;
    for (int i = 3; i < argc; ++i) {
        const int n = QString::fromLatin1(argv[i]).toInt();
        if (n <= 0) return 2;
        const int h = qMax(1, qRound(n * double(logo.height()) / logo.width()));
        const QImage scaled = logo.scaled(n, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QImage icon(n, n, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        {
            QPainter p(&icon);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            const int top = (n - h) / 2;
            p.setBrushOrigin(0, top);
            p.setBrush(QBrush(scaled));
            const double r = cornerOfWidth * n;
            p.drawRoundedRect(QRectF(0, top, n, h), r, r);
        }
        const QString dir = QString::fromLocal8Bit(argv[2]) + QString("/%1x%1/apps").arg(n);
        if (!QDir().mkpath(dir) || !icon.convertToFormat(QImage::Format_ARGB32)
                                        .save(dir + "/org.orvex.orvex.png", "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}

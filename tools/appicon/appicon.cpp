// Writes the program's icon, as the program itself draws it, to PNG files of
// the sizes the desktop's icon theme asks for:
//
//   tarnwick-appicon OUTDIR SIZE...   writes OUTDIR/<SIZE>.png
//
// Runs at build time on the offscreen platform, so no display is needed.
#include "media/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <cstdio>

namespace {

// A picture with no visible pixel is a broken drawing, not an icon: fail the
// build rather than install it.
bool hasInk(const QImage &img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argc > 0 ? argv[0] : "tarnwick-appicon");
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 16 || size > 1024) {
            std::fprintf(stderr, "bad icon size: %s\n", qPrintable(args.at(i)));
            return 2;
        }
        const QImage img = tw::art::AppIconPixmap(size, 1.0).toImage();
        if (img.size() != QSize(size, size) || !hasInk(img)) {
            std::fprintf(stderr, "the icon drawn at %d px is empty or of the wrong size\n", size);
            return 1;
        }
        const QString file = out.filePath(QStringLiteral("%1.png").arg(size));
        if (!img.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

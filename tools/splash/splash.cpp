// Writes the splash window's picture, as the program draws it, for the device
// pixel ratios 1 and 2, as its raw pixels (ARGB32, premultiplied, in the
// machine's byte order): reading them back needs no image decoder, whose
// plugins would be looked up before the first window shows.
//
//   tarnwick-splash OUTDIR VERSION   writes OUTDIR/splash@1x.argb and splash@2x.argb
//
// Runs at build time on the offscreen platform, so no display is needed.
#include "media/artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR VERSION\n", argc > 0 ? argv[0] : "tarnwick-splash");
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    for (const int dpr : {1, 2}) {
        const QImage img = tw::art::SplashImage(dpr, args.at(2)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (img.size() != QSize(tw::art::SplashWidth, tw::art::SplashHeight) * dpr
            || img.bytesPerLine() != img.width() * 4) {
            std::fprintf(stderr, "the splash drawn at ratio %d has the wrong size\n", dpr);
            return 1;
        }
        const QString file = out.filePath(QStringLiteral("splash@%1x.argb").arg(dpr));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly)
            || f.write(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes()) != img.sizeInBytes()
            || !f.flush()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

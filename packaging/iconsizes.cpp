// Writes the program icon at the sizes of the hicolor icon theme:
//   iconsizes SOURCE.png OUTDIR SIZE... -> OUTDIR/SIZExSIZE/ampora.png
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: iconsizes SOURCE.png OUTDIR SIZE...\n");
        return 2;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    if (source.isNull()) {
        std::fprintf(stderr, "iconsizes: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0)
            return 2;
        const QString dir = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1x%1").arg(size);
        const QImage icon = source.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!QDir().mkpath(dir) || !icon.save(dir + QStringLiteral("/ampora.png"), "PNG")) {
            std::fprintf(stderr, "iconsizes: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}

// Cost of opening a design file through the real window: the start-up design
// (every key once, every page recomputed) and a long file of 600,000
// "Page: 1" lines, which Open must read in time linear in its length.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "amporaversion.h"
#include "app/mainwindow.h"
#include "bench/benchtiming.h"

namespace {

bool write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 7;
    QTemporaryDir dir; // a working directory without preferences.txt
    QDir::setCurrent(dir.path());

    StartOptions options;
    options.offline = true;
    MainWindow w(nullptr, options);

    const QString startup = dir.filePath(QStringLiteral("startup.zam"));
    QByteArray longText = QByteArray("ZARN AMPORA SAVED PREFERENCES\nVersion: ") + kAmporaVersion + '\n';
    for (int i = 0; i < 600000; ++i)
        longText += "Page: 1\n";
    const QString longFile = dir.filePath(QStringLiteral("long.zam"));
    if (!write(startup, w.design().serialise()) || !write(longFile, longText)) {
        std::fprintf(stderr, "cannot write the design files\n");
        return 1;
    }

    const auto open = [&w, runs](const QString &path) {
        return bench::timeIt(runs, [&] {
            w.setDesignPath(path);
            w.openFile();
        });
    };
    const bench::Figures whole = open(startup);
    const bench::Figures lines = open(longFile);
    std::printf(
        "open the start-up design (every key, every page recomputed): median %.1f ms wall, %.1f ms CPU\n",
        whole.wall, whole.cpu);
    std::printf(
        "open 600,000 \"Page: 1\" lines:                              median %.1f ms wall, %.1f ms CPU, "
        "slowest %.1f ms\n",
        lines.wall, lines.cpu, lines.worstWall);
    return 0;
}

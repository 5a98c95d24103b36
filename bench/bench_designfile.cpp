// Cost of opening a design file through the real window: the start-up design
// (every key once, every page recomputed) and a long file of 600,000
// "Page: 1" lines, which Open must read in time linear in its length.
#include "amporaversion.h"
#include "bench/benchtiming.h"
#include <QFile>

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 7);
    const int runs = setup.runs;
    auto w = bench::offlineWindow();
    const QString startup = setup.dir.filePath(QStringLiteral("startup.zam"));
    const QString longFile = setup.dir.filePath(QStringLiteral("long.zam"));
    QByteArray longText = QByteArray("ZARN AMPORA SAVED PREFERENCES\nVersion: ") + kAmporaVersion + '\n';
    for (int i = 0; i < 600000; ++i)
        longText += "Page: 1\n";
    for (const auto &file :
        { std::make_pair(startup, w->design().serialise()), std::make_pair(longFile, longText) }) {
        QFile out(file.first);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.second) != file.second.size()) {
            std::fprintf(stderr, "cannot write the design files\n");
            return 1;
        }
    }
    const auto open = [&w, runs](const QString &path) {
        return bench::timeIt(runs, [&] {
            w->setDesignPath(path);
            w->openFile();
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

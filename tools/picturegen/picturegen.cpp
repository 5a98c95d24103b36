// Draws every picture that Ampora compiles in and writes the matching .qrc, so the
// whole set can be rebuilt from the package and heatsink catalogs with one command.
// Everything is drawn from fixed geometry and the catalog rows: no randomness, no dates.

#include "picturegen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace pics {
namespace {

// ---- Output: picture files, previews, contact sheets and the .qrc ----

class Output {
public:
    Output(const QString &resourcesDir, const QString &previewDir)
        : resources_(resourcesDir)
        , preview_(previewDir)
    {
    }

    bool open()
    {
        if (!resources_.mkpath(QStringLiteral("pictures"))) {
            std::fprintf(stderr, "picturegen: cannot create %s/pictures\n", qPrintable(resources_.path()));
            return false;
        }
        if (!preview_.isEmpty() && !QDir().mkpath(preview_)) {
            std::fprintf(stderr, "picturegen: cannot create %s\n", qPrintable(preview_));
            return false;
        }
        return true;
    }

    bool save(const QString &alias, const QImage &img, const QString &group)
    {
        if (aliases_.contains(alias)) {
            std::fprintf(stderr, "picturegen: duplicate picture %s skipped\n", qPrintable(alias));
            return true;
        }
        const QString file = fileNameFor(alias);
        const QString path = resources_.filePath(QStringLiteral("pictures/") + file);
        const bool png = alias.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
        bool ok;
        if (png) {
            ok = img.save(path, "PNG");
        } else {
            // JPEG has no alpha: flatten onto white first.
            QImage flat(img.size(), QImage::Format_RGB32);
            flat.fill(Qt::white);
            QPainter p(&flat);
            p.drawImage(0, 0, img);
            p.end();
            ok = flat.save(path, "JPG", 85);
        }
        if (!ok) {
            std::fprintf(stderr, "picturegen: cannot write %s\n", qPrintable(path));
            return false;
        }
        aliases_.append(alias);
        files_.append(file);
        if (!preview_.isEmpty()) {
            QString name = file;
            if (!png)
                name += QStringLiteral(".png");
            const QImage decoded(path);
            decoded.save(QDir(preview_).filePath(name), "PNG");
            groups_[group].append(decoded);
        }
        return true;
    }

    // Pictures of rows that left the catalogs would otherwise linger in the folder.
    void removeStale()
    {
        QDir dir(resources_.filePath(QStringLiteral("pictures")));
        const QStringList present = dir.entryList(
            { QStringLiteral("*.png"), QStringLiteral("*.jpg"), QStringLiteral("*.JPG") }, QDir::Files);
        for (const QString &f : present) {
            if (!files_.contains(f)) {
                dir.remove(f);
                std::printf("picturegen: removed stale %s\n", qPrintable(f));
            }
        }
    }

    bool writeQrc()
    {
        QVector<int> order(aliases_.size());
        for (int i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [this](int a, int b) { return aliases_[a] < aliases_[b]; });
        QString text;
        text += QStringLiteral("<RCC>\n    <qresource prefix=\"/ZarnLinear\">\n");
        for (int i : order) {
            text += QStringLiteral("        <file alias=\"%1\">pictures/%2</file>\n")
                        .arg(xmlEscaped(aliases_[i]), xmlEscaped(files_[i]));
        }
        text += QStringLiteral("    </qresource>\n</RCC>\n");
        QSaveFile out(resources_.filePath(QStringLiteral("pictures.qrc")));
        if (!out.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "picturegen: cannot write pictures.qrc\n");
            return false;
        }
        out.write(text.toUtf8());
        return out.commit();
    }

    void writeSheets() const
    {
        if (preview_.isEmpty())
            return;
        for (auto it = groups_.cbegin(); it != groups_.cend(); ++it) {
            const QVector<QImage> &imgs = it.value();
            const int gap = 6;
            const int maxW = 1000;
            int x = gap, y = gap, rowH = 0, w = 0;
            QVector<QPoint> at;
            for (const QImage &img : imgs) {
                if (x + img.width() + gap > maxW && x > gap) {
                    x = gap;
                    y += rowH + gap;
                    rowH = 0;
                }
                at.append(QPoint(x, y));
                x += img.width() + gap;
                w = std::max(w, x);
                rowH = std::max(rowH, img.height());
            }
            QImage sheet = blank(w, y + rowH + gap, QColor(0x70, 0x70, 0x70));
            QPainter p(&sheet);
            for (int i = 0; i < imgs.size(); ++i)
                p.drawImage(at[i], imgs[i]);
            p.end();
            sheet.save(QDir(preview_).filePath(QStringLiteral("_sheet_%1.png").arg(it.key())), "PNG");
        }
    }

    int count() const { return aliases_.size(); }

private:
    // Catalog names may hold characters a file name cannot; the alias keeps the exact name.
    static QString fileNameFor(const QString &alias)
    {
        QString f;
        for (QChar c : alias) {
            const bool safe = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')
                || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('+');
            f += safe ? c : QLatin1Char('_');
        }
        return f;
    }

    static QString xmlEscaped(const QString &s)
    {
        QString e = s;
        e.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
        e.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
        e.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
        e.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
        return e;
    }

    QDir resources_;
    QString preview_;
    QStringList aliases_;
    QStringList files_;
    QMap<QString, QVector<QImage>> groups_;
};

// ---- Catalog files ----

QStringList catalogLines(const QString &path, bool *ok)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *ok = false;
        return {};
    }
    *ok = true;
    QString text = QString::fromLatin1(f.readAll());
    text.remove(QLatin1Char('\r'));
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList fields(const QString &line)
{
    return line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
}

struct PackageRow {
    QString code, shortDesc, fullDesc;
};

// Fields are matched to header names in order, empty cells dropped, as the tool itself reads them.
QVector<PackageRow> readPackages(const QStringList &lines)
{
    QVector<PackageRow> rows;
    if (lines.isEmpty())
        return rows;
    const QStringList header = fields(lines.first());
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = fields(lines[i]);
        PackageRow row;
        for (int k = 0; k < header.size() && k < f.size(); ++k) {
            const QString name = header[k].trimmed();
            if (name == QLatin1String("Code"))
                row.code = f[k].trimmed();
            else if (name == QLatin1String("shortDesc"))
                row.shortDesc = f[k].trimmed();
            else if (name == QLatin1String("fullDesc"))
                row.fullDesc = f[k].trimmed();
        }
        if (!row.code.isEmpty())
            rows.append(row);
    }
    return rows;
}

struct HeatsinkRow {
    QString name;
    HeatsinkShape shape;
};

QVector<HeatsinkRow> readHeatsinks(const QStringList &lines)
{
    QVector<HeatsinkRow> rows;
    if (lines.isEmpty())
        return rows;
    const QStringList header = fields(lines.first());
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = fields(lines[i]);
        HeatsinkRow row;
        int at = 0;
        int numPackages = 0;
        auto next = [&]() { return at < f.size() ? f[at++].trimmed() : QString(); };
        auto number = [&]() {
            bool ok = false;
            const double v = next().toDouble(&ok);
            return ok ? v : 0.0;
        };
        for (const QString &h : header) {
            const QString name = h.trimmed();
            if (name == QLatin1String("Name"))
                row.name = next();
            else if (name == QLatin1String("Length"))
                row.shape.length = number();
            else if (name == QLatin1String("Width"))
                row.shape.width = number();
            else if (name == QLatin1String("Height"))
                row.shape.height = number();
            else if (name == QLatin1String("FreeAirTheta") || name == QLatin1String("Weight")
                || name == QLatin1String("A") || name == QLatin1String("B") || name == QLatin1String("C")
                || name == QLatin1String("relative_price") || name == QLatin1String("AAVID")
                || name == QLatin1String("drawingLink"))
                next();
            else if (name == QLatin1String("numPackages"))
                numPackages = std::max(0, next().toInt());
            else if (name == QLatin1String("packages"))
                for (int k = 0; k < numPackages; ++k)
                    next();
        }
        if (!row.name.isEmpty())
            rows.append(row);
    }
    return rows;
}

void usage()
{
    std::fprintf(stderr,
        "usage: picturegen RESOURCES_DIR [--packages FILE] [--heatsinks FILE] [--preview DIR]\n"
        "  Reads RESOURCES_DIR/PackageStyles.txt and RESOURCES_DIR/Heatsinks.txt (or the\n"
        "  files given), writes RESOURCES_DIR/pictures/ and RESOURCES_DIR/pictures.qrc.\n"
        "  --preview DIR also writes a PNG copy of every picture and contact sheets.\n");
}

} // namespace
} // namespace pics

int main(int argc, char **argv)
{
    using namespace pics;

    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString resources, packagesPath, heatsinksPath, previewDir;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&]() { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == QLatin1String("--packages"))
            packagesPath = value();
        else if (a == QLatin1String("--heatsinks"))
            heatsinksPath = value();
        else if (a == QLatin1String("--preview"))
            previewDir = value();
        else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            usage();
            return 0;
        } else if (resources.isEmpty() && !a.startsWith(QLatin1String("--")))
            resources = a;
        else {
            usage();
            return 2;
        }
    }
    if (resources.isEmpty()) {
        usage();
        return 2;
    }
    const QDir resDir(resources);
    if (packagesPath.isEmpty())
        packagesPath = resDir.filePath(QStringLiteral("PackageStyles.txt"));
    if (heatsinksPath.isEmpty())
        heatsinksPath = resDir.filePath(QStringLiteral("Heatsinks.txt"));

    bool okP = false, okH = false;
    const QStringList packageLines = catalogLines(packagesPath, &okP);
    const QStringList heatsinkLines = catalogLines(heatsinksPath, &okH);
    if (!okP || !okH) {
        std::fprintf(stderr, "picturegen: cannot read %s\n", qPrintable(!okP ? packagesPath : heatsinksPath));
        return 1;
    }
    const QVector<PackageRow> packages = readPackages(packageLines);
    const QVector<HeatsinkRow> heatsinks = readHeatsinks(heatsinkLines);

    Output out(resources, previewDir);
    if (!out.open())
        return 1;
    bool ok = true;
    const QString app_ = QStringLiteral("app");
    ok &= out.save(QStringLiteral("zarn_splashscreen.png"), splash(), app_);
    ok &= out.save(QStringLiteral("icon_zarn.png"), windowIcon(), app_);
    ok &= out.save(QStringLiteral("Warning.png"), warningSign(), app_);
    ok &= out.save(QStringLiteral("ThreePhaseDelta.png"), wiringPicture(true), app_);
    ok &= out.save(QStringLiteral("ThreePhaseWye.png"), wiringPicture(false), app_);

    const QString home = QStringLiteral("home");
    ok &= out.save(QStringLiteral("PWM.jpg"), pwmButton(), home);
    ok &= out.save(QStringLiteral("Linear.jpg"), linearButton(), home);
    ok &= out.save(QStringLiteral("Power.jpg"), powerButton(), home);
    ok &= out.save(QStringLiteral("Tutorial.jpg"), tutorialButton(), home);
    ok &= out.save(QStringLiteral("IHCP.jpg"), ihcpButton(), home);
    ok &= out.save(QStringLiteral("Motor.jpg"), motorButton(), home);
    ok &= out.save(QStringLiteral("Heatsink.jpg"), heatsinkButton(), home);
    ok &= out.save(QStringLiteral("Stability.jpg"), stabilityButton(), home);
    ok &= out.save(QStringLiteral("Control.jpg"), controlButton(), home);
    ok &= out.save(QStringLiteral("Filter.jpg"), filterButton(), home);
    ok &= out.save(QStringLiteral("SOA.jpg"), soaButton(), home);

    const QString control = QStringLiteral("control");
    ok &= out.save(QStringLiteral("V1SI.png"), controlIcon(ControlKind::V1), control);
    ok &= out.save(QStringLiteral("V2SI.png"), controlIcon(ControlKind::V2), control);
    ok &= out.save(QStringLiteral("I1SI.png"), controlIcon(ControlKind::I1), control);
    ok &= out.save(QStringLiteral("I2SI.png"), controlIcon(ControlKind::I2), control);

    for (const PackageRow &row : packages)
        ok &= out.save(row.code + QStringLiteral(".JPG"), packageCard(row.code, row.shortDesc, row.fullDesc),
            QStringLiteral("packages"));
    for (const HeatsinkRow &row : heatsinks)
        ok &= out.save(row.name + QStringLiteral(".jpg"), heatsinkCard(row.name, row.shape),
            QStringLiteral("heatsinks"));

    if (!ok)
        return 1;
    out.removeStale();
    if (!out.writeQrc())
        return 1;
    out.writeSheets();
    std::printf("picturegen: %d pictures (%d packages, %d heatsinks) written to %s\n", out.count(),
        int(packages.size()), int(heatsinks.size()), qPrintable(resDir.filePath(QStringLiteral("pictures"))));
    return 0;
}

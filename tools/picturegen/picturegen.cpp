// Draws every picture that Ampora compiles in and writes the matching .qrc, so the
// whole set can be rebuilt from the package and heatsink catalogs with one command.
// Everything is drawn from fixed geometry and the catalog rows: no randomness, no dates.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <QTransform>
#include <QVector>
#include <QtMath>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QColor kNavy(0x1f, 0x2d, 0x4d);
const QColor kOrange(0xe0, 0x7b, 0x00);
const QColor kOrangeLight(0xfb, 0xe2, 0xc0);
const QColor kSteel(0x8a, 0x96, 0xa6);
const QColor kSteelDark(0x5b, 0x67, 0x78);
const QColor kSteelLight(0xc9, 0xd1, 0xdb);
const QColor kSteelPale(0xe8, 0xec, 0xf1);
const QColor kPaper(0xf3, 0xf6, 0xf9);
const QColor kPlastic(0x2a, 0x2f, 0x38);
const QColor kPin(0xd4, 0xd9, 0xe0);
const QColor kWater(0x1e, 0x78, 0xd2);
const QColor kBoard(0x3d, 0x7a, 0x5c);

const double kPi = 3.14159265358979323846;

QFont font(int px, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QPen pen(const QColor &c, qreal w)
{
    QPen p(c, w);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage blank(int w, int h, const QColor &fill)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

// Largest pixel size (down to minPx) at which the text fits the width.
QFont fitted(const QString &text, qreal width, int maxPx, int minPx, bool bold)
{
    for (int px = maxPx; px > minPx; --px) {
        QFont f = font(px, bold);
        if (QFontMetricsF(f).horizontalAdvance(text) <= width)
            return f;
    }
    return font(minPx, bold);
}

void drawFittedText(QPainter &p, const QRectF &r, const QString &text, int maxPx, int minPx, bool bold,
    const QColor &c, Qt::Alignment align = Qt::AlignCenter)
{
    QFont f = fitted(text, r.width(), maxPx, minPx, bold);
    p.setFont(f);
    p.setPen(c);
    QString shown = QFontMetricsF(f).elidedText(text, Qt::ElideRight, r.width());
    p.drawText(r, int(align), shown);
}

void drawLabel(QPainter &p, const QPointF &at, const QString &text, int px, bool bold, const QColor &c,
    Qt::Alignment align = Qt::AlignCenter)
{
    QRectF r(at.x() - 100, at.y() - 50, 200, 100);
    if (align & Qt::AlignLeft)
        r.moveLeft(at.x());
    if (align & Qt::AlignRight)
        r.moveRight(at.x());
    if (align & Qt::AlignTop)
        r.moveTop(at.y());
    if (align & Qt::AlignBottom)
        r.moveBottom(at.y());
    p.setFont(font(px, bold));
    p.setPen(c);
    p.drawText(r, int(align), text);
}

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

// ---- Schematic primitives ----

// Runs a two-terminal drawing in a local frame where the part lies from (0,0) to (len,0).
void inFrame(QPainter &p, QPointF a, QPointF b, const std::function<void(qreal)> &draw)
{
    const QPointF d = b - a;
    const qreal len = std::hypot(d.x(), d.y());
    p.save();
    p.translate(a);
    p.rotate(qRadiansToDegrees(std::atan2(d.y(), d.x())));
    draw(len);
    p.restore();
}

void wire(QPainter &p, const QVector<QPointF> &pts, const QColor &c = kNavy, qreal w = 2)
{
    p.setPen(pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(pts.constData(), pts.size());
}

void dot(QPainter &p, QPointF at, qreal r = 3, const QColor &c = kNavy)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(at, r, r);
}

void terminal(QPainter &p, QPointF at, qreal r = 3.5, const QColor &c = kNavy)
{
    p.setPen(pen(c, 1.6));
    p.setBrush(Qt::white);
    p.drawEllipse(at, r, r);
}

void resistor(
    QPainter &p, QPointF a, QPointF b, const QColor &c = kNavy, qreal w = 2, qreal amp = 5, qreal body = 0)
{
    inFrame(p, a, b, [&](qreal len) {
        const qreal bl = body > 0 ? std::min(body, len) : std::min(len * 0.7, 34.0);
        const qreal x0 = (len - bl) / 2;
        QPainterPath path(QPointF(0, 0));
        path.lineTo(x0, 0);
        const int n = 6;
        for (int i = 0; i < n; ++i) {
            const qreal x = x0 + bl * (i + 0.5) / n;
            path.lineTo(x, (i % 2 == 0) ? -amp : amp);
        }
        path.lineTo(x0 + bl, 0);
        path.lineTo(len, 0);
        p.setPen(pen(c, w));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
}

void capacitor(
    QPainter &p, QPointF a, QPointF b, const QColor &c = kNavy, qreal w = 2, qreal plate = 18, qreal gap = 6)
{
    inFrame(p, a, b, [&](qreal len) {
        const qreal m = len / 2;
        p.setPen(pen(c, w));
        p.drawLine(QPointF(0, 0), QPointF(m - gap / 2, 0));
        p.drawLine(QPointF(m + gap / 2, 0), QPointF(len, 0));
        p.setPen(pen(c, w + 1));
        p.drawLine(QPointF(m - gap / 2, -plate / 2), QPointF(m - gap / 2, plate / 2));
        p.drawLine(QPointF(m + gap / 2, -plate / 2), QPointF(m + gap / 2, plate / 2));
    });
}

void inductor(
    QPainter &p, QPointF a, QPointF b, const QColor &c = kNavy, qreal w = 2, int bumps = 4, qreal body = 0)
{
    inFrame(p, a, b, [&](qreal len) {
        const qreal bl = body > 0 ? std::min(body, len) : len * 0.75;
        const qreal x0 = (len - bl) / 2;
        const qreal bw = bl / bumps;
        QPainterPath path(QPointF(0, 0));
        path.lineTo(x0, 0);
        for (int i = 0; i < bumps; ++i)
            path.arcTo(QRectF(x0 + i * bw, -bw / 2, bw, bw), 180, -180);
        path.lineTo(len, 0);
        p.setPen(pen(c, w));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
}

void ground(QPainter &p, QPointF at, qreal w = 16, const QColor &c = kNavy, qreal penW = 2)
{
    p.setPen(pen(c, penW));
    p.drawLine(at, at + QPointF(0, 5));
    for (int i = 0; i < 3; ++i) {
        const qreal hw = w / 2 * (1.0 - i * 0.33);
        const qreal y = at.y() + 5 + i * 4;
        p.drawLine(QPointF(at.x() - hw, y), QPointF(at.x() + hw, y));
    }
}

void arrow(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w = 2, qreal head = 9)
{
    inFrame(p, a, b, [&](qreal len) {
        p.setPen(pen(c, w));
        p.drawLine(QPointF(0, 0), QPointF(std::max(0.0, len - head * 0.8), 0));
        QPolygonF tip;
        tip << QPointF(len, 0) << QPointF(len - head, -head * 0.45) << QPointF(len - head, head * 0.45);
        p.setPen(pen(c, 1));
        p.setBrush(c);
        p.drawPolygon(tip);
    });
}

struct OpAmpPins {
    QPointF minus;
    QPointF plus;
    QPointF out;
};

// A triangle pointing right (or left when mirrored); the minus input is the upper one.
OpAmpPins opAmp(QPainter &p, QRectF r, const QColor &fill, const QColor &line = kNavy, qreal w = 2,
    bool mirrored = false, int signPx = 0)
{
    const qreal inL = mirrored ? r.right() : r.left();
    const qreal tip = mirrored ? r.left() : r.right();
    QPolygonF tri;
    tri << QPointF(inL, r.top()) << QPointF(inL, r.bottom()) << QPointF(tip, r.center().y());
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, fill.lighter(112));
    g.setColorAt(1, fill);
    p.setPen(pen(line, w));
    p.setBrush(g);
    p.drawPolygon(tri);
    OpAmpPins pins { QPointF(inL, r.top() + r.height() / 4), QPointF(inL, r.top() + r.height() * 3 / 4),
        QPointF(tip, r.center().y()) };
    const int px = signPx > 0 ? signPx : int(std::max(8.0, r.height() / 5));
    const qreal sx = inL + (mirrored ? -1 : 1) * (px * 0.75);
    const qreal hs = px * 0.32;
    p.setPen(pen(line, std::max(1.2, px / 8.0)));
    p.drawLine(QPointF(sx - hs, pins.minus.y()), QPointF(sx + hs, pins.minus.y()));
    p.drawLine(QPointF(sx - hs, pins.plus.y()), QPointF(sx + hs, pins.plus.y()));
    p.drawLine(QPointF(sx, pins.plus.y() - hs), QPointF(sx, pins.plus.y() + hs));
    return pins;
}

QPainterPath wave(const QRectF &r, double cycles, double phase, double ampFrac = 1.0)
{
    QPainterPath path;
    const int n = 240;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        const double y = r.center().y() - ampFrac * r.height() / 2 * std::sin(2 * kPi * cycles * t + phase);
        const QPointF pt(r.left() + t * r.width(), y);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

void block(QPainter &p, const QRectF &r, const QString &text, const QColor &fill, const QColor &textColor,
    int px, const QColor &line = kNavy, qreal w = 2)
{
    p.setPen(pen(line, w));
    p.setBrush(fill);
    p.drawRoundedRect(r, 5, 5);
    if (!text.isEmpty())
        drawFittedText(p, r.adjusted(3, 1, -3, -1), text, px, 6, true, textColor);
}

// ---- Frames shared by the pictures ----

void lightBackground(QPainter &p, const QRectF &r, bool border = true)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, kPaper);
    p.fillRect(r, g);
    if (border) {
        p.setPen(pen(kSteelLight, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

using Art = std::function<void(QPainter &, const QRectF &)>;

// A home-page button: the buttons carry no text, so the caption is part of the picture.
QImage homeButton(const QString &caption, const Art &art)
{
    const int w = 360, h = 200;
    QImage img = blank(w, h, Qt::white);
    QPainter p(&img);
    prepare(p);
    lightBackground(p, QRectF(0, 0, w, h));
    p.fillRect(QRectF(1, 150, w - 2, 45), Qt::white);
    p.setPen(pen(kSteelLight, 1));
    p.drawLine(QPointF(10, 150.5), QPointF(w - 10, 150.5));
    p.fillRect(QRectF(0, h - 5, w, 5), kOrange);
    drawFittedText(p, QRectF(10, 152, w - 20, 42), caption, 22, 12, true, kNavy);
    p.save();
    art(p, QRectF(12, 8, w - 24, 136));
    p.restore();
    p.end();
    return img;
}

// A catalog card (package or heatsink): drawing on top, one bold and one plain caption line.
QImage card(const QString &title, const QString &subtitle, const Art &art)
{
    const int w = 240, h = 180;
    QImage img = blank(w, h, Qt::white);
    QPainter p(&img);
    prepare(p);
    lightBackground(p, QRectF(0, 0, w, h));
    p.setPen(pen(kSteelLight, 1));
    p.drawLine(QPointF(8, 134.5), QPointF(w - 8, 134.5));
    drawFittedText(p, QRectF(6, 136, w - 12, 21), title, 16, 9, true, kNavy);
    if (!subtitle.isEmpty())
        drawFittedText(p, QRectF(6, 157, w - 12, 19), subtitle, 13, 8, false, kSteelDark);
    p.save();
    art(p, QRectF(8, 6, w - 16, 124));
    p.restore();
    p.end();
    return img;
}

// ---- Heatsinks ----

struct Box3 {
    QPointF d; // depth offset of the oblique projection
};

void face(QPainter &p, const QPolygonF &poly, const QBrush &b, const QColor &edge = kNavy)
{
    QColor e = edge;
    e.setAlpha(200);
    p.setPen(pen(e, 1.1));
    p.setBrush(b);
    p.drawPolygon(poly);
}

// A box in oblique projection: front face rect, depth going up and to the right.
void obliqueBox(QPainter &p, const QRectF &front, QPointF d, const QColor &frontC, const QColor &topC,
    const QColor &sideC, bool drawTop = true)
{
    QPolygonF side;
    side << front.topRight() << front.topRight() + d << front.bottomRight() + d << front.bottomRight();
    face(p, side, sideC);
    if (drawTop) {
        QPolygonF top;
        top << front.topLeft() << front.topLeft() + d << front.topRight() + d << front.topRight();
        face(p, top, topC);
    }
    QLinearGradient g(front.topLeft(), front.bottomLeft());
    g.setColorAt(0, frontC.lighter(108));
    g.setColorAt(1, frontC.darker(104));
    face(p, QPolygonF(front), g);
}

struct HeatsinkShape {
    double length = 2; // inches, into the picture
    double width = 2; // inches, across
    double height = 1; // inches, fin height above the board
};

// Fin count, fin form and base thickness follow the catalog dimensions, so each heatsink
// looks like its own extrusion rather than one stock drawing.
void drawFinnedHeatsink(QPainter &p, const QRectF &area, const HeatsinkShape &s)
{
    const double W = s.width > 0.05 ? s.width : 2.0;
    const double Hr = s.height > 0.05 ? s.height : 1.0;
    const double Lr = s.length > 0.05 ? s.length : 2.0;
    const double H = std::clamp(Hr, 0.18 * W, 1.25 * W);
    const double L = std::clamp(Lr, 0.35 * W, 1.8 * W);

    const double kx = 0.42 * std::cos(qDegreesToRadians(32.0));
    const double ky = 0.42 * std::sin(qDegreesToRadians(32.0));
    const double scale = std::min((area.width() - 6) / (W + L * kx), (area.height() - 6) / (H + L * ky));
    const double fw = W * scale, fh = H * scale;
    const QPointF d(L * kx * scale, -L * ky * scale);
    const double totalW = fw + d.x(), totalH = fh - d.y();
    const QPointF origin(area.center().x() - totalW / 2, area.center().y() + totalH / 2);

    const int fins = std::clamp(int(std::lround(W * 2.2)) + 2, 4, 14);
    const bool tapered = Hr >= 1.5;
    const bool channel = !tapered && W >= 3.0 && fins >= 8;
    const double baseT = std::clamp(fh * (Hr < 0.7 ? 0.3 : 0.16), 4.0, 14.0);

    const QRectF base(origin.x(), origin.y() - baseT, fw, baseT);
    obliqueBox(p, base, d, kSteel, kSteelPale, kSteelDark);

    const double pitch = fw / fins;
    const double finT = std::clamp(pitch * 0.42, 2.5, 10.0);
    const int chanFrom = fins / 2 - 1, chanTo = fins / 2 + (fins % 2 == 0 ? 0 : 1);
    for (int i = 0; i < fins; ++i) {
        if (channel && i >= chanFrom && i <= chanTo)
            continue;
        const double x = origin.x() + pitch * (i + 0.5) - finT / 2;
        const double top = origin.y() - fh;
        const double bottom = base.top();
        if (tapered) {
            const double tipT = finT * 0.5;
            const double cx = x + finT / 2;
            QPolygonF front;
            front << QPointF(x, bottom) << QPointF(cx - tipT / 2, top) << QPointF(cx + tipT / 2, top)
                  << QPointF(x + finT, bottom);
            QPolygonF side;
            side << front[3] << front[2] << front[2] + d << front[3] + d;
            face(p, side, kSteel);
            QPolygonF topF;
            topF << front[1] << front[1] + d << front[2] + d << front[2];
            face(p, topF, kSteelPale);
            QLinearGradient g(QPointF(0, top), QPointF(0, bottom));
            g.setColorAt(0, kSteelLight);
            g.setColorAt(1, kSteel);
            face(p, front, g);
        } else {
            obliqueBox(p, QRectF(x, top, finT, bottom - top), d, kSteelLight.darker(104), kSteelPale, kSteel);
        }
    }
    if (channel) {
        // A flat mounting pad in the middle, with the package outline on it.
        const double x0 = origin.x() + pitch * chanFrom + pitch * 0.2;
        const double x1 = origin.x() + pitch * (chanTo + 1) - pitch * 0.2;
        const QPointF c = QPointF((x0 + x1) / 2, base.top()) + d * 0.5;
        const double rr = std::min((x1 - x0) * 0.36, 22.0);
        const double sq = 0.45;
        p.setPen(pen(kNavy, 1.1));
        p.setBrush(kSteelPale);
        p.drawEllipse(c, rr * 1.5, rr * 1.5 * sq);
        const double ch = rr * 0.5;
        QPainterPath can;
        can.moveTo(c.x() - rr * 0.75, c.y());
        can.lineTo(c.x() - rr * 0.75, c.y() - ch);
        can.lineTo(c.x() + rr * 0.75, c.y() - ch);
        can.lineTo(c.x() + rr * 0.75, c.y());
        can.arcTo(QRectF(c.x() - rr * 0.75, c.y() - rr * 0.75 * sq, rr * 1.5, rr * 1.5 * sq), 0, -180);
        QLinearGradient cg(QPointF(c.x() - rr, 0), QPointF(c.x() + rr, 0));
        cg.setColorAt(0, kSteel);
        cg.setColorAt(0.4, Qt::white);
        cg.setColorAt(1, kSteelDark);
        p.setBrush(cg);
        p.drawPath(can);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(c.x(), c.y() - ch), rr * 0.75, rr * 0.75 * sq);
    }
}

// The smallest heatsinks are stamped U-channels with a TO-220 lying on the base.
void drawStampedHeatsink(QPainter &p, const QRectF &area, const HeatsinkShape &s)
{
    const double W = s.width;
    const double H = std::clamp(s.height > 0.05 ? s.height : 0.5, 0.35 * W, 0.8 * W);
    const double L = std::clamp(s.length > 0.05 ? s.length : 1.0, 1.0 * W, 1.8 * W);
    const double kx = 0.5 * std::cos(qDegreesToRadians(32.0));
    const double ky = 0.5 * std::sin(qDegreesToRadians(32.0));
    const double lipX = 0.1 * W;
    const double scale
        = std::min((area.width() - 10) / (W + 2 * lipX + L * kx), (area.height() - 10) / (H + L * ky));
    const QPointF d(L * kx * scale, -L * ky * scale);
    const double totalW = (W + 2 * lipX) * scale + d.x(), totalH = H * scale - d.y();
    const QPointF o(area.center().x() - totalW / 2 + lipX * scale, area.center().y() + totalH / 2);
    auto at = [&](double x, double y) { return QPointF(o.x() + x * scale, o.y() - y * scale); };

    const QVector<QPointF> profile { at(-lipX, H), at(0, H), at(0.1 * W, 0), at(0.9 * W, 0), at(W, H),
        at(W + lipX, H) };
    const QColor shades[5] = { kSteelPale, kSteelLight, kSteelPale, kSteel, kSteelPale };
    auto strip = [&](int i) {
        QPolygonF q;
        q << profile[i] << profile[i + 1] << profile[i + 1] + d << profile[i] + d;
        face(p, q, shades[i]);
    };
    strip(2);
    strip(0);
    strip(1);

    // TO-220 on the base, leads toward the viewer.
    QPolygonF baseTop;
    baseTop << profile[2] << profile[3] << profile[3] + d << profile[2] + d;
    QTransform t;
    if (QTransform::squareToQuad(baseTop, t)) {
        auto quad = [&](double u0, double v0, double u1, double v1) {
            QPolygonF q;
            q << t.map(QPointF(u0, v0)) << t.map(QPointF(u1, v0)) << t.map(QPointF(u1, v1))
              << t.map(QPointF(u0, v1));
            return q;
        };
        for (int k = 0; k < 3; ++k) {
            const double u = 0.26 + 0.12 * k;
            p.setPen(pen(kSteelDark, 3.2));
            p.drawLine(t.map(QPointF(u, 0.12)), t.map(QPointF(u, -0.45)));
            p.setPen(pen(Qt::white, 1.6));
            p.drawLine(t.map(QPointF(u, 0.12)), t.map(QPointF(u, -0.45)));
        }
        face(p, quad(0.18, 0.48, 0.58, 0.92), QColor(0xe6, 0xea, 0xef));
        p.setPen(pen(kNavy, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(t.map(QPointF(0.38, 0.72)), 3.5, 2.2);
        face(p, quad(0.18, 0.1, 0.58, 0.5), kPlastic);
    }
    strip(3);
    strip(4);
    p.setPen(pen(kSteelDark, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(profile.constData(), profile.size());
}

void drawColdPlate(QPainter &p, const QRectF &area, const HeatsinkShape &s)
{
    const double W = s.width > 0.05 ? s.width : 3.0;
    const double L = std::clamp(s.length > 0.05 ? s.length : 4.0, 0.5 * W, 1.6 * W);
    const double T = std::clamp(s.height > 0.05 ? s.height : 0.5, 0.12 * W, 0.3 * W);
    const double kx = 0.6 * std::cos(qDegreesToRadians(30.0));
    const double ky = 0.6 * std::sin(qDegreesToRadians(30.0));
    const double fitW = area.width() - 70; // room for the hose fittings on the left
    const double scale = std::min(fitW / (W + L * kx), (area.height() - 10) / (T + L * ky));
    const double fw = W * scale, ft = T * scale;
    const QPointF d(L * kx * scale, -L * ky * scale);
    const QPointF origin(area.right() - 4 - (fw + d.x()), area.center().y() + (ft - d.y()) / 2);
    const QRectF front(origin.x(), origin.y() - ft, fw, ft);

    // Hose fittings leave the left side face at two depths; draw them first, the plate covers their ends.
    const double depths[2] = { 0.28, 0.72 };
    for (int k = 0; k < 2; ++k) {
        const QPointF sideMid = front.topLeft() + d * depths[k] + QPointF(0, ft / 2);
        const double r = std::max(4.0, ft * 0.32);
        const QRectF hose(sideMid.x() - 34, sideMid.y() - r, 36, 2 * r);
        QLinearGradient g(hose.topLeft(), hose.bottomLeft());
        g.setColorAt(0, kSteelLight);
        g.setColorAt(0.5, Qt::white);
        g.setColorAt(1, kSteel);
        p.setPen(pen(kNavy, 1.2));
        p.setBrush(g);
        p.drawRect(hose);
        p.drawEllipse(QPointF(hose.left(), sideMid.y()), r * 0.45, r);
        for (int b = 1; b <= 2; ++b) {
            const double bx = hose.left() + 8 * b;
            p.drawLine(QPointF(bx, hose.top() - 1.5), QPointF(bx, hose.bottom() + 1.5));
        }
        const QPointF tipOut = QPointF(hose.left() - 6, sideMid.y());
        const QPointF far = tipOut - QPointF(26, 0);
        if (k == 0)
            arrow(p, far, tipOut, kWater, 3, 10);
        else
            arrow(p, tipOut, far, kWater, 3, 10);
        drawLabel(p, QPointF(far.x() + 13, sideMid.y() - r - 3), k == 0 ? "IN" : "OUT", 10, true, kWater,
            Qt::AlignHCenter | Qt::AlignBottom);
    }

    QPolygonF left;
    left << front.topLeft() << front.topLeft() + d << front.bottomLeft() + d << front.bottomLeft();
    face(p, left, kSteelDark);
    obliqueBox(p, front, d, kSteel, kSteelPale, kSteelDark);

    // The coolant channel shows through the top as a dashed serpentine.
    QPolygonF top;
    top << front.topLeft() << front.topRight() << front.topRight() + d << front.topLeft() + d;
    QTransform t;
    if (QTransform::squareToQuad(top, t)) {
        QPainterPath path;
        const int passes = 4;
        for (int i = 0; i < passes; ++i) {
            const double v = 0.18 + 0.64 * i / (passes - 1);
            const double u0 = (i % 2 == 0) ? 0.1 : 0.9, u1 = (i % 2 == 0) ? 0.9 : 0.1;
            if (i == 0)
                path.moveTo(t.map(QPointF(0.0, v)));
            path.lineTo(t.map(QPointF(u0, v)));
            path.lineTo(t.map(QPointF(u1, v)));
            if (i + 1 < passes)
                path.lineTo(t.map(QPointF(u1, 0.18 + 0.64 * (i + 1) / (passes - 1))));
        }
        QPen dash = pen(kWater, 2);
        dash.setStyle(Qt::DashLine);
        p.setPen(dash);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

QString inches(double v)
{
    return QString::number(v, 'g', 3);
}

QImage heatsinkCard(const QString &name, const HeatsinkShape &s)
{
    const bool water = name.contains(QStringLiteral("H2O"));
    QString dims;
    if (s.length > 0 || s.width > 0 || s.height > 0)
        dims = QStringLiteral("%1 x %2 x %3 in (L x W x H)")
                   .arg(inches(s.length), inches(s.width), inches(s.height));
    if (water)
        dims = dims.isEmpty() ? QStringLiteral("liquid-cooled plate")
                              : QStringLiteral("liquid-cooled, ") + dims;
    return card(name, dims, [&](QPainter &p, const QRectF &r) {
        if (water)
            drawColdPlate(p, r, s);
        else if (s.width > 0.05 && s.width <= 1.0)
            drawStampedHeatsink(p, r.adjusted(20, 0, -20, 0), s);
        else
            drawFinnedHeatsink(p, r.adjusted(10, 0, -10, 0), s);
    });
}

// ---- Packages ----

enum class PackageKind { To3, PowerDip, Sip, Psop, To220, To263, OpenFrame, PowerModule, Foil, Generic };

struct PackageInfo {
    PackageKind kind = PackageKind::Generic;
    int pins = 8;
    bool pinsStated = false;
    bool power = false; // carries an exposed heat slug
};

PackageInfo classifyPackage(const QString &code, const QString &shortDesc, const QString &fullDesc)
{
    const QString all = (shortDesc + QLatin1Char(' ') + fullDesc + QLatin1Char(' ') + code).toUpper();
    const QString desc = (shortDesc + QLatin1Char(' ') + fullDesc).toUpper();
    auto has = [&](const char *pattern) {
        return QRegularExpression(QLatin1String(pattern)).match(all).hasMatch();
    };
    PackageInfo info;
    if (has("OPEN[ -]?FRAME"))
        info.kind = PackageKind::OpenFrame;
    else if (has("MODULE") || has("HYBRID"))
        info.kind = PackageKind::PowerModule;
    else if (has("TO-?263") || has("D2 ?PAK") || has("DDPAK") || has("D\\xB2PAK"))
        info.kind = PackageKind::To263;
    else if (has("TO-?220"))
        info.kind = PackageKind::To220;
    else if (has("TO-?3(?![0-9P])"))
        info.kind = PackageKind::To3;
    else if (has("PSOP") || has("SURFACE") || has("\\bSMD\\b") || has("\\bSMT\\b") || has("\\bSOIC")
        || has("\\bSO-?[0-9]") || has("QFP"))
        info.kind = PackageKind::Psop;
    else if (has("(^|[^A-Z])P?SIP") || has("\\bZIP\\b") || has("SINGLE[ -]IN[ -]LINE"))
        info.kind = PackageKind::Sip;
    else if (has("DIP") || has("DUAL[ -]IN[ -]LINE") || has("MO-127"))
        info.kind = PackageKind::PowerDip;
    else if (has("FOIL"))
        info.kind = PackageKind::Foil;

    const QRegularExpression perPin(QStringLiteral("(\\d+)\\s*-?\\s*(PIN|LEAD|LD\\b|POS)"));
    const QRegularExpression afterName(
        QStringLiteral("(?:DIP|SIP|PSOP|SOP|SOIC|QFP|TO-?220|TO-?263|TO-?3)\\s*-\\s*(\\d+)"));
    QRegularExpressionMatch m = perPin.match(desc);
    if (!m.hasMatch())
        m = afterName.match(desc);
    if (m.hasMatch()) {
        info.pins = std::clamp(m.captured(1).toInt(), 1, 64);
        info.pinsStated = true;
    } else {
        switch (info.kind) {
        case PackageKind::To3:
            info.pins = 8;
            break;
        case PackageKind::PowerDip:
            info.pins = 12;
            break;
        case PackageKind::Sip:
            info.pins = 12;
            break;
        case PackageKind::Psop:
            info.pins = 20;
            break;
        case PackageKind::To220:
            info.pins = 3;
            break;
        case PackageKind::To263:
            info.pins = 5;
            break;
        case PackageKind::OpenFrame:
            info.pins = 10;
            break;
        case PackageKind::PowerModule:
            info.pins = 24;
            break;
        case PackageKind::Foil:
            info.pins = 6;
            break;
        case PackageKind::Generic:
            info.pins = 8;
            break;
        }
    }
    info.power = has("POWER") || has("PSOP") || has("MO-1[0-9][0-9]") || has("SURFACE");
    return info;
}

QString kindDescription(PackageKind kind)
{
    switch (kind) {
    case PackageKind::To3:
        return QStringLiteral("metal can with mounting flange");
    case PackageKind::PowerDip:
        return QStringLiteral("dual in-line package");
    case PackageKind::Sip:
        return QStringLiteral("single in-line, mounting tab");
    case PackageKind::Psop:
        return QStringLiteral("gull-wing leads, exposed heat slug");
    case PackageKind::To220:
        return QStringLiteral("through-hole tab package");
    case PackageKind::To263:
        return QStringLiteral("surface-mount tab package");
    case PackageKind::OpenFrame:
        return QStringLiteral("open-frame module board");
    case PackageKind::PowerModule:
        return QStringLiteral("encapsulated module, metal baseplate");
    case PackageKind::Foil:
        return QStringLiteral("flat package, foil leads");
    case PackageKind::Generic:
        break;
    }
    return QStringLiteral("package outline");
}

void pin1Mark(QPainter &p, QPointF at, qreal r = 3.5)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawEllipse(at, r, r);
}

QLinearGradient plasticGradient(const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kPlastic.lighter(150));
    g.setColorAt(1, kPlastic);
    return g;
}

QLinearGradient metalGradient(const QRectF &r, bool horizontal = false)
{
    QLinearGradient g(r.topLeft(), horizontal ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, kSteelPale);
    g.setColorAt(0.45, kSteelLight);
    g.setColorAt(1, kSteel);
    return g;
}

void leadRect(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, kSteelLight);
    g.setColorAt(0.5, Qt::white);
    g.setColorAt(1, kSteel);
    p.setPen(pen(kSteelDark, 0.9));
    p.setBrush(g);
    p.drawRect(r);
}

QPolygonF convexHull(QVector<QPointF> pts)
{
    std::sort(pts.begin(), pts.end(), [](const QPointF &a, const QPointF &b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    auto cross = [](const QPointF &o, const QPointF &a, const QPointF &b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QVector<QPointF> h(2 * pts.size());
    int k = 0;
    for (int i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    for (int i = pts.size() - 2, t = k + 1; i >= 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    h.resize(std::max(0, k - 1));
    return QPolygonF(h);
}

// The TO-3 seen from above and in front: flattened flange with its two mounting holes,
// the domed can, and the pins standing out below the flange.
void drawTo3(QPainter &p, const QRectF &r, int pins)
{
    const QPointF c(r.center().x(), r.top() + r.height() * 0.42);
    const double R = std::min(r.width() * 0.155, 34.0);
    const double end = R * 0.55;
    const double span = R * 2.35;
    const double sq = 0.5;
    QVector<QPointF> pts;
    for (int i = 0; i < 72; ++i) {
        const double a = 2 * kPi * i / 72;
        pts << QPointF(c.x() + R * 1.12 * std::cos(a), c.y() + R * 1.12 * std::sin(a) * sq);
        pts << QPointF(c.x() - span + end * std::cos(a), c.y() + end * std::sin(a) * sq);
        pts << QPointF(c.x() + span + end * std::cos(a), c.y() + end * std::sin(a) * sq);
    }
    const QPolygonF flange = convexHull(pts);
    const double thick = 5;

    // Pins first: the flange hides their upper ends.
    const double pinR = R * 0.72;
    const double pinLen = r.height() * 0.42;
    for (int i = 0; i < pins; ++i) {
        const double a = kPi * (0.08 + 0.84 * (pins == 1 ? 0.5 : double(i) / (pins - 1)));
        const QPointF base(c.x() - pinR * std::cos(a), c.y() + pinR * std::sin(a) * sq);
        const QRectF lead(base.x() - 1.8, base.y(), 3.6, pinLen);
        leadRect(p, lead);
    }
    QPolygonF edge = flange.translated(0, thick);
    face(p, edge, kSteelDark);
    QLinearGradient g(flange.boundingRect().topLeft(), flange.boundingRect().bottomRight());
    g.setColorAt(0, kSteelPale);
    g.setColorAt(1, kSteel);
    face(p, flange, g);
    for (int s : { -1, 1 }) {
        const QPointF h(c.x() + s * span, c.y());
        p.setPen(pen(kNavy, 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(h, end * 0.45, end * 0.45 * sq);
    }
    // Can: a short cylinder with a domed top.
    const double cr = R * 0.92;
    const double ch = R * 0.55;
    QPainterPath body;
    body.moveTo(c.x() - cr, c.y());
    body.lineTo(c.x() - cr, c.y() - ch);
    body.arcTo(QRectF(c.x() - cr, c.y() - ch - cr * sq, 2 * cr, 2 * cr * sq), 180, -180);
    body.lineTo(c.x() + cr, c.y());
    body.arcTo(QRectF(c.x() - cr, c.y() - cr * sq, 2 * cr, 2 * cr * sq), 0, -180);
    QLinearGradient cg(QPointF(c.x() - cr, 0), QPointF(c.x() + cr, 0));
    cg.setColorAt(0, kSteel);
    cg.setColorAt(0.35, Qt::white);
    cg.setColorAt(1, kSteelDark);
    p.setPen(pen(kNavy, 1.2));
    p.setBrush(cg);
    p.drawPath(body);
    QRadialGradient dome(QPointF(c.x() - cr * 0.3, c.y() - ch - cr * sq * 0.3), cr);
    dome.setColorAt(0, Qt::white);
    dome.setColorAt(1, kSteelLight);
    p.setBrush(dome);
    p.drawEllipse(QRectF(c.x() - cr, c.y() - ch - cr * sq, 2 * cr, 2 * cr * sq));
    pin1Mark(p, QPointF(c.x() - pinR * 1.05, c.y() + R * 0.9 * sq + thick + 9), 3);
}

// Top view of a dual-row package: body, notch, pin-1 dot and the two rows of leads.
void drawDualRow(QPainter &p, const QRectF &r, int pins, bool gullWing, bool slug)
{
    const int perSide = std::max(1, (pins + 1) / 2);
    const double leadLen = gullWing ? 13 : 16;
    double bodyW = std::min(r.width() - 16, 20.0 + perSide * 14.0);
    double bodyH = std::min(r.height() - 2 * leadLen - (gullWing ? 42 : 8), bodyW * 0.62);
    bodyH = std::max(bodyH, 34.0);
    const QRectF body(r.center().x() - bodyW / 2, r.top() + leadLen + 4, bodyW, bodyH);
    const double pitch = (bodyW - 12) / perSide;
    const double lw = std::min(pitch * 0.5, 7.0);
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < perSide; ++i) {
            const double x = body.left() + 6 + pitch * (i + 0.5) - lw / 2;
            const QRectF lead = side == 0 ? QRectF(x, body.bottom(), lw, leadLen)
                                          : QRectF(x, body.top() - leadLen, lw, leadLen);
            leadRect(p, lead);
            if (gullWing) {
                // The lighter outer half is the foot that lies on the board.
                const QRectF foot = side == 0 ? QRectF(x, body.bottom() + leadLen * 0.5, lw, leadLen * 0.5)
                                              : QRectF(x, body.top() - leadLen, lw, leadLen * 0.5);
                p.setPen(pen(kSteelDark, 0.9));
                p.setBrush(Qt::white);
                p.drawRect(foot);
            }
        }
    }
    QPainterPath bodyPath;
    bodyPath.addRoundedRect(body, 3, 3);
    if (!gullWing) {
        QPainterPath notch;
        notch.addEllipse(QPointF(body.left(), body.center().y()), 7, 7);
        bodyPath = bodyPath.subtracted(notch);
    }
    p.setPen(pen(kNavy, 1.4));
    p.setBrush(plasticGradient(body));
    p.drawPath(bodyPath);
    if (slug) {
        const QRectF s = body.adjusted(bodyW * 0.22, bodyH * 0.2, -bodyW * 0.22, -bodyH * 0.2);
        p.setPen(pen(kSteelDark, 1));
        p.setBrush(metalGradient(s));
        p.drawRect(s);
    }
    pin1Mark(p, QPointF(body.left() + 9, body.bottom() - 9), 3);

    if (gullWing) {
        // Side profile under the top view shows the gull-wing form of the leads.
        const double y = std::min(r.bottom() - 4, body.bottom() + leadLen + 24);
        const QRectF prof(body.left() + bodyW * 0.2, y - 10, bodyW * 0.6, 8);
        p.setPen(pen(kNavy, 1.2));
        p.setBrush(plasticGradient(prof));
        p.drawRect(prof);
        p.setPen(pen(kSteelDark, 2));
        p.setBrush(Qt::NoBrush);
        for (int s : { -1, 1 }) {
            const double x0 = s < 0 ? prof.left() : prof.right();
            QPolygonF l;
            l << QPointF(x0, prof.center().y()) << QPointF(x0 + s * 5, prof.center().y())
              << QPointF(x0 + s * 8, y + 2) << QPointF(x0 + s * 15, y + 2);
            p.drawPolyline(l);
        }
        p.setPen(pen(kSteelLight, 1));
        p.drawLine(QPointF(prof.left() - 22, y + 3.5), QPointF(prof.right() + 22, y + 3.5));
    }
}

// A single-in-line power package: metal tab with holes on top, body, one row of leads.
void drawSip(QPainter &p, const QRectF &r, int pins)
{
    const double bodyW = std::min(r.width() - 20, 30.0 + pins * 12.0);
    const double tabH = 22, bodyH = 36;
    const double top = r.top() + 6;
    const QRectF tab(r.center().x() - bodyW / 2 - 8, top, bodyW + 16, tabH);
    const QRectF body(r.center().x() - bodyW / 2, top + tabH - 2, bodyW, bodyH);
    const double pitch = (bodyW - 10) / pins;
    const double lw = std::min(pitch * 0.45, 5.0);
    const bool staggered = pitch < 12 && pins > 6;
    for (int i = 0; i < pins; ++i) {
        const double x = body.left() + 5 + pitch * (i + 0.5) - lw / 2;
        const double len
            = (staggered && i % 2) ? r.bottom() - body.bottom() - 2 : (r.bottom() - body.bottom()) * 0.78;
        if (staggered && i % 2) {
            // Alternate leads are formed out of line so the footprint can use two rows.
            leadRect(p, QRectF(x, body.bottom(), lw, 8));
            QPolygonF bend;
            bend << QPointF(x, body.bottom() + 8) << QPointF(x + lw, body.bottom() + 8)
                 << QPointF(x + lw, body.bottom() + 16) << QPointF(x, body.bottom() + 16);
            p.setPen(pen(kSteelDark, 0.9));
            p.setBrush(kSteelLight);
            p.drawPolygon(bend);
            leadRect(p, QRectF(x, body.bottom() + 16, lw, len - 16));
        } else {
            leadRect(p, QRectF(x, body.bottom(), lw, len));
        }
    }
    p.setPen(pen(kNavy, 1.3));
    p.setBrush(metalGradient(tab));
    p.drawRoundedRect(tab, 3, 3);
    for (int s : { -1, 1 }) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(tab.center().x() + s * (tab.width() / 2 - 11), tab.center().y() - 2), 4.5, 4.5);
    }
    p.setBrush(plasticGradient(body));
    p.drawRoundedRect(body, 2, 2);
    pin1Mark(p, QPointF(body.left() + 8, body.bottom() - 8), 3);
}

// TO-220 front view: tab with hole, moulded body, leads (staggered when there are many).
void drawTo220(QPainter &p, const QRectF &r, int pins)
{
    const double bodyW = std::clamp(34.0 + pins * 9.0, 60.0, r.width() * 0.7);
    const double top = r.top() + 4;
    const QRectF tab(r.center().x() - bodyW / 2, top, bodyW, 34);
    const QRectF body(tab.left(), tab.bottom() - 2, bodyW, 40);
    const double pitch = (bodyW - 10) / pins;
    const double lw = std::min(pitch * 0.42, 6.0);
    const bool staggered = pins > 5;
    for (int i = 0; i < pins; ++i) {
        const double x = body.left() + 5 + pitch * (i + 0.5) - lw / 2;
        const double len = r.bottom() - body.bottom() - ((staggered && i % 2) ? 0 : 12);
        leadRect(p, QRectF(x - lw * 0.3, body.bottom(), lw * 1.6, 6));
        leadRect(p, QRectF(x, body.bottom() + 6, lw, len - 6));
    }
    QPainterPath tp;
    tp.addRoundedRect(tab, 2, 2);
    QPainterPath notch;
    notch.addRect(QRectF(tab.left() - 1, tab.top() + 6, 5, 6));
    notch.addRect(QRectF(tab.right() - 4, tab.top() + 6, 5, 6));
    tp = tp.subtracted(notch);
    p.setPen(pen(kNavy, 1.3));
    p.setBrush(metalGradient(tab));
    p.drawPath(tp);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(tab.center().x(), tab.top() + 15), 6, 6);
    p.setBrush(plasticGradient(body));
    p.drawRoundedRect(body, 2, 2);
    pin1Mark(p, QPointF(body.left() + 8, body.bottom() - 8), 3);
}

// TO-263 seen from above: the tab shows behind the body, short bent leads in front.
void drawTo263(QPainter &p, const QRectF &r, int pins)
{
    const double bodyW = std::clamp(40.0 + pins * 10.0, 70.0, r.width() * 0.66);
    const QRectF tab(r.center().x() - bodyW / 2 - 4, r.top() + 6, bodyW + 8, 26);
    const QRectF body(r.center().x() - bodyW / 2, tab.top() + 14, bodyW, 56);
    const double pitch = (bodyW - 10) / pins;
    const double lw = std::min(pitch * 0.42, 7.0);
    for (int i = 0; i < pins; ++i) {
        const double x = body.left() + 5 + pitch * (i + 0.5) - lw / 2;
        const bool cut = pins == 3 && i == 1; // the centre lead of the 3-lead part is trimmed
        const double len = cut ? 5 : 26;
        leadRect(p, QRectF(x, body.bottom(), lw, len));
        if (!cut) {
            p.setPen(pen(kSteelDark, 0.9));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(x - 1, body.bottom() + len - 10, lw + 2, 10));
        }
    }
    p.setPen(pen(kNavy, 1.3));
    p.setBrush(metalGradient(tab));
    p.drawRoundedRect(tab, 3, 3);
    p.setBrush(plasticGradient(body));
    p.drawRoundedRect(body, 3, 3);
    pin1Mark(p, QPointF(body.left() + 9, body.bottom() - 9), 3);
    p.setPen(pen(kPlastic.lighter(200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(body.right() - 14, body.bottom() - 14), 5, 5);
}

// An open-frame module: a bare board with parts, mounting holes and a pin header.
void drawOpenFrame(QPainter &p, const QRectF &r, int pins)
{
    const QRectF board(r.left() + 14, r.top() + 6, r.width() - 28, r.height() - 24);
    p.setPen(pen(kBoard.darker(150), 1.4));
    QLinearGradient g(board.topLeft(), board.bottomRight());
    g.setColorAt(0, kBoard.lighter(125));
    g.setColorAt(1, kBoard);
    p.setBrush(g);
    p.drawRoundedRect(board, 4, 4);
    for (QPointF c : { board.topLeft() + QPointF(8, 8), board.topRight() + QPointF(-8, 8),
             board.bottomLeft() + QPointF(8, -8), board.bottomRight() + QPointF(-8, -8) }) {
        p.setPen(pen(QColor(0xd8, 0xb0, 0x50), 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(c, 3.5, 3.5);
    }
    // Traces.
    p.setPen(pen(kBoard.lighter(165), 1.3));
    p.drawPolyline(QPolygonF({ board.topLeft() + QPointF(30, 20), board.topLeft() + QPointF(60, 20),
        board.topLeft() + QPointF(70, 50), board.topLeft() + QPointF(110, 50) }));
    p.drawPolyline(QPolygonF({ board.topLeft() + QPointF(30, 70), board.topLeft() + QPointF(90, 70),
        board.topLeft() + QPointF(100, 60) }));
    // Heatsink bar along the top edge.
    const QRectF hs(board.left() + 22, board.top() + 4, board.width() * 0.45, 12);
    p.setPen(pen(kNavy, 1));
    p.setBrush(metalGradient(hs));
    p.drawRect(hs);
    for (int i = 1; i < 8; ++i)
        p.drawLine(QPointF(hs.left() + hs.width() * i / 8, hs.top()),
            QPointF(hs.left() + hs.width() * i / 8, hs.bottom()));
    // Power IC, two electrolytics, a toroid and a few chip parts.
    const QRectF ic(board.left() + 30, board.top() + 26, 44, 30);
    p.setBrush(plasticGradient(ic));
    p.setPen(pen(kNavy, 1.2));
    p.drawRoundedRect(ic, 2, 2);
    for (int i = 0; i < 5; ++i) {
        leadRect(p, QRectF(ic.left() + 4 + i * 8, ic.bottom(), 3, 5));
        leadRect(p, QRectF(ic.left() + 4 + i * 8, ic.top() - 5, 3, 5));
    }
    for (int k = 0; k < 2; ++k) {
        const QPointF c(board.left() + board.width() * 0.62 + k * 26, board.top() + board.height() * 0.32);
        QRadialGradient cg(c - QPointF(3, 3), 12);
        cg.setColorAt(0, QColor(0x6d, 0x84, 0xb8));
        cg.setColorAt(1, kNavy);
        p.setBrush(cg);
        p.setPen(pen(kNavy.darker(130), 1));
        p.drawEllipse(c, 11, 11);
        p.setPen(pen(kSteelLight, 1.2));
        p.drawLine(c + QPointF(-5, 0), c + QPointF(5, 0));
        p.drawLine(c + QPointF(0, -5), c + QPointF(0, 5));
    }
    const QPointF tor(board.left() + board.width() * 0.62, board.top() + board.height() * 0.68);
    p.setPen(pen(QColor(0xb0, 0x60, 0x20), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(tor, 12, 12);
    p.setPen(pen(kPlastic, 1));
    p.setBrush(kSteelDark);
    p.drawEllipse(tor, 6, 6);
    for (int i = 0; i < 3; ++i) {
        const QRectF chip(board.left() + board.width() * 0.82, board.top() + 38 + i * 12, 12, 6);
        p.setPen(pen(kPlastic, 0.8));
        p.setBrush(QColor(0xc8, 0xa8, 0x70));
        p.drawRect(chip);
    }
    // Pin header along the bottom edge, one pad per pin.
    const int n = std::clamp(pins, 1, 30);
    const double pitch = std::min(12.0, (board.width() - 40) / n);
    const double x0 = board.center().x() - pitch * (n - 1) / 2;
    for (int i = 0; i < n; ++i) {
        const QPointF c(x0 + pitch * i, board.bottom() - 10);
        p.setPen(pen(QColor(0x9a, 0x78, 0x20), 1));
        p.setBrush(QColor(0xe8, 0xc0, 0x60));
        p.drawEllipse(c, std::min(4.0, pitch * 0.38), std::min(4.0, pitch * 0.38));
        leadRect(p, QRectF(c.x() - 1.2, board.bottom(), 2.4, 14));
    }
    pin1Mark(p, QPointF(x0, board.bottom() - 19), 2.5);
}

// An encapsulated power module: metal baseplate with mounting ears on top, two rows of pins below.
void drawPowerModule(QPainter &p, const QRectF &r, int pins)
{
    const int perRow = std::max(1, (pins + 1) / 2);
    const QPointF d(40, -22);
    const double bodyW = 150, bodyH = 34, plateH = 7, ear = 16, pinLen = 28;
    const QPointF o(r.center().x() - (bodyW + d.x()) / 2, r.top() + 4 - d.y() + plateH + bodyH);
    const QRectF body(o.x(), o.y() - bodyH, bodyW, bodyH);
    const QRectF plate(body.left() - ear, body.top() - plateH, bodyW + 2 * ear, plateH);
    const double pitch = (bodyW - 12) / perRow;
    const double lw = std::min(pitch * 0.4, 3.0);
    auto row = [&](QPointF shift) {
        for (int i = 0; i < perRow; ++i) {
            const double x = body.left() + 6 + pitch * (i + 0.5) - lw / 2;
            leadRect(p, QRectF(QPointF(x, body.bottom() - 4) + shift, QSizeF(lw, pinLen + 4)));
        }
    };
    row(d * 0.8);
    obliqueBox(p, body, d, kPlastic.lighter(140), kPlastic, kPlastic.darker(120), false);
    obliqueBox(p, plate, d, kSteelLight, kSteelPale, kSteel);
    QPolygonF top;
    top << plate.topLeft() << plate.topRight() << plate.topRight() + d << plate.topLeft() + d;
    QTransform t;
    if (QTransform::squareToQuad(top, t)) {
        p.setPen(pen(kNavy, 1.1));
        p.setBrush(Qt::white);
        for (double u : { 0.05, 0.95 })
            p.drawEllipse(t.map(QPointF(u, 0.5)), 4.5, 3);
    }
    row(QPointF(0, 0));
    pin1Mark(p, QPointF(body.left() + 8, body.bottom() - 8), 3);
}

// A thin flat package whose wide foil leads leave both ends.
void drawFoil(QPainter &p, const QRectF &r, int pins)
{
    const int perSide = std::max(1, (pins + 1) / 2);
    const QRectF body(r.center().x() - 46, r.top() + 18, 92, 80);
    const double pitch = body.height() / perSide;
    const double lw = std::min(pitch * 0.55, 14.0);
    for (int side : { -1, 1 }) {
        for (int i = 0; i < perSide; ++i) {
            const double y = body.top() + pitch * (i + 0.5) - lw / 2;
            const QRectF lead
                = side < 0 ? QRectF(body.left() - 34, y, 34, lw) : QRectF(body.right(), y, 34, lw);
            QLinearGradient g(lead.topLeft(), lead.bottomLeft());
            g.setColorAt(0, QColor(0xf0, 0xc8, 0x80));
            g.setColorAt(1, QColor(0xc0, 0x88, 0x40));
            p.setPen(pen(QColor(0x8a, 0x60, 0x20), 1));
            p.setBrush(g);
            p.drawRect(lead);
        }
    }
    p.setPen(pen(kNavy, 1.3));
    p.setBrush(plasticGradient(body));
    p.drawRoundedRect(body, 4, 4);
    pin1Mark(p, QPointF(body.left() + 9, body.top() + 9), 3);
}

QImage packageCard(const QString &code, const QString &shortDesc, const QString &fullDesc)
{
    const PackageInfo info = classifyPackage(code, shortDesc, fullDesc);
    // The pin count is printed only when the catalog states it; a drawn default is no fact.
    const QString title = shortDesc.trimmed().isEmpty() ? code : shortDesc.trimmed();
    QString subtitle = fullDesc.trimmed();
    if (subtitle.isEmpty() || subtitle.compare(title, Qt::CaseInsensitive) == 0)
        subtitle = kindDescription(info.kind);
    return card(title, subtitle, [&](QPainter &p, const QRectF &r) {
        switch (info.kind) {
        case PackageKind::To3:
            drawTo3(p, r, info.pins);
            break;
        case PackageKind::PowerDip:
            drawDualRow(p, r, info.pins, false, info.power);
            break;
        case PackageKind::Psop:
            drawDualRow(p, r, info.pins, true, info.power);
            break;
        case PackageKind::Sip:
            drawSip(p, r, info.pins);
            break;
        case PackageKind::To220:
            drawTo220(p, r, info.pins);
            break;
        case PackageKind::To263:
            drawTo263(p, r, info.pins);
            break;
        case PackageKind::OpenFrame:
            drawOpenFrame(p, r, info.pins);
            break;
        case PackageKind::PowerModule:
            drawPowerModule(p, r, info.pins);
            break;
        case PackageKind::Foil:
            drawFoil(p, r, info.pins);
            break;
        case PackageKind::Generic:
            drawDualRow(p, r, info.pins, false, false);
            break;
        }
    });
}

// ---- Home-page buttons ----

QImage pwmButton()
{
    return homeButton(QStringLiteral("PWM Amplifier Selector"), [](QPainter &p, const QRectF &r) {
        const QRectF wr(r.left() + 6, r.top() + 22, 184, 92);
        QPen dashed = pen(kSteel, 1.6);
        dashed.setStyle(Qt::DashLine);
        p.setPen(dashed);
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave(wr, 1, 0, 0.8));
        const int periods = 14;
        QPainterPath pulses;
        const double per = wr.width() / periods;
        pulses.moveTo(wr.left(), wr.bottom());
        for (int i = 0; i < periods; ++i) {
            const double duty = 0.5 + 0.4 * std::sin(2 * kPi * (i + 0.5) / periods);
            const double x0 = wr.left() + i * per + per * (1 - duty) / 2;
            const double x1 = x0 + per * duty;
            pulses.lineTo(x0, wr.bottom());
            pulses.lineTo(x0, wr.top());
            pulses.lineTo(x1, wr.top());
            pulses.lineTo(x1, wr.bottom());
        }
        pulses.lineTo(wr.right(), wr.bottom());
        p.setPen(pen(kOrange, 2.4));
        p.drawPath(pulses);
        const QRectF amp(r.left() + 218, r.top() + 24, 100, 88);
        arrow(p, QPointF(wr.right() + 6, amp.center().y()), QPointF(amp.left() - 2, amp.center().y()), kNavy,
            2.4, 10);
        p.setPen(pen(kNavy, 2));
        QLinearGradient g(amp.topLeft(), amp.bottomLeft());
        g.setColorAt(0, kNavy.lighter(150));
        g.setColorAt(1, kNavy);
        p.setBrush(g);
        p.drawRoundedRect(amp, 8, 8);
        drawLabel(p, QPointF(amp.center().x(), amp.top() + 26), QStringLiteral("PWM"), 24, true, Qt::white);
        QPainterPath sq;
        const double sx0 = amp.left() + 18, sw = amp.width() - 36;
        const double yHi = amp.top() + 52, yLo = amp.bottom() - 14;
        sq.moveTo(sx0, yLo);
        for (int i = 0; i < 4; ++i) {
            const double x = sx0 + sw * i / 4;
            sq.lineTo(x, yLo);
            sq.lineTo(x, yHi);
            sq.lineTo(x + sw / 8, yHi);
            sq.lineTo(x + sw / 8, yLo);
        }
        sq.lineTo(sx0 + sw, yLo);
        p.setPen(pen(kOrange, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(sq);
        p.setPen(pen(kNavy, 2.4));
        p.drawLine(QPointF(amp.right(), amp.center().y()), QPointF(r.right() - 2, amp.center().y()));
    });
}

QImage linearButton()
{
    return homeButton(QStringLiteral("Linear Amplifier Selector"), [](QPainter &p, const QRectF &r) {
        const QRectF tri(r.left() + 118, r.top() + 30, 104, 96);
        const OpAmpPins pins = opAmp(p, tri, kSteelLight, kNavy, 3, false, 22);
        const double fbY = r.top() + 10;
        const QPointF outNode(tri.right() + 22, pins.out.y());
        const QPointF minusNode(tri.left() - 22, pins.minus.y());
        wire(p, { pins.out, outNode }, kNavy, 2.4);
        wire(p, { outNode, QPointF(outNode.x(), fbY) }, kNavy, 2.4);
        resistor(p, QPointF(outNode.x(), fbY), QPointF(minusNode.x(), fbY), kNavy, 2.4, 5, 44);
        wire(p, { QPointF(minusNode.x(), fbY), minusNode, pins.minus }, kNavy, 2.4);
        dot(p, outNode, 3.5);
        dot(p, minusNode, 3.5);
        resistor(p, QPointF(r.left() + 52, pins.minus.y()), minusNode, kNavy, 2.4, 5, 32);
        terminal(p, QPointF(r.left() + 52, pins.minus.y()), 4);
        wire(p,
            { pins.plus, QPointF(tri.left() - 14, pins.plus.y()), QPointF(tri.left() - 14, r.bottom() - 16) },
            kNavy, 2.4);
        ground(p, QPointF(tri.left() - 14, r.bottom() - 16), 18, kNavy, 2.2);
        p.setPen(pen(kSteel, 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave(QRectF(r.left() + 2, pins.minus.y() + 16, 50, 22), 1.5, 0));
        wire(p, { outNode, QPointF(r.right() - 4, outNode.y()) }, kNavy, 2.4);
        p.setPen(pen(kOrange, 2.8));
        p.drawPath(wave(QRectF(outNode.x() + 6, outNode.y() + 12, r.right() - outNode.x() - 10, 48), 1.5, 0));
    });
}

void mosfet(QPainter &p, QPointF c, double h, const QColor &line)
{
    // Drain at the top, source at the bottom, gate from the left.
    p.setPen(pen(line, 2));
    const double y0 = c.y() - h / 2, y1 = c.y() + h / 2;
    p.drawLine(QPointF(c.x() - 7, c.y() - h * 0.25), QPointF(c.x() - 7, c.y() + h * 0.25));
    p.drawLine(QPointF(c.x() - 7, c.y()), QPointF(c.x() - 18, c.y()));
    for (int k = -1; k <= 1; ++k)
        p.drawLine(QPointF(c.x() - 2, c.y() + k * h * 0.2 - h * 0.07),
            QPointF(c.x() - 2, c.y() + k * h * 0.2 + h * 0.07));
    p.drawLine(QPointF(c.x() - 2, c.y() - h * 0.2), QPointF(c.x() + 8, c.y() - h * 0.2));
    p.drawLine(QPointF(c.x() + 8, c.y() - h * 0.2), QPointF(c.x() + 8, y0));
    p.drawLine(QPointF(c.x() - 2, c.y() + h * 0.2), QPointF(c.x() + 8, c.y() + h * 0.2));
    p.drawLine(QPointF(c.x() + 8, c.y() + h * 0.2), QPointF(c.x() + 8, y1));
    arrow(p, QPointF(c.x() + 8, c.y()), QPointF(c.x() - 1, c.y()), line, 1.6, 6);
    p.drawLine(QPointF(c.x() + 8, c.y()), QPointF(c.x() + 8, c.y() + h * 0.2));
}

QImage powerButton()
{
    return homeButton(QStringLiteral("PWM Power"), [](QPainter &p, const QRectF &r) {
        const double x = r.left() + 40;
        const double top = r.top() + 12, bot = r.bottom() - 18;
        const double mid = (top + bot) / 2;
        p.setPen(pen(kNavy, 2.4));
        p.drawLine(QPointF(x - 26, top), QPointF(x + 30, top));
        drawLabel(p, QPointF(x - 28, top - 1), QStringLiteral("+Vs"), 13, true, kNavy,
            Qt::AlignLeft | Qt::AlignBottom);
        mosfet(p, QPointF(x, (top + mid) / 2), mid - top, kNavy);
        mosfet(p, QPointF(x + 0, (mid + bot) / 2), bot - mid, kNavy);
        wire(p, { QPointF(x + 8, top), QPointF(x + 8, top) });
        ground(p, QPointF(x + 8, bot), 16);
        const QPointF sw(x + 8, mid);
        dot(p, sw, 3.5);
        const QPointF lEnd(x + 100, mid);
        inductor(p, sw, lEnd, kNavy, 2.4, 4, 56);
        const QPointF node(lEnd.x() + 10, mid);
        wire(p, { lEnd, node, QPointF(node.x() + 50, mid) }, kNavy, 2.4);
        dot(p, node, 3.5);
        capacitor(p, node, QPointF(node.x(), bot), kNavy, 2.4, 20, 7);
        ground(p, QPointF(node.x(), bot), 16);
        const QPointF lo(node.x() + 50, mid);
        resistor(p, lo, QPointF(lo.x(), bot), kOrange, 2.4, 6, 34);
        ground(p, QPointF(lo.x(), bot), 16);
        // Power meter.
        const QPointF mc(r.right() - 52, r.top() + 66);
        const double mr = 46;
        QRadialGradient mg(mc - QPointF(12, 12), mr * 1.4);
        mg.setColorAt(0, Qt::white);
        mg.setColorAt(1, kSteelLight);
        p.setPen(pen(kNavy, 3));
        p.setBrush(mg);
        p.drawEllipse(mc, mr, mr);
        p.setPen(pen(kNavy, 1.6));
        for (int i = 0; i <= 10; ++i) {
            const double a = qDegreesToRadians(210.0 - 24.0 * i);
            const double r0 = i % 5 == 0 ? mr * 0.68 : mr * 0.76;
            p.drawLine(mc + QPointF(r0 * std::cos(a), -r0 * std::sin(a)),
                mc + QPointF(mr * 0.86 * std::cos(a), -mr * 0.86 * std::sin(a)));
        }
        QPen red = pen(kOrange, 6);
        red.setCapStyle(Qt::FlatCap);
        p.setPen(red);
        p.setBrush(Qt::NoBrush);
        const double ar = mr * 0.81;
        p.drawArc(QRectF(mc.x() - ar, mc.y() - ar, 2 * ar, 2 * ar), -30 * 16, 48 * 16);
        const double na = qDegreesToRadians(70.0);
        p.setPen(pen(kOrange, 3));
        p.drawLine(mc, mc + QPointF(mr * 0.72 * std::cos(na), -mr * 0.72 * std::sin(na)));
        dot(p, mc, 5, kNavy);
        drawLabel(p, mc + QPointF(0, mr * 0.42), QStringLiteral("W"), 18, true, kNavy);
    });
}

QImage tutorialButton()
{
    return homeButton(QStringLiteral("Examples & Tutorials"), [](QPainter &p, const QRectF &r) {
        const QPointF spineTop(r.left() + 100, r.top() + 22), spineBot(r.left() + 100, r.bottom() - 6);
        for (int s : { -1, 1 }) {
            QPainterPath page;
            const double outer = spineTop.x() + s * 88;
            page.moveTo(spineTop);
            page.cubicTo(spineTop + QPointF(s * 30, -14), QPointF(outer - s * 20, r.top() + 4),
                QPointF(outer, r.top() + 12));
            page.lineTo(QPointF(outer, r.bottom() - 14));
            page.cubicTo(QPointF(outer - s * 20, r.bottom() - 22), spineBot + QPointF(s * 30, -14), spineBot);
            page.closeSubpath();
            QLinearGradient g(spineTop, QPointF(outer, spineTop.y()));
            g.setColorAt(0, kSteelLight);
            g.setColorAt(0.25, Qt::white);
            g.setColorAt(1, kPaper);
            p.setPen(pen(kNavy, 2.2));
            p.setBrush(g);
            p.drawPath(page);
            p.setPen(pen(kSteel, 2));
            for (int i = 0; i < 6; ++i) {
                const double y = r.top() + 34 + i * 14;
                const double a = spineTop.x() + s * 14, b = outer - s * (i == 5 ? 40 : 12);
                p.drawLine(QPointF(std::min(a, b), y), QPointF(std::max(a, b), y));
            }
        }
        // A tiny op-amp sketch on the right-hand page.
        opAmp(p, QRectF(spineTop.x() + 30, r.top() + 40, 30, 28), Qt::white, kOrange, 1.8, false, 8);
        const double lx = r.left() + 212;
        const QStringList steps { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") };
        for (int i = 0; i < 3; ++i) {
            const QPointF c(lx + 14, r.top() + 28 + i * 38);
            p.setPen(Qt::NoPen);
            p.setBrush(i == 0 ? kOrange : kNavy);
            p.drawEllipse(c, 13, 13);
            drawLabel(p, c, steps[i], 15, true, Qt::white);
            p.setBrush(i == 0 ? kOrangeLight : kSteelLight);
            p.drawRoundedRect(QRectF(c.x() + 20, c.y() - 7, 76 - i * 14, 14), 7, 7);
        }
    });
}

QImage ihcpButton()
{
    return homeButton(QStringLiteral("Howland Current Pump"), [](QPainter &p, const QRectF &r) {
        const QPointF o = r.topLeft();
        const QRectF tri(o.x() + 132, o.y() + 34, 70, 64);
        const OpAmpPins pins = opAmp(p, tri, kSteelLight, kNavy, 2.6, false, 14);
        const double w = 2.2;
        const QPointF mNode(o.x() + 112, pins.minus.y());
        const QPointF jPlus(o.x() + 112, pins.plus.y());
        const QPointF outNode(o.x() + 222, pins.out.y());
        const QPointF loadNode(o.x() + 282, pins.out.y());
        const double topY = o.y() + 12;
        const double botY = r.bottom() - 14;
        // Input resistor and the feedback resistor over the top.
        terminal(p, QPointF(o.x() + 20, pins.minus.y()), 4);
        resistor(p, QPointF(o.x() + 20, pins.minus.y()), mNode, kNavy, w, 5, 36);
        wire(p, { mNode, pins.minus }, kNavy, w);
        wire(p, { mNode, QPointF(mNode.x(), topY) }, kNavy, w);
        resistor(p, QPointF(mNode.x(), topY), QPointF(outNode.x(), topY), kNavy, w, 5, 40);
        wire(p, { QPointF(outNode.x(), topY), outNode }, kNavy, w);
        wire(p, { pins.out, outNode }, kNavy, w);
        dot(p, mNode);
        dot(p, outNode);
        // Plus input: to ground through one arm, to the load node through the other.
        wire(p, { pins.plus, jPlus }, kNavy, w);
        resistor(p, jPlus, QPointF(o.x() + 44, jPlus.y()), kNavy, w, 5, 36);
        wire(p, { QPointF(o.x() + 44, jPlus.y()), QPointF(o.x() + 44, jPlus.y() + 10) }, kNavy, w);
        ground(p, QPointF(o.x() + 44, jPlus.y() + 10), 14);
        wire(p, { jPlus, QPointF(jPlus.x(), botY) }, kNavy, w);
        resistor(p, QPointF(jPlus.x(), botY), QPointF(loadNode.x(), botY), kNavy, w, 5, 46);
        wire(p, { QPointF(loadNode.x(), botY), loadNode }, kNavy, w);
        dot(p, jPlus);
        // Sense resistor to the load node, load to ground with its current.
        resistor(p, outNode, loadNode, kNavy, w, 4, 26);
        dot(p, loadNode);
        const QPointF ld(o.x() + 314, pins.out.y());
        wire(p, { loadNode, ld }, kNavy, w);
        const QRectF load(ld.x() - 9, ld.y() + 8, 18, 32);
        wire(p, { ld, QPointF(ld.x(), load.top()) }, kNavy, w);
        p.setPen(pen(kNavy, 2));
        p.setBrush(kOrangeLight);
        p.drawRect(load);
        wire(p, { QPointF(ld.x(), load.bottom()), QPointF(ld.x(), load.bottom() + 8) }, kNavy, w);
        ground(p, QPointF(ld.x(), load.bottom() + 8), 14);
        arrow(
            p, QPointF(ld.x() - 24, load.top() - 2), QPointF(ld.x() - 24, load.bottom() + 4), kOrange, 3, 11);
        drawLabel(p, QPointF(ld.x() - 34, load.center().y()), QStringLiteral("I"), 17, true, kOrange,
            Qt::AlignRight | Qt::AlignVCenter);
    });
}

QImage motorButton()
{
    return homeButton(QStringLiteral("3-Phase Motor Drive"), [](QPainter &p, const QRectF &r) {
        const QRectF wr(r.left() + 4, r.top() + 14, 186, 108);
        p.setPen(pen(kSteelLight, 1));
        p.drawLine(QPointF(wr.left(), wr.center().y()), QPointF(wr.right(), wr.center().y()));
        const QColor colors[3] = { kNavy, kOrange, kSteel };
        for (int k = 0; k < 3; ++k) {
            p.setPen(pen(colors[k], 2.8));
            p.setBrush(Qt::NoBrush);
            p.drawPath(wave(wr, 1.5, -2 * kPi * k / 3, 0.9));
        }
        const QPointF mc(r.right() - 60, r.center().y());
        const double mr = 52;
        for (int k = 0; k < 3; ++k) {
            const double y = mc.y() + (k - 1) * 26;
            const double xEdge = mc.x() - std::sqrt(mr * mr - (y - mc.y()) * (y - mc.y()));
            wire(p, { QPointF(wr.right() + 10, y), QPointF(xEdge, y) }, colors[k], 2.6);
            terminal(p, QPointF(wr.right() + 10, y), 4, colors[k]);
        }
        QRadialGradient g(mc - QPointF(16, 16), mr * 1.5);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, kSteelLight);
        p.setPen(pen(kNavy, 3));
        p.setBrush(g);
        p.drawEllipse(mc, mr, mr);
        drawLabel(p, mc - QPointF(0, 8), QStringLiteral("M"), 40, true, kNavy);
        drawLabel(p, mc + QPointF(0, 26), QStringLiteral("3~"), 16, true, kOrange);
    });
}

QImage heatsinkButton()
{
    return homeButton(QStringLiteral("Heatsink Selector"), [](QPainter &p, const QRectF &r) {
        HeatsinkShape s;
        s.width = 2.9;
        s.height = 1.25;
        s.length = 2.0;
        drawFinnedHeatsink(p, QRectF(r.left() + 50, r.top() + 30, 236, 106), s);
        p.setPen(pen(kOrange, 2.6));
        p.setBrush(Qt::NoBrush);
        for (int k = 0; k < 5; ++k) {
            const double x = r.left() + 112 + k * 34;
            const double y0 = r.top() + 30 - k * 3;
            QPainterPath hp;
            hp.moveTo(x, y0);
            hp.cubicTo(QPointF(x - 7, y0 - 6), QPointF(x + 7, y0 - 14), QPointF(x, y0 - 20));
            hp.cubicTo(QPointF(x - 7, y0 - 25), QPointF(x + 5, y0 - 30), QPointF(x + 2, y0 - 34));
            p.drawPath(hp);
        }
    });
}

void plotAxes(QPainter &p, const QRectF &a, int xDecades, int yDiv, const QString &xl, const QString &yl)
{
    p.setPen(pen(kSteelPale.darker(106), 1));
    for (int i = 1; i <= xDecades; ++i) {
        const double x = a.left() + a.width() * i / xDecades;
        p.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
        for (int m = 2; m < 10; ++m) {
            const double xm = a.left() + a.width() * (i - 1 + std::log10(double(m))) / xDecades;
            QColor c = kSteelPale;
            p.setPen(pen(c, 0.8));
            p.drawLine(QPointF(xm, a.top()), QPointF(xm, a.bottom()));
        }
        p.setPen(pen(kSteelPale.darker(106), 1));
    }
    for (int j = 0; j < yDiv; ++j) {
        const double y = a.top() + a.height() * j / yDiv;
        p.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
    }
    arrow(p, a.bottomLeft(), QPointF(a.right() + 10, a.bottom()), kNavy, 2, 8);
    arrow(p, a.bottomLeft(), QPointF(a.left(), a.top() - 8), kNavy, 2, 8);
    drawLabel(
        p, QPointF(a.right() + 10, a.bottom() - 4), xl, 12, true, kNavy, Qt::AlignRight | Qt::AlignBottom);
    drawLabel(p, QPointF(a.left() - 5, a.top() - 6), yl, 12, true, kNavy, Qt::AlignRight | Qt::AlignTop);
}

QImage stabilityButton()
{
    return homeButton(QStringLiteral("Loop Stability"), [](QPainter &p, const QRectF &r) {
        const QRectF a(r.left() + 40, r.top() + 10, r.width() - 70, r.height() - 22);
        plotAxes(p, a, 5, 4, QStringLiteral("f"), QStringLiteral("dB"));
        auto X = [&](double dec) { return a.left() + a.width() * dec / 5; };
        auto Y = [&](double db) { return a.bottom() - a.height() * db / 120; };
        // Open-loop gain: flat, then -20 dB/decade; noise gain 1/beta flat, then rising.
        QPainterPath aol;
        aol.moveTo(X(0), Y(110));
        aol.lineTo(X(0.6), Y(110));
        aol.lineTo(X(4.3), Y(110 - 20 * 3.7 - 10));
        aol.lineTo(X(5), Y(110 - 20 * 3.7 - 10 - 28));
        QPainterPath beta;
        beta.moveTo(X(0), Y(30));
        beta.lineTo(X(2.2), Y(30));
        beta.lineTo(X(4.6), Y(30 + 20 * 2.4));
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(kNavy, 3));
        p.drawPath(aol);
        p.setPen(pen(kOrange, 3));
        p.drawPath(beta);
        // Crossing of 110 - 20(d - 0.6) with 30 + 20(d - 2.2).
        const double dc = (110 + 12 + 30 - 44) / 40.0;
        const QPointF cross(X(dc), Y(30 + 20 * (dc - 2.2)));
        p.setPen(pen(kOrange, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(cross, 8, 8);
        drawLabel(p, QPointF(X(1.3), Y(110) - 4), QStringLiteral("Aol"), 13, true, kNavy,
            Qt::AlignLeft | Qt::AlignBottom);
        drawLabel(p, QPointF(X(4.62), Y(30 + 20 * 2.4)), QStringLiteral("1/\u03B2"), 14, true, kOrange,
            Qt::AlignLeft | Qt::AlignVCenter);
    });
}

QImage controlButton()
{
    return homeButton(QStringLiteral("PWM Control Loop"), [](QPainter &p, const QRectF &r) {
        const double y = r.top() + 46;
        const QPointF sj(r.left() + 50, y);
        const double sr = 15;
        const double w = 2.4;
        terminal(p, QPointF(r.left() + 4, y), 4);
        arrow(p, QPointF(r.left() + 8, y), QPointF(sj.x() - sr, y), kNavy, w, 9);
        p.setPen(pen(kNavy, w));
        p.setBrush(Qt::white);
        p.drawEllipse(sj, sr, sr);
        p.drawLine(sj + QPointF(-sr * 0.7, -sr * 0.7), sj + QPointF(sr * 0.7, sr * 0.7));
        p.drawLine(sj + QPointF(-sr * 0.7, sr * 0.7), sj + QPointF(sr * 0.7, -sr * 0.7));
        drawLabel(p, sj + QPointF(-sr - 4, -sr - 2), QStringLiteral("+"), 15, true, kNavy);
        drawLabel(p, sj + QPointF(-sr - 2, sr + 8), QStringLiteral("\u2212"), 16, true, kNavy);
        const QRectF integ(r.left() + 88, y - 24, 58, 48);
        const QRectF pwm(r.left() + 170, y - 24, 64, 48);
        const QRectF flt(r.left() + 256, y - 24, 50, 48);
        arrow(p, QPointF(sj.x() + sr, y), QPointF(integ.left(), y), kNavy, w, 9);
        block(p, integ, QString(), kSteelPale, kNavy, 14);
        drawLabel(p, integ.center(), QStringLiteral("\u222B"), 30, false, kNavy);
        arrow(p, QPointF(integ.right(), y), QPointF(pwm.left(), y), kNavy, w, 9);
        block(p, pwm, QStringLiteral("PWM"), kNavy, Qt::white, 17);
        arrow(p, QPointF(pwm.right(), y), QPointF(flt.left(), y), kNavy, w, 9);
        block(p, flt, QString(), kSteelPale, kNavy, 14);
        inductor(p, QPointF(flt.left() + 6, y), QPointF(flt.right() - 6, y), kNavy, 2, 3, 32);
        const QPointF outNode(r.right() - 12, y);
        wire(p, { QPointF(flt.right(), y), outNode }, kNavy, w);
        dot(p, outNode, 3.5);
        arrow(p, outNode, QPointF(r.right() + 2, y), kNavy, w, 8);
        // Feedback path with its sensing block.
        const double fy = r.bottom() - 26;
        const QRectF fb(r.left() + 150, fy - 20, 70, 40);
        wire(p, { outNode, QPointF(outNode.x(), fy), QPointF(fb.right(), fy) }, kOrange, w);
        block(p, fb, QStringLiteral("H(s)"), Qt::white, kOrange, 15, kOrange, 2.4);
        wire(p, { QPointF(fb.left(), fy), QPointF(sj.x(), fy) }, kOrange, w);
        arrow(p, QPointF(sj.x(), fy), QPointF(sj.x(), sj.y() + sr), kOrange, w, 9);
    });
}

QImage filterButton()
{
    return homeButton(QStringLiteral("PWM Output Filter"), [](QPainter &p, const QRectF &r) {
        const double y = r.top() + 36;
        const double gy = r.bottom() - 20;
        const double w = 2.4;
        const QPointF in(r.left() + 6, y);
        terminal(p, in, 4);
        const QPointF n1(r.left() + 78, y), n2(r.left() + 150, y), out(r.left() + 172, y);
        inductor(p, in + QPointF(4, 0), n1, kNavy, w, 4, 52);
        inductor(p, n1, n2, kNavy, w, 4, 52);
        wire(p, { n2, out }, kNavy, w);
        terminal(p, out, 4);
        for (const QPointF &n : { n1, n2 }) {
            dot(p, n, 3.5);
            capacitor(p, n, QPointF(n.x(), gy), kNavy, w, 20, 7);
            ground(p, QPointF(n.x(), gy), 16);
        }
        // Roll-off: flat, small peak, then -40 dB/decade.
        const QRectF a(r.left() + 206, r.top() + 10, r.width() - 222, r.height() - 26);
        plotAxes(p, a, 3, 3, QStringLiteral("f"), QStringLiteral("dB"));
        QPainterPath c;
        for (int i = 0; i <= 200; ++i) {
            const double t = i / 200.0;
            const double f = std::pow(10.0, 3 * t - 1.3);
            const double q = 0.9;
            const double mag = 1.0 / std::sqrt(std::pow(1 - f * f, 2) + std::pow(f / q, 2));
            const double db = 20 * std::log10(mag);
            if (db < -56)
                break;
            const QPointF pt(a.left() + a.width() * t, a.top() + a.height() * (8 - db) / 68.0);
            if (i == 0)
                c.moveTo(pt);
            else
                c.lineTo(pt);
        }
        p.setPen(pen(kOrange, 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(c);
    });
}

QImage soaButton()
{
    return homeButton(QStringLiteral("Safe Operating Area"), [](QPainter &p, const QRectF &r) {
        const QRectF a(r.left() + 40, r.top() + 10, r.width() - 70, r.height() - 22);
        plotAxes(p, a, 3, 3, QStringLiteral("V"), QStringLiteral("I"));
        QPolygonF b;
        b << QPointF(a.left(), a.top() + 10) << QPointF(a.left() + a.width() * 0.34, a.top() + 10)
          << QPointF(a.left() + a.width() * 0.64, a.top() + a.height() * 0.42)
          << QPointF(a.left() + a.width() * 0.84, a.top() + a.height() * 0.78)
          << QPointF(a.left() + a.width() * 0.84, a.bottom());
        QPolygonF fill = b;
        fill << a.bottomLeft();
        QColor f = kOrangeLight;
        p.setPen(Qt::NoPen);
        p.setBrush(f);
        p.drawPolygon(fill);
        p.setPen(pen(kOrange, 3));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(b);
        p.save();
        p.translate(a.left() + a.width() * 0.36, a.top() + a.height() * 0.68);
        p.rotate(-22);
        p.setPen(pen(kNavy, 2.6));
        p.drawEllipse(QPointF(0, 0), a.width() * 0.25, a.height() * 0.11);
        p.restore();
        drawLabel(p, QPointF(a.left() + 10, a.top() + 18), QStringLiteral("SOA"), 15, true, kOrange,
            Qt::AlignLeft | Qt::AlignTop);
    });
}

// ---- Splash screen and window icon ----

QImage splash()
{
    const int w = 640, h = 400;
    QImage img = blank(w, h, Qt::white);
    QPainter p(&img);
    prepare(p);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, Qt::white);
    bg.setColorAt(1, QColor(0xe6, 0xec, 0xf3));
    p.fillRect(img.rect(), bg);
    // A faint engineering grid on the right, well away from the loading message at the top left.
    p.setPen(pen(QColor(0xdf, 0xe5, 0xee), 1));
    for (int x = 360; x <= w - 20; x += 20)
        p.drawLine(QPointF(x, 60), QPointF(x, 200));
    for (int y = 60; y <= 200; y += 20)
        p.drawLine(QPointF(360, y), QPointF(w - 20, y));

    const QRectF tri(440, 62, 104, 120);
    const OpAmpPins pins = opAmp(p, tri, kSteelLight, kNavy, 4, false, 22);
    p.setPen(pen(kNavy, 3));
    p.drawLine(pins.minus, pins.minus - QPointF(26, 0));
    p.drawLine(pins.plus, pins.plus - QPointF(26, 0));
    p.drawLine(pins.out, pins.out + QPointF(18, 0));
    p.setPen(pen(kSteel, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave(QRectF(370, pins.minus.y() - 12, 40, 24), 1, 0));
    p.setPen(pen(kOrange, 3.4));
    p.drawPath(wave(QRectF(pins.out.x() + 20, pins.out.y() - 56, 64, 112), 1, 0, 0.95));

    const QFont title = font(60, true);
    p.setFont(title);
    p.setPen(kNavy);
    p.drawText(QPointF(40, 262), QStringLiteral("Zarn"));
    const double zw = QFontMetricsF(title).horizontalAdvance(QStringLiteral("Zarn "));
    p.setPen(kOrange);
    p.drawText(QPointF(40 + zw, 262), QStringLiteral("Ampora"));
    p.fillRect(QRectF(42, 284, 300, 4), kOrange);
    p.setFont(font(23, false));
    p.setPen(kSteelDark);
    p.drawText(QPointF(42, 322), QStringLiteral("Power Analog Design Tools"));

    p.fillRect(QRectF(0, h - 44, w, 44), kNavy);
    p.fillRect(QRectF(0, h - 47, w, 3), kOrange);
    drawFittedText(p, QRectF(20, h - 44, w - 40, 44),
        QStringLiteral("Power Op-Amps  \u00B7  PWM Amplifiers  \u00B7  Heatsinks  \u00B7  Motor Drives"), 15,
        9, false, kSteelLight);
    p.end();
    return img;
}

QImage windowIcon()
{
    const int s = 256;
    QImage img = blank(s, s, Qt::transparent);
    QPainter p(&img);
    prepare(p);
    QLinearGradient bg(0, 0, 0, s);
    bg.setColorAt(0, kNavy.lighter(135));
    bg.setColorAt(1, kNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(4, 4, s - 8, s - 8), 46, 46);
    QPen stub = pen(Qt::white, 16);
    stub.setCapStyle(Qt::FlatCap);
    p.setPen(stub);
    p.drawLine(QPointF(22, 92), QPointF(64, 92));
    p.drawLine(QPointF(22, 164), QPointF(64, 164));
    p.drawLine(QPointF(200, 128), QPointF(238, 128));
    QPolygonF tri;
    tri << QPointF(58, 38) << QPointF(58, 218) << QPointF(214, 128);
    p.setPen(pen(Qt::white, 12));
    p.setBrush(kOrange);
    p.drawPolygon(tri);
    QFont f = font(124, true);
    p.setFont(f);
    p.setPen(kNavy);
    p.drawText(QRectF(58, 40, 110, 176), Qt::AlignCenter, QStringLiteral("Z"));
    p.end();
    return img;
}

// ---- PWM control circuit icons ----

enum class ControlKind { V1, V2, I1, I2 };

QImage controlIcon(ControlKind kind)
{
    const int w = 200, h = 120;
    QImage img = blank(w, h, Qt::white);
    QPainter p(&img);
    prepare(p);
    lightBackground(p, QRectF(0, 0, w, h));
    const double lw = 1.8;
    const QColor hi = kOrange;

    // Forward path shared by all four: input, summing node, integrator, PWM amplifier, filter, load.
    const double y = 28;
    const QPointF in(6, 19);
    const QPointF sum(30, 19);
    terminal(p, in, 3);
    resistor(p, in + QPointF(3, 0), sum, kNavy, lw, 3.5, 14);
    const OpAmpPins ia = opAmp(p, QRectF(42, 10, 30, 36), Qt::white, kNavy, lw, false, 8);
    wire(p, { sum, ia.minus }, kNavy, lw);
    wire(p, { sum, QPointF(sum.x(), 5) }, kNavy, lw);
    capacitor(p, QPointF(sum.x(), 5), QPointF(80, 5), kNavy, lw, 9, 4);
    wire(p, { QPointF(80, 5), QPointF(80, y) }, kNavy, lw);
    wire(p, { ia.plus, QPointF(37, ia.plus.y()), QPointF(37, ia.plus.y() + 2) }, kNavy, lw);
    ground(p, QPointF(37, ia.plus.y() + 2), 8, kNavy, 1.4);
    dot(p, sum, 2.4);
    const QRectF pwm(86, y - 13, 32, 26);
    wire(p, { ia.out, QPointF(pwm.left(), y) }, kNavy, lw);
    dot(p, QPointF(80, y), 2.4);
    block(p, pwm, QStringLiteral("PWM"), kNavy, Qt::white, 10, kNavy, 1.4);
    const QPointF node(148, y);
    inductor(p, QPointF(pwm.right(), y), QPointF(node.x() - 4, y), kNavy, lw, 3, 20);
    wire(p, { QPointF(node.x() - 4, y), node }, kNavy, lw);
    dot(p, node, 2.4);
    capacitor(p, node, QPointF(node.x(), 52), kNavy, lw, 11, 4);
    ground(p, QPointF(node.x(), 52), 9, kNavy, 1.4);
    const double loadX = 176;
    wire(p, { node, QPointF(loadX, y) }, kNavy, lw);
    QRectF ld(loadX - 6, 38, 12, 20);
    double loadFrom = y;
    if (kind == ControlKind::I2) {
        // Sense resistor in series with the load.
        resistor(p, QPointF(loadX, y), QPointF(loadX, 47), hi, 2.2, 3.5, 14);
        ld = QRectF(loadX - 6, 51, 12, 14);
        loadFrom = 47;
    }
    wire(p, { QPointF(loadX, loadFrom), QPointF(loadX, ld.top()) }, kNavy, lw);
    p.setPen(pen(kNavy, 1.5));
    p.setBrush(kSteelPale);
    p.drawRect(ld);
    wire(p, { QPointF(loadX, ld.bottom()), QPointF(loadX, ld.bottom() + 2) }, kNavy, lw);
    ground(p, QPointF(loadX, ld.bottom() + 2), 9, kNavy, 1.4);

    // Feedback path back to the summing node.
    const double fy = 74;
    auto feedback = [&](QPointF from, const QColor &c) {
        resistor(p, from, QPointF(sum.x(), fy), c, lw, 3.5, 16);
        wire(p, { QPointF(sum.x(), fy), sum }, kNavy, lw);
    };
    auto diffAmp = [&]() {
        const OpAmpPins d = opAmp(p, QRectF(60, fy - 13, 24, 26), Qt::white, hi, 2, true, 7);
        return d;
    };
    switch (kind) {
    case ControlKind::V1: {
        const OpAmpPins d = diffAmp();
        const QPointF tap(162, y);
        dot(p, tap, 2.4);
        wire(p, { tap, QPointF(tap.x(), d.minus.y()), d.minus }, kNavy, lw);
        wire(p,
            { QPointF(loadX, ld.bottom() + 1), QPointF(190, ld.bottom() + 1), QPointF(190, d.plus.y()),
                d.plus },
            kNavy, lw);
        feedback(d.out, kNavy);
        break;
    }
    case ControlKind::V2: {
        const QPointF tap(162, y);
        dot(p, tap, 2.4);
        wire(p, { tap, QPointF(tap.x(), fy), QPointF(70, fy) }, kNavy, lw);
        feedback(QPointF(70, fy), kNavy);
        // Pull-up and pull-down resistors hold the integrator input inside its common-mode range.
        const QPointF mid(14, 56);
        p.setPen(pen(hi, 2.2));
        p.drawLine(QPointF(8, 36), QPointF(20, 36));
        resistor(p, QPointF(14, 36), mid, hi, 2, 3.5, 12);
        resistor(p, mid, QPointF(14, 78), hi, 2, 3.5, 12);
        ground(p, QPointF(14, 78), 9, hi, 1.6);
        wire(p, { mid, QPointF(sum.x(), mid.y()) }, hi, 2);
        dot(p, mid, 2.4, hi);
        dot(p, QPointF(sum.x(), mid.y()), 2.4);
        break;
    }
    case ControlKind::I1: {
        // The amplifier's own sense pins carry all of its output current through Rs.
        const OpAmpPins d = diffAmp();
        const double sy = 50;
        const QPointF s1(92, sy), s2(112, sy);
        wire(p, { QPointF(s1.x(), pwm.bottom()), s1 }, hi, 2);
        wire(p, { QPointF(s2.x(), pwm.bottom()), s2 }, hi, 2);
        resistor(p, s1, s2, hi, 2, 3.5, 12);
        dot(p, s1, 2.4, hi);
        dot(p, s2, 2.4, hi);
        wire(p, { s1, QPointF(s1.x(), d.minus.y()), d.minus }, kNavy, lw);
        wire(p, { s2, QPointF(s2.x(), d.plus.y()), d.plus }, kNavy, lw);
        feedback(d.out, kNavy);
        break;
    }
    case ControlKind::I2: {
        const OpAmpPins d = diffAmp();
        const QPointF top(162, y), mid(loadX, 49);
        dot(p, top, 2.4);
        dot(p, mid, 2.4);
        wire(p, { top, QPointF(top.x(), d.minus.y()), d.minus }, kNavy, lw);
        wire(p,
            { mid, QPointF(192, mid.y()), QPointF(192, 86), QPointF(90, 86), QPointF(90, d.plus.y()),
                d.plus },
            kNavy, lw);
        feedback(d.out, kNavy);
        break;
    }
    }

    p.setPen(pen(kSteelLight, 1));
    p.drawLine(QPointF(6, 96.5), QPointF(w - 6, 96.5));
    QString caption;
    switch (kind) {
    case ControlKind::V1:
        caption = QStringLiteral("Voltage 1: diff amp feedback");
        break;
    case ControlKind::V2:
        caption = QStringLiteral("Voltage 2: direct feedback");
        break;
    case ControlKind::I1:
        caption = QStringLiteral("Current 1: I_Sense pins");
        break;
    case ControlKind::I2:
        caption = QStringLiteral("Current 2: load sense resistor");
        break;
    }
    drawFittedText(p, QRectF(4, 97, w - 8, 22), caption, 13, 8, true, kNavy);
    p.end();
    return img;
}

// ---- Motor wiring and the warning sign ----

void winding(QPainter &p, QPointF a, QPointF b, const QColor &c)
{
    inFrame(p, a, b, [&](qreal len) {
        const qreal body = len * 0.62;
        const qreal x0 = (len - body) / 2;
        const int bumps = 4;
        const qreal bw = body / bumps;
        QPainterPath path(QPointF(0, 0));
        path.lineTo(x0, 0);
        for (int i = 0; i < bumps; ++i)
            path.arcTo(QRectF(x0 + i * bw, -bw * 0.6, bw, bw * 1.2), 180, -180);
        path.lineTo(len, 0);
        p.setPen(pen(c, 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
}

QImage wiringPicture(bool delta)
{
    const int s = 200;
    QImage img = blank(s, s, Qt::white);
    QPainter p(&img);
    prepare(p);
    lightBackground(p, QRectF(0, 0, s, s));
    const QPointF c(100, 92);
    const double R = 66;
    QPointF term[3];
    for (int k = 0; k < 3; ++k) {
        const double a = qDegreesToRadians(-90.0 + 120.0 * k);
        term[k] = c + QPointF(R * std::cos(a), R * std::sin(a));
    }
    const QColor colors[3] = { kNavy, kOrange, kSteelDark };
    if (delta) {
        // Winding k lies opposite terminal k so the letters stay clear of the coils.
        winding(p, term[0], term[1], colors[0]);
        winding(p, term[1], term[2], colors[1]);
        winding(p, term[2], term[0], colors[2]);
    } else {
        for (int k = 0; k < 3; ++k)
            winding(p, c, term[k], colors[k]);
        dot(p, c, 5, kNavy);
        drawLabel(
            p, c + QPointF(14, 10), QStringLiteral("N"), 12, true, kSteelDark, Qt::AlignLeft | Qt::AlignTop);
    }
    const QString letters[3] = { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") };
    for (int k = 0; k < 3; ++k) {
        p.setPen(pen(kNavy, 2.4));
        p.setBrush(Qt::white);
        p.drawEllipse(term[k], 6, 6);
        const QPointF dir = (term[k] - c) / R;
        drawLabel(p, term[k] + dir * 17, letters[k], 18, true, kNavy);
    }
    p.setPen(pen(kSteelLight, 1));
    p.drawLine(QPointF(10, 170.5), QPointF(s - 10, 170.5));
    drawFittedText(p, QRectF(6, 172, s - 12, 26),
        delta ? QStringLiteral("Delta (\u0394)") : QStringLiteral("Wye (Y)"), 16, 9, true, kNavy);
    p.end();
    return img;
}

QImage warningSign()
{
    const int s = 64;
    QImage img = blank(s, s, Qt::transparent);
    QPainter p(&img);
    prepare(p);
    QPolygonF tri;
    tri << QPointF(32, 5) << QPointF(60, 57) << QPointF(4, 57);
    QLinearGradient g(0, 5, 0, 57);
    g.setColorAt(0, QColor(0xff, 0xdc, 0x3a));
    g.setColorAt(1, QColor(0xf2, 0xb8, 0x00));
    QPen edge = pen(QColor(0x3a, 0x30, 0x10), 4);
    p.setPen(edge);
    p.setBrush(g);
    p.drawPolygon(tri);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1a, 0x1a, 0x1a));
    QPolygonF bar;
    bar << QPointF(28.5, 21) << QPointF(35.5, 21) << QPointF(33.6, 42) << QPointF(30.4, 42);
    p.drawPolygon(bar);
    p.drawEllipse(QPointF(32, 49), 3.6, 3.6);
    p.end();
    return img;
}

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

int main(int argc, char **argv)
{
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

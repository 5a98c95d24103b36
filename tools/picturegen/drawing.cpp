// Fonts, pens, text, the schematic symbols and the frames (buttons, catalog cards) that
// every group of pictures draws with.

#include "picturegen.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace pics {

QFont font(int px, bool bold)
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
static QFont fitted(const QString &text, qreal width, int maxPx, int minPx, bool bold)
{
    for (int px = maxPx; px > minPx; --px) {
        QFont f = font(px, bold);
        if (QFontMetricsF(f).horizontalAdvance(text) <= width)
            return f;
    }
    return font(minPx, bold);
}

void drawFittedText(QPainter &p, const QRectF &r, const QString &text, int maxPx, int minPx, bool bold,
    const QColor &c, Qt::Alignment align)
{
    QFont f = fitted(text, r.width(), maxPx, minPx, bold);
    p.setFont(f);
    p.setPen(c);
    QString shown = QFontMetricsF(f).elidedText(text, Qt::ElideRight, r.width());
    p.drawText(r, int(align), shown);
}

void drawLabel(QPainter &p, const QPointF &at, const QString &text, int px, bool bold, const QColor &c,
    Qt::Alignment align)
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

void wire(QPainter &p, const QVector<QPointF> &pts, const QColor &c, qreal w)
{
    p.setPen(pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(pts.constData(), pts.size());
}

void dot(QPainter &p, QPointF at, qreal r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(at, r, r);
}

void terminal(QPainter &p, QPointF at, qreal r, const QColor &c)
{
    p.setPen(pen(c, 1.6));
    p.setBrush(Qt::white);
    p.drawEllipse(at, r, r);
}

void resistor(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w, qreal amp, qreal body)
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

void capacitor(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w, qreal plate, qreal gap)
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

void inductor(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w, int bumps, qreal body)
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

void ground(QPainter &p, QPointF at, qreal w, const QColor &c, qreal penW)
{
    p.setPen(pen(c, penW));
    p.drawLine(at, at + QPointF(0, 5));
    for (int i = 0; i < 3; ++i) {
        const qreal hw = w / 2 * (1.0 - i * 0.33);
        const qreal y = at.y() + 5 + i * 4;
        p.drawLine(QPointF(at.x() - hw, y), QPointF(at.x() + hw, y));
    }
}

void arrow(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w, qreal head)
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

// A triangle pointing right (or left when mirrored); the minus input is the upper one.
OpAmpPins opAmp(
    QPainter &p, QRectF r, const QColor &fill, const QColor &line, qreal w, bool mirrored, int signPx)
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

QPainterPath wave(const QRectF &r, double cycles, double phase, double ampFrac)
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
    int px, const QColor &line, qreal w)
{
    p.setPen(pen(line, w));
    p.setBrush(fill);
    p.drawRoundedRect(r, 5, 5);
    if (!text.isEmpty())
        drawFittedText(p, r.adjusted(3, 1, -3, -1), text, px, 6, true, textColor);
}

// ---- Solid shapes ----

void face(QPainter &p, const QPolygonF &poly, const QBrush &b, const QColor &edge)
{
    QColor e = edge;
    e.setAlpha(200);
    p.setPen(pen(e, 1.1));
    p.setBrush(b);
    p.drawPolygon(poly);
}

// A box in oblique projection: front face rect, depth going up and to the right.
void obliqueBox(QPainter &p, const QRectF &front, QPointF d, const QColor &frontC, const QColor &topC,
    const QColor &sideC, bool drawTop)
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

// ---- Frames shared by the pictures ----

void lightBackground(QPainter &p, const QRectF &r, bool border)
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

} // namespace pics

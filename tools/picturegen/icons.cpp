// The splash screen, the window icon, the PWM control circuit icons, the motor wiring
// pictures and the warning sign.

#include "picturegen.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace pics {

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

static void winding(QPainter &p, QPointF a, QPointF b, const QColor &c)
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

} // namespace pics

// The home-page buttons: a small schematic or plot with the caption drawn in.

#include "picturegen.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QStringList>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace pics {

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

static void mosfet(QPainter &p, QPointF c, double h, const QColor &line)
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

static void plotAxes(
    QPainter &p, const QRectF &a, int xDecades, int yDiv, const QString &xl, const QString &yl)
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

} // namespace pics

// Package cards: one drawing per package style, chosen from the style's code and descriptions.

#include "picturegen.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace pics {

namespace {

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

} // namespace

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

} // namespace pics

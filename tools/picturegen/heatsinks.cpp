// Heatsink cards: finned extrusions, stamped U-channels and liquid-cooled plates, shaped
// from the catalog dimensions.

#include "picturegen.h"

#include <QLinearGradient>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace pics {

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
static void drawStampedHeatsink(QPainter &p, const QRectF &area, const HeatsinkShape &s)
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

static void drawColdPlate(QPainter &p, const QRectF &area, const HeatsinkShape &s)
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

static QString inches(double v)
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

} // namespace pics

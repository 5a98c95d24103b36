#include "pages/schematic/schematicsymbols.h"

#include <cmath>

namespace {

QPen symbolPen(const QColor &colour)
{
    return QPen(colour, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

// Pixel distance from `p` to the nearest of the segments (pairs of points).
double distanceToSegments(const QPointF &p, const QVector<QPointF> &segments)
{
    double best = -1;
    for (int i = 0; i + 1 < segments.size(); i += 2) {
        const QCPVector2D a(segments.at(i)), b(segments.at(i + 1)), q(p);
        const double len2 = (b - a).lengthSquared();
        const double t = len2 > 0 ? qBound(0.0, (q - a).dot(b - a) / len2, 1.0) : 0.0;
        const double dist = (q - (a + (b - a) * t)).length();
        if (best < 0 || dist < best)
            best = dist;
    }
    return best;
}

void drawSegments(QCPPainter *painter, const QVector<QPointF> &segments)
{
    for (int i = 0; i + 1 < segments.size(); i += 2)
        painter->drawLine(QLineF(segments.at(i), segments.at(i + 1)));
}

} // namespace

component2::component2(QCustomPlot *plot)
    : QCPAbstractItem(plot)
    , start(createPosition(QLatin1String("start")))
    , end(createPosition(QLatin1String("end")))
    , center(createPosition(QLatin1String("center")))
    , normalPen(symbolPen(Qt::black))
    , selectedPen(symbolPen(Qt::blue))
{
}

void component2::setValue(const QString &text)
{
    value = text;
    if (valueText)
        valueText->setText(text);
}

void component2::setLabel(const QString &text)
{
    label = text;
    if (labelText)
        labelText->setText(text);
}

void component2::placeText(QCPItemText *&item, bool shown, const QString &text, double side)
{
    if (!shown) {
        if (item)
            parentPlot()->removeItem(item);
        item = nullptr;
        return;
    }
    if (!item) {
        item = new QCPItemText(parentPlot());
        item->setSelectable(false);
    }
    item->setText(text);
    // The text sits beside the body, on the far side of its anchor.
    if (horizontal)
        item->setPositionAlignment(Qt::AlignHCenter | (side > 0 ? Qt::AlignBottom : Qt::AlignTop));
    else
        item->setPositionAlignment(Qt::AlignVCenter | (side > 0 ? Qt::AlignLeft : Qt::AlignRight));
    const QPointF c = centre();
    const double d = side * textDistance() * length;
    item->position->setCoords(horizontal ? QPointF(c.x(), c.y() + d) : QPointF(c.x() + d, c.y()));
}

void component2::updateTexts()
{
    placeText(valueText, showValue, value, 1);
    placeText(labelText, showLabel, label, -1);
}

void component2::placeAt(const QPointF &c)
{
    const double h = length / 2;
    center->setCoords(c);
    if (horizontal) {
        start->setCoords(c.x() - h, c.y());
        end->setCoords(c.x() + h, c.y());
    } else {
        start->setCoords(c.x(), c.y() + h);
        end->setCoords(c.x(), c.y() - h);
    }
    updateTexts();
}

QVector<QPointF> component2::segments() const
{
    return { px(start), px(end) };
}

double component2::selectTest(const QPointF &pos, bool onlySelectable, QVariant *) const
{
    if (onlySelectable && !mSelectable)
        return -1;
    return distanceToSegments(pos, segments());
}

void component2::draw(QCPPainter *painter)
{
    painter->setPen(mSelected ? selectedPen : normalPen);
    drawSegments(painter, segments());
}

void component2::removeComponent()
{
    if (valueText)
        parentPlot()->removeItem(valueText);
    if (labelText)
        parentPlot()->removeItem(labelText);
    valueText = labelText = nullptr;
    parentPlot()->removeItem(this);
}

resistor::resistor(QCustomPlot *plot)
    : component2(plot)
{
    for (int i = 0; i < 6; ++i)
        C[i] = createPosition(QStringLiteral("C%1").arg(i + 1));
    value = QStringLiteral("1k");
    label = QStringLiteral("R");
}

void resistor::placeAt(const QPointF &c)
{
    const double L = length;
    for (int i = 0; i < 6; ++i) {
        const double along = (2 * i - 5) * L / 12; // -5L/12, -3L/12, ... 5L/12
        const double across = i % 2 == 0 ? L / 4 : -L / 4;
        if (horizontal)
            C[i]->setCoords(c.x() + along, c.y() + across);
        else
            C[i]->setCoords(c.x() + across, c.y() - along);
    }
    component2::placeAt(c);
}

QVector<QPointF> resistor::segments() const
{
    QVector<QPointF> s;
    QPointF last = px(start);
    for (int i = 0; i < 6; ++i) {
        s << last << px(C[i]);
        last = px(C[i]);
    }
    s << last << px(end);
    return s;
}

capacitor::capacitor(QCustomPlot *plot)
    : component2(plot)
{
    for (int i = 0; i < 6; ++i)
        C[i] = createPosition(QStringLiteral("C%1").arg(i + 1));
    value = QStringLiteral("1n");
    label = QStringLiteral("C");
}

void capacitor::placeAt(const QPointF &c)
{
    const double L = length;
    // Each plate: its middle, then its two ends.
    const double gap[2] = { -L / 8, L / 8 };
    for (int plate = 0; plate < 2; ++plate) {
        const double offsets[3] = { 0, L / 3, -L / 3 };
        for (int k = 0; k < 3; ++k) {
            QCPItemPosition *p = C[plate * 3 + k];
            if (horizontal)
                p->setCoords(c.x() + gap[plate], c.y() + offsets[k]);
            else
                p->setCoords(c.x() + offsets[k], c.y() - gap[plate]);
        }
    }
    component2::placeAt(c);
}

QVector<QPointF> capacitor::segments() const
{
    return { px(start), px(C[0]), px(C[1]), px(C[2]), px(C[3]), px(end), px(C[4]), px(C[5]) };
}

wire::wire(QCustomPlot *plot)
    : QCPAbstractItem(plot)
    , start(createPosition(QLatin1String("start")))
    , end(createPosition(QLatin1String("end")))
    , center(createPosition(QLatin1String("center")))
    , normalPen(symbolPen(Qt::black))
    , selectedPen(symbolPen(Qt::blue))
{
}

void wire::setStart(const QPointF &p)
{
    start->setCoords(p);
    center->setCoords((start->coords() + end->coords()) / 2);
}

void wire::setEnd(const QPointF &p)
{
    end->setCoords(p);
    center->setCoords((start->coords() + end->coords()) / 2);
}

void wire::placeAt(const QPointF &c)
{
    const QPointF d = end->coords() - start->coords();
    const double h = (std::fabs(d.x()) + std::fabs(d.y())) / 2;
    center->setCoords(c);
    if (horizontal) {
        start->setCoords(c.x() - h, c.y());
        end->setCoords(c.x() + h, c.y());
    } else {
        start->setCoords(c.x(), c.y() + h);
        end->setCoords(c.x(), c.y() - h);
    }
}

double wire::selectTest(const QPointF &pos, bool onlySelectable, QVariant *) const
{
    if (onlySelectable && !mSelectable)
        return -1;
    return distanceToSegments(pos, { start->pixelPosition(), end->pixelPosition() });
}

void wire::draw(QCPPainter *painter)
{
    painter->setPen(mSelected ? selectedPen : normalPen);
    painter->drawLine(QLineF(start->pixelPosition(), end->pixelPosition()));
}

void wire::removeComponent()
{
    parentPlot()->removeItem(this);
}

ampSym::ampSym(QCustomPlot *plot)
    : QCPAbstractItem(plot)
    , center(createPosition(QLatin1String("center")))
    , C1(createPosition(QLatin1String("C1")))
    , C2(createPosition(QLatin1String("C2")))
    , C3(createPosition(QLatin1String("C3")))
    , normalPen(symbolPen(Qt::black))
    , selectedPen(symbolPen(Qt::blue))
{
}

void ampSym::placeAt(const QPointF &c)
{
    // A triangle pointing right: the input side at the left, the output tip at the right.
    const double h = length / 2;
    center->setCoords(c);
    C1->setCoords(c.x() - h, c.y() + h);
    C2->setCoords(c.x() - h, c.y() - h);
    C3->setCoords(c.x() + h, c.y());
}

double ampSym::selectTest(const QPointF &pos, bool onlySelectable, QVariant *) const
{
    if (onlySelectable && !mSelectable)
        return -1;
    QPolygonF triangle;
    triangle << C1->pixelPosition() << C2->pixelPosition() << C3->pixelPosition();
    if (triangle.containsPoint(pos, Qt::OddEvenFill))
        return mParentPlot->selectionTolerance() * 0.99;
    return distanceToSegments(
        pos, { triangle[0], triangle[1], triangle[1], triangle[2], triangle[2], triangle[0] });
}

void ampSym::draw(QCPPainter *painter)
{
    painter->setPen(mSelected ? selectedPen : normalPen);
    QPolygonF triangle;
    triangle << C1->pixelPosition() << C2->pixelPosition() << C3->pixelPosition();
    painter->drawPolygon(triangle);
}

void ampSym::removeComponent()
{
    parentPlot()->removeItem(this);
}

bool isComponent2(const QCPAbstractItem *item)
{
    if (!item)
        return false;
    const QMetaObject *type = item->metaObject();
    return type == &component2::staticMetaObject || type == &resistor::staticMetaObject
        || type == &capacitor::staticMetaObject;
}

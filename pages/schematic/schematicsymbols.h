#pragma once

#include <QPen>
#include <QPointF>
#include <QString>

#include "qcustomplot.h"

// The symbols of the free schematic editor: plot items whose named positions
// are recomputed from a centre point, an orientation and a length. Bodies are
// drawn as lines between consecutive positions.
class component2 : public QCPAbstractItem {
    Q_OBJECT
public:
    explicit component2(QCustomPlot *plot);

    QCPItemPosition *const start;
    QCPItemPosition *const end;
    QCPItemPosition *const center;

    QString value = QStringLiteral("1");
    QString label = QStringLiteral("X");
    bool showValue = false;
    bool showLabel = false;
    bool horizontal = true;
    double length = 400.0;
    QPen normalPen;
    QPen selectedPen;
    QCPItemText *valueText = nullptr;
    QCPItemText *labelText = nullptr;

    void setValue(const QString &text);
    void setLabel(const QString &text);
    // Shows, updates or removes the two text items as the flags say.
    void updateTexts();
    // Recomputes every position from the centre, the orientation and the length.
    virtual void placeAt(const QPointF &centre);
    QPointF centre() const { return center->coords(); }

    double selectTest(const QPointF &pos, bool onlySelectable, QVariant *details = nullptr) const override;

public slots:
    void removeComponent();

protected:
    void draw(QCPPainter *painter) override;
    // Pixel segments of the body, as pairs of points.
    virtual QVector<QPointF> segments() const;
    // Distance of the value and label texts from the centre, in lengths.
    virtual double textDistance() const { return 1.0 / 3.0; }
    QPointF px(const QCPItemPosition *p) const { return p->pixelPosition(); }

private:
    void placeText(QCPItemText *&item, bool shown, const QString &text, double side);
};

class resistor : public component2 {
    Q_OBJECT
public:
    explicit resistor(QCustomPlot *plot);
    QCPItemPosition *C[6];
    void placeAt(const QPointF &centre) override;

protected:
    QVector<QPointF> segments() const override;
};

class capacitor : public component2 {
    Q_OBJECT
public:
    explicit capacitor(QCustomPlot *plot);
    QCPItemPosition *C[6];
    void placeAt(const QPointF &centre) override;

protected:
    QVector<QPointF> segments() const override;
    double textDistance() const override { return 0.5; }
};

class wire : public QCPAbstractItem {
    Q_OBJECT
public:
    explicit wire(QCustomPlot *plot);

    QCPItemPosition *const start;
    QCPItemPosition *const end;
    QCPItemPosition *const center;
    QString label = QStringLiteral("X");
    bool horizontal = true;
    QPen normalPen;
    QPen selectedPen;

    void setStart(const QPointF &p);
    void setEnd(const QPointF &p);
    void setLabel(const QString &text) { label = text; }
    // Keeps its length and orientation.
    void placeAt(const QPointF &centre);
    QPointF centre() const { return center->coords(); }

    double selectTest(const QPointF &pos, bool onlySelectable, QVariant *details = nullptr) const override;

public slots:
    void removeComponent();

protected:
    void draw(QCPPainter *painter) override;
};

class ampSym : public QCPAbstractItem {
    Q_OBJECT
public:
    explicit ampSym(QCustomPlot *plot);

    QCPItemPosition *const center;
    QCPItemPosition *const C1;
    QCPItemPosition *const C2;
    QCPItemPosition *const C3;
    QString label = QStringLiteral("X");
    double length = 600.0;
    QPen normalPen;
    QPen selectedPen;

    void placeAt(const QPointF &centre);
    QPointF centre() const { return center->coords(); }
    double selectTest(const QPointF &pos, bool onlySelectable, QVariant *details = nullptr) const override;

public slots:
    void removeComponent();

protected:
    void draw(QCPPainter *painter) override;
};

// The item is a two-terminal part (exactly component2, resistor or capacitor).
bool isComponent2(const QCPAbstractItem *item);

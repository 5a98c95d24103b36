// Shared parts of picturegen: the palette, the drawing primitives and frames every group of
// pictures uses, and the entry point of each group. Internal to the tool.

#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <functional>

namespace pics {

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

// ---- Fonts, pens and text (drawing.cpp) ----

QFont font(int px, bool bold = false);
QPen pen(const QColor &c, qreal w);
void prepare(QPainter &p);
QImage blank(int w, int h, const QColor &fill);
void drawFittedText(QPainter &p, const QRectF &r, const QString &text, int maxPx, int minPx, bool bold,
    const QColor &c, Qt::Alignment align = Qt::AlignCenter);
void drawLabel(QPainter &p, const QPointF &at, const QString &text, int px, bool bold, const QColor &c,
    Qt::Alignment align = Qt::AlignCenter);

// ---- Schematic primitives (drawing.cpp) ----

// Runs a two-terminal drawing in a local frame where the part lies from (0,0) to (len,0).
void inFrame(QPainter &p, QPointF a, QPointF b, const std::function<void(qreal)> &draw);
void wire(QPainter &p, const QVector<QPointF> &pts, const QColor &c = kNavy, qreal w = 2);
void dot(QPainter &p, QPointF at, qreal r = 3, const QColor &c = kNavy);
void terminal(QPainter &p, QPointF at, qreal r = 3.5, const QColor &c = kNavy);
void resistor(
    QPainter &p, QPointF a, QPointF b, const QColor &c = kNavy, qreal w = 2, qreal amp = 5, qreal body = 0);
void capacitor(
    QPainter &p, QPointF a, QPointF b, const QColor &c = kNavy, qreal w = 2, qreal plate = 18, qreal gap = 6);
void inductor(
    QPainter &p, QPointF a, QPointF b, const QColor &c = kNavy, qreal w = 2, int bumps = 4, qreal body = 0);
void ground(QPainter &p, QPointF at, qreal w = 16, const QColor &c = kNavy, qreal penW = 2);
void arrow(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w = 2, qreal head = 9);

struct OpAmpPins {
    QPointF minus;
    QPointF plus;
    QPointF out;
};

// A triangle pointing right (or left when mirrored); the minus input is the upper one.
OpAmpPins opAmp(QPainter &p, QRectF r, const QColor &fill, const QColor &line = kNavy, qreal w = 2,
    bool mirrored = false, int signPx = 0);
QPainterPath wave(const QRectF &r, double cycles, double phase, double ampFrac = 1.0);
void block(QPainter &p, const QRectF &r, const QString &text, const QColor &fill, const QColor &textColor,
    int px, const QColor &line = kNavy, qreal w = 2);

// ---- Solid shapes (drawing.cpp) ----

void face(QPainter &p, const QPolygonF &poly, const QBrush &b, const QColor &edge = kNavy);
// A box in oblique projection: front face rect, depth going up and to the right.
void obliqueBox(QPainter &p, const QRectF &front, QPointF d, const QColor &frontC, const QColor &topC,
    const QColor &sideC, bool drawTop = true);

// ---- Frames shared by the pictures (drawing.cpp) ----

void lightBackground(QPainter &p, const QRectF &r, bool border = true);

using Art = std::function<void(QPainter &, const QRectF &)>;

// A home-page button: the buttons carry no text, so the caption is part of the picture.
QImage homeButton(const QString &caption, const Art &art);
// A catalog card (package or heatsink): drawing on top, one bold and one plain caption line.
QImage card(const QString &title, const QString &subtitle, const Art &art);

// ---- Heatsinks (heatsinks.cpp) ----

struct HeatsinkShape {
    double length = 2; // inches, into the picture
    double width = 2; // inches, across
    double height = 1; // inches, fin height above the board
};

void drawFinnedHeatsink(QPainter &p, const QRectF &area, const HeatsinkShape &s);
QImage heatsinkCard(const QString &name, const HeatsinkShape &s);

// ---- Packages (packages.cpp) ----

QImage packageCard(const QString &code, const QString &shortDesc, const QString &fullDesc);

// ---- Home-page buttons (buttons.cpp) ----

QImage pwmButton();
QImage linearButton();
QImage powerButton();
QImage tutorialButton();
QImage ihcpButton();
QImage motorButton();
QImage heatsinkButton();
QImage stabilityButton();
QImage controlButton();
QImage filterButton();
QImage soaButton();

// ---- Splash screen, window icon, control circuit icons, motor wiring, warning sign (icons.cpp) ----

QImage splash();
QImage windowIcon();

enum class ControlKind { V1, V2, I1, I2 };
QImage controlIcon(ControlKind kind);

QImage wiringPicture(bool delta);
QImage warningSign();

} // namespace pics

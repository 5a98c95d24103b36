#pragma once

#include <QColor>
#include <QJsonObject>
#include <QString>

class QWidget;

// Everything under root that a user could see, keyed by object name; the first
// object of a name in a depth-first walk wins.
QJsonObject reportWidgets(const QWidget *root);

// The charts under root, keyed by object name: titles, axes, graphs, curves, texts.
QJsonObject reportPlots(const QWidget *root);

// "#rrggbb", the colour form every report entry uses.
QString colorName(const QColor &c);

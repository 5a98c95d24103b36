#pragma once

#include <QString>

class QLineEdit;
class QLabel;
class QCPItemText;

// Widget side of the value routines: they parse or format and colour the widget.
double field2Number(QLineEdit *field, const QString &kind);
double label2Number(const QString &text, QCPItemText *label);
void setLabelSI(double value, QLabel *label, const QString &unit);
void setFieldSI(double value, QLineEdit *field, const QString &unit);
void setItemSI(double value, QCPItemText *item, const QString &unit);

#pragma once

#include <QString>

// Writes a netlist through QSaveFile: a failed write leaves whatever file
// was there and gives false with the reason in `error`.
bool writeSpiceNetlist(const QString &path, const QString &text, QString *error);

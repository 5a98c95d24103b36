#pragma once

#include <QString>

// Whether the published version text (as the update check reads it, perhaps
// with blanks or a line end around it) is newer than ours: the dotted numbers
// are compared in turn, over as many as both have; a part that is no number
// counts as 0.
bool isNewerVersion(const QString &published, const QString &ours);

#pragma once

#include <QColor>

#include "pages/resultnote.h"

class QLabel;
class QTextEdit;

// The one place where a note's tone becomes a colour: a warning is red,
// everything else black (or the colour a page gives for a good outcome, as
// the stability verdict's green).

// Replaces the notes box's text with the notes, one paragraph each, and
// shows the top of the box.
void showNotes(QTextEdit *box, const ResultNotes &notes);

// Writes the note into the label with the house style sheet of its colour;
// `calm` is the colour of a note that is not a warning.
void showNote(QLabel *label, const ResultNote &note, const QColor &calm = Qt::black);

// The colour a drawing gives to a text of that tone.
QColor noteColour(NoteTone tone, const QColor &calm = Qt::black);

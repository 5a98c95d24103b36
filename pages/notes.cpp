#include "pages/notes.h"

#include <QLabel>
#include <QTextEdit>

namespace {

// "QLabel { color : red; }": the named colour where Qt has one, as the
// pages always wrote it, else #rrggbb.
QString colourName(const QColor &colour)
{
    if (colour == QColor(Qt::red))
        return QStringLiteral("red");
    if (colour == QColor(Qt::black))
        return QStringLiteral("black");
    if (colour == QColor(QStringLiteral("green")))
        return QStringLiteral("green");
    return colour.name();
}

} // namespace

QColor noteColour(NoteTone tone, const QColor &calm)
{
    return tone == NoteTone::Warning ? QColor(Qt::red) : calm;
}

void showNotes(QTextEdit *box, const ResultNotes &notes)
{
    box->clear();
    for (const ResultNote &note : notes) {
        box->setTextColor(noteColour(note.tone));
        box->append(note.text);
    }
    box->setTextColor(Qt::black);
    box->moveCursor(QTextCursor::Start);
    box->ensureCursorVisible();
}

void showNote(QLabel *label, const ResultNote &note, const QColor &calm)
{
    label->setText(note.text);
    const QString style
        = QStringLiteral("QLabel { color : %1; }").arg(colourName(noteColour(note.tone, calm)));
    // Re-applying an unchanged style sheet costs a re-polish on every refresh.
    if (label->styleSheet() != style)
        label->setStyleSheet(style);
}

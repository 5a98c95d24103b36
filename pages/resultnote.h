#pragma once

#include <QString>
#include <QVector>

// What a model says about a result line: its text and how much it matters.
// The model never says how a note looks; the page's note helper
// (pages/notes.h) turns the tone into a colour.
enum class NoteTone {
    Normal, // a plain read-out or heading
    Advice, // a hint the user may act on
    Warning, // a limit is broken: shown in red
};

struct ResultNote {
    QString text;
    NoteTone tone = NoteTone::Normal;

    bool isWarning() const { return tone == NoteTone::Warning; }
    bool operator==(const ResultNote &other) const { return text == other.text && tone == other.tone; }
};

using ResultNotes = QVector<ResultNote>;

inline ResultNote normalNote(const QString &text)
{
    return { text, NoteTone::Normal };
}

inline ResultNote adviceNote(const QString &text)
{
    return { text, NoteTone::Advice };
}

inline ResultNote warningNote(const QString &text)
{
    return { text, NoteTone::Warning };
}

#pragma once

#include <QHash>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QVector>

#include "pages/storedentries.h"

class QWidget;

namespace DesignFile {

inline const char *const kHeader = "ZARN AMPORA SAVED PREFERENCES";
inline const char *const kFilter = "Zarn Ampora Files (*.zam)";

enum class HeaderCheck { Ok, Unreadable, WrongHeader };

// Limits of a design file that Open accepts; a real design is a few kilobytes,
// so anything past them is damaged and refused whole.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
constexpr int kMaxLineChars = 1024 * 1024;
constexpr int kMaxListItems = 100000;

// Whether `path` opens and starts with the design-file header line. The file
// is read without line-end conversion: a CR LF file does not carry the header.
HeaderCheck readHeader(const QString &path);

// How a key's value is written.
enum class KeyForm {
    Text, // a line edit's text
    StoredText, // a text the page keeps
    Bool, // a check box, radio button, checkable button or group box: 1 or 0
    Index, // a tab widget, stacked widget or combo box position
    Name, // an amplifier selector's current text
    Value, // a spin box's value
    Int, // a whole number the page keeps
    Triple, // three stored entries separated by blanks
    Quadruple, // four stored entries separated by blanks
    List, // stored entries, each followed by a blank
    ComboText // a combo box's current text
};

struct Key {
    const char *name;
    KeyForm form;
};

// Every key in file order; Save writes them in this order and Open applies
// whatever lines a file has.
const QVector<Key> &keys();

// The design a window shows, read and written key by key. Each row of the
// table gets its binding (a getter and a setter) once per open, save or
// report: the page's, where a page binds the key (ToolPage::storedEntries:
// stored entries, and selectors and lists with rules of their own), else one
// on the widget of that object name in the row's form. A key with neither is
// kept here, so a file's value survives a save even where no page holds it.
class Design {
public:
    explicit Design(QWidget *window);
    Design(const Design &) = delete;
    Design &operator=(const Design &) = delete;

    // The value a save writes for `key`.
    QString value(const Key &key) const;
    // Applies one line's value; `version7` tells how selector values read.
    void apply(const Key &key, const QString &value, bool version7);

    // The whole file text of a save.
    QByteArray serialise();
    // Applies a file's text. Returns false, changing nothing, when its first
    // line is not the header or the text is past the limits above.
    bool parse(const QByteArray &content);

    // Every key with the value a save would write, for the report.
    QJsonObject entries() const;

private:
    // Gives every row of the table its binding, walking the window once.
    void bind() const;
    const EntryBinding &row(const Key &key) const;

    QWidget *m_window;
    mutable QHash<QString, EntryBinding> m_rows;
    mutable QMap<QString, QString> m_unbound;
};

} // namespace DesignFile

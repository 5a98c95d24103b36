#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBrowser>

// Looks at a page's form the way a user reads it: what each widget shows, and
// which captions and units stand in the same row as a field.
namespace FormProbe {

// Marks a column that the table does not check for that row.
inline const QString kAny = QStringLiteral("*");

inline QString shownText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->toPlainText();
    if (auto *s = qobject_cast<QStackedWidget *>(w))
        return QString::number(s->currentIndex());
    if (auto *t = qobject_cast<QTabWidget *>(w))
        return QString::number(t->currentIndex());
    return {};
}

// -1: not checkable, else 0 or 1.
inline int checkedState(QWidget *w)
{
    auto *b = qobject_cast<QAbstractButton *>(w);
    if (!b || !b->isCheckable())
        return -1;
    return b->isChecked() ? 1 : 0;
}

// The texts of the labels that share a grid row with `field`.
inline QStringList rowTexts(QWidget *field)
{
    QStringList texts;
    QWidget *parent = field->parentWidget();
    if (!parent)
        return texts;
    for (QGridLayout *grid : parent->findChildren<QGridLayout *>()) {
        const int at = grid->indexOf(field);
        if (at < 0)
            continue;
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(at, &row, &column, &rowSpan, &columnSpan);
        for (int c = 0; c < grid->columnCount(); ++c) {
            QLayoutItem *item = grid->itemAtPosition(row, c);
            if (auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr)
                texts << label->text();
        }
    }
    return texts;
}

inline bool hasLabel(QWidget *page, const QString &text)
{
    for (QLabel *l : page->findChildren<QLabel *>()) {
        if (l->text() == text)
            return true;
    }
    return false;
}

// Whether the page's scroll area needs to scroll to show everything.
inline QSize scrollNeeded(QWidget *page)
{
    auto *area = page->findChild<QScrollArea *>();
    if (!area)
        return {-1, -1};
    return {area->horizontalScrollBar()->maximum(), area->verticalScrollBar()->maximum()};
}

// Named widgets that a user could not read whole: squeezed below the size
// their content needs, or reaching outside their parent.
inline QStringList squeezed(QWidget *page)
{
    QStringList names;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || !w->isVisible())
            continue;
        auto *label = qobject_cast<QLabel *>(w);
        const QSize need = w->minimumSizeHint();
        const bool tooSmall = !(label && label->wordWrap()) && need.isValid() &&
                              (w->width() < need.width() || w->height() < need.height());
        // A scroll area's content may be larger than its viewport: that is what scrolling is for.
        QWidget *parent = w->parentWidget();
        const bool scrolled = parent && parent->objectName() == QLatin1String("qt_scrollarea_viewport");
        const bool outside = parent && !scrolled && !parent->rect().contains(w->geometry());
        if (tooSmall || outside)
            names << w->objectName();
    }
    return names;
}

}  // namespace FormProbe

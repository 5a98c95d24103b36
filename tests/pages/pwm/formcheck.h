#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <QtTest>

// Helpers for the form tests: where a widget sits and what stands beside it.
namespace FormCheck {

// The layout that holds `w` directly, searched from `root` down.
inline QLayout *layoutHolding(QLayout *layout, QWidget *w, int *index)
{
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w) {
            *index = i;
            return layout;
        }
        if (QLayout *found = layoutHolding(item->layout(), w, index))
            return found;
    }
    return nullptr;
}

// The texts of the labels and buttons in the same grid row or box layout as
// `w`: the caption and the unit an engineer reads beside a field.
inline QStringList rowTexts(QWidget *w)
{
    QStringList texts;
    if (!w || !w->parentWidget())
        return texts;
    int index = -1;
    QLayout *layout = layoutHolding(w->parentWidget()->layout(), w, &index);
    if (!layout)
        return texts;
    auto collect = [&texts](QLayoutItem *item) {
        if (auto *label = qobject_cast<QLabel *>(item->widget()))
            texts << label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(item->widget()))
            texts << button->text();
    };
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        for (int c = 0; c < grid->columnCount(); ++c)
            if (QLayoutItem *item = grid->itemAtPosition(row, c))
                collect(item);
    } else {
        for (int i = 0; i < layout->count(); ++i)
            collect(layout->itemAt(i));
    }
    return texts;
}

// The title of the nearest group box around `w`, empty when there is none.
inline QString groupTitle(QWidget *w)
{
    for (QWidget *p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto *box = qobject_cast<QGroupBox *>(p))
            return box->title();
    return QString();
}


// One row of a form table: the widget, its kind and one property's value.
inline void addRow(const QString &name, const char *kind, const char *property, const QVariant &expected)
{
    QTest::newRow(qPrintable(name + QLatin1Char('.') + QLatin1String(property)))
        << name << QString::fromLatin1(kind) << QByteArray(property) << expected;
}

inline void addColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
}

// Checks the current row against the widget on `page`; "hidden" means hidden on purpose.
inline void checkRow(QWidget *page)
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    QVERIFY(page);
    auto *w = page->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name + QStringLiteral(" is not on ") + page->objectName()));
    QVERIFY2(w->inherits(qPrintable(kind)), qPrintable(name + QStringLiteral(" is a ") + w->metaObject()->className()));
    const QVariant actual = property == "hidden" ? QVariant(w->isHidden()) : w->property(property.constData());
    QVERIFY2(actual.isValid(), property.constData());
    QCOMPARE(actual.toString(), expected.toString());
}

// Every named object of `page` carries a name that nothing else in `window` has.
inline void checkUniqueNames(QWidget *window, QWidget *page)
{
    const QList<QObject *> objects = page->findChildren<QObject *>();
    for (QObject *o : objects) {
        const QString name = o->objectName();
        // Qt names the parts of its own widgets (the scroll buttons of a tab bar).
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || (o->parent() && o->parent()->inherits("QTabBar")))
            continue;
        QVERIFY2(window->findChildren<QObject *>(name).size() == 1, qPrintable(name + QStringLiteral(" is not unique")));
        QVERIFY2(window->objectName() != name, qPrintable(name));
    }
}

// At the window's size, with the Home button shown as on every tool page,
// the page needs no scrolling: nothing is cut off.
inline void checkFitsWithoutScrolling(QWidget *window, QStackedWidget *stack, QWidget *page)
{
    window->resize(1230, 691);
    window->show();
    if (auto *home = window->findChild<QWidget *>(QStringLiteral("HomeButton")))
        home->show();
    stack->setCurrentWidget(page);
    QApplication::processEvents();
    auto *scroll = page->findChild<QScrollArea *>();
    QVERIFY(scroll);
    QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
    QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
}

}  // namespace FormCheck

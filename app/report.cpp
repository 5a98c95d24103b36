#include "app/report.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeView>
#include <qcustomplot.h>

#include "pages/charthelper.h"

#include <cmath>
#include <functional>

namespace {

// JSON has no NaN or infinity; a reader sees null where the tool shows nothing sensible.
QJsonValue number(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue();
}

bool reportable(const QObject *o)
{
    const QString name = o->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// A stacked widget reorders its children as pages are raised and lowered, so its pages are
// walked in page order: which of two same-named widgets wins must not depend on the page shown.
QObjectList walkOrder(const QObject *o)
{
    const auto *stack = qobject_cast<const QStackedWidget *>(o);
    if (!stack)
        return o->children();
    QObjectList ordered;
    for (int i = 0; i < stack->count(); ++i)
        ordered.append(stack->widget(i));
    for (QObject *child : o->children())
        if (!ordered.contains(child))
            ordered.append(child);
    return ordered;
}

void walk(const QObject *o, const std::function<void(const QObject *)> &visit)
{
    visit(o);
    for (const QObject *child : walkOrder(o))
        walk(child, visit);
}

int clampByte(double v)
{
    return std::isfinite(v) ? qBound(0, int(std::lround(v)), 255) : 0;
}

// Accepts the colour forms pages write: names, #hex and rgb(r, g, b); the report ignores alpha.
QColor cssColor(QString text)
{
    text = text.trimmed();
    static const QRegularExpression functional(
        QStringLiteral(R"(^rgba?\s*\(([^)]*)\)$)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = functional.match(text);
    if (!m.hasMatch())
        return QColor(text);
    const QStringList parts = m.captured(1).split(QLatin1Char(','));
    if (parts.size() < 3)
        return QColor();
    int channel[3] = { 0, 0, 0 };
    for (int i = 0; i < 3; ++i) {
        QString part = parts.at(i).trimmed();
        const bool percent = part.endsWith(QLatin1Char('%'));
        if (percent)
            part.chop(1);
        const double v = part.toDouble();
        channel[i] = clampByte(percent ? v * 255.0 / 100.0 : v);
    }
    return QColor(channel[0], channel[1], channel[2]);
}

// The first "color" declaration of the widget's own style sheet; "background-color" does not count.
QColor styleSheetColor(const QWidget *w)
{
    QString sheet = w->styleSheet();
    if (sheet.isEmpty())
        return QColor();
    static const QRegularExpression comments(
        QStringLiteral(R"(/\*.*?\*/)"), QRegularExpression::DotMatchesEverythingOption);
    sheet.remove(comments);
    static const QRegularExpression declaration(
        QStringLiteral(R"((?:^|[^\w-])color\s*:\s*([^;}]+))"), QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatchIterator it = declaration.globalMatch(sheet);
    while (it.hasNext()) {
        QString value = it.next().captured(1);
        value.remove(
            QRegularExpression(QStringLiteral("!\\s*important"), QRegularExpression::CaseInsensitiveOption));
        const QColor c = cssColor(value);
        if (c.isValid())
            return c;
    }
    return QColor();
}

// A user works in the window while it is active, so an enabled widget shows its Active colours.
QColor textColor(const QWidget *w, QPalette::ColorRole role)
{
    const QColor fromSheet = styleSheetColor(w);
    if (fromSheet.isValid())
        return fromSheet;
    const QPalette::ColorGroup group = w->isEnabled() ? QPalette::Active : QPalette::Disabled;
    return w->palette().color(group, role);
}

// What the user sees once the report's window opens: pages that are not current, and
// dialogs or popups that are not open, are not seen.
bool reportedVisible(const QWidget *w, const QWidget *mainWindow)
{
    if (const QMenu *menu = qobject_cast<const QMenu *>(w))
        return menu->menuAction()->isVisible();
    if (w == mainWindow)
        return !(w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide));
    if (w->window() == mainWindow)
        return w->isVisibleTo(mainWindow);
    return w->isVisible();
}

QJsonArray documentLines(const QTextDocument *doc, const QColor &widgetColor)
{
    QJsonArray lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        QColor colour = widgetColor;
        QTextBlock::iterator fragments = block.begin();
        const QTextCharFormat format
            = fragments.atEnd() ? block.charFormat() : fragments.fragment().charFormat();
        if (format.foreground().style() != Qt::NoBrush)
            colour = format.foreground().color();
        lines.append(QJsonObject {
            { QStringLiteral("text"), block.text() }, { QStringLiteral("color"), colorName(colour) } });
    }
    return lines;
}

bool hasBackground(const QVariant &v)
{
    if (!v.isValid())
        return false;
    if (v.userType() == QMetaType::QColor)
        return v.value<QColor>().isValid();
    if (v.userType() == QMetaType::QBrush)
        return v.value<QBrush>().style() != Qt::NoBrush;
    return v.canConvert<QBrush>() && v.value<QBrush>().style() != Qt::NoBrush;
}

// Numbers and dates read as the view draws them; plain strings stay exactly as stored.
QString cellText(const QAbstractItemView *view, const QModelIndex &index)
{
    const QVariant v = index.data(Qt::DisplayRole);
    if (!v.isValid())
        return QString();
    if (v.userType() == QMetaType::QString)
        return v.toString();
    if (const auto *delegate = qobject_cast<const QStyledItemDelegate *>(view->itemDelegate(index)))
        return delegate->displayText(v, view->locale());
    return v.toString();
}

struct TableLayout {
    QVector<int> columns; // logical columns in visual order, hidden ones left out
    QVector<int> rows; // logical rows in visual order, hidden ones left out
};

TableLayout tableLayout(const QAbstractItemView *view)
{
    TableLayout layout;
    const QAbstractItemModel *model = view->model();
    const QModelIndex root = view->rootIndex();
    const int rowCount = model->rowCount(root);
    const int columnCount = model->columnCount(root);

    std::function<bool(int)> columnHidden = [](int) { return false; };
    std::function<bool(int)> rowHidden = [](int) { return false; };
    std::function<int(int)> columnAt = [](int visual) { return visual; };
    std::function<int(int)> rowAt = [](int visual) { return visual; };

    if (const auto *table = qobject_cast<const QTableView *>(view)) {
        columnHidden = [table](int c) { return table->isColumnHidden(c); };
        rowHidden = [table](int r) { return table->isRowHidden(r); };
        columnAt = [table](int v) { return table->horizontalHeader()->logicalIndex(v); };
        rowAt = [table](int v) { return table->verticalHeader()->logicalIndex(v); };
    } else if (const auto *tree = qobject_cast<const QTreeView *>(view)) {
        columnHidden = [tree](int c) { return tree->isColumnHidden(c); };
        rowHidden = [tree, root](int r) { return tree->isRowHidden(r, root); };
        columnAt = [tree](int v) { return tree->header()->logicalIndex(v); };
    } else if (const auto *list = qobject_cast<const QListView *>(view)) {
        const int shown = list->modelColumn();
        columnHidden = [shown](int c) { return c != shown; };
        rowHidden = [list](int r) { return list->isRowHidden(r); };
    }

    for (int v = 0; v < columnCount; ++v) {
        const int c = columnAt(v);
        if (c >= 0 && c < columnCount && !columnHidden(c))
            layout.columns.append(c);
    }
    for (int v = 0; v < rowCount; ++v) {
        const int r = rowAt(v);
        if (r >= 0 && r < rowCount && !rowHidden(r))
            layout.rows.append(r);
    }
    return layout;
}

void describeItemView(const QAbstractItemView *view, QJsonObject &entry)
{
    QJsonArray headers, rows, highlighted;
    int current = -1;
    if (const QAbstractItemModel *model = view->model()) {
        const TableLayout layout = tableLayout(view);
        const QModelIndex root = view->rootIndex();
        for (int c : layout.columns)
            headers.append(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        const QModelIndex currentIndex = view->currentIndex();
        for (int i = 0; i < layout.rows.size(); ++i) {
            const int r = layout.rows.at(i);
            QJsonArray cells;
            for (int j = 0; j < layout.columns.size(); ++j) {
                const QModelIndex index = model->index(r, layout.columns.at(j), root);
                cells.append(cellText(view, index));
                if (hasBackground(index.data(Qt::BackgroundRole)))
                    highlighted.append(QJsonArray { i, j });
            }
            rows.append(cells);
            if (currentIndex.isValid() && currentIndex.parent() == root && currentIndex.row() == r)
                current = i;
        }
        entry.insert(QStringLiteral("value"), rows.size());
    } else {
        entry.insert(QStringLiteral("value"), 0);
    }
    entry.insert(QStringLiteral("headers"), headers);
    entry.insert(QStringLiteral("rows"), rows);
    entry.insert(QStringLiteral("highlighted"), highlighted);
    entry.insert(QStringLiteral("current"), current);
}

void describeWidget(const QWidget *w, QJsonObject &entry)
{
    const QString value = QStringLiteral("value");
    const QString color = QStringLiteral("color");
    if (qobject_cast<const QCustomPlot *>(w)) {
        // A chart's content is under "plots".
        entry.insert(value, QJsonValue());
        return;
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
        entry.insert(value, edit->text());
        entry.insert(color, colorName(textColor(edit, QPalette::Text)));
    } else if (const auto *label = qobject_cast<const QLabel *>(w)) {
        entry.insert(value, label->text());
        entry.insert(color, colorName(textColor(label, QPalette::WindowText)));
    } else if (const auto *text = qobject_cast<const QTextEdit *>(w)) {
        const QColor widgetColor = textColor(text, QPalette::Text);
        entry.insert(value, text->toPlainText());
        entry.insert(color, colorName(widgetColor));
        entry.insert(QStringLiteral("lines"), documentLines(text->document(), widgetColor));
    } else if (const auto *plain = qobject_cast<const QPlainTextEdit *>(w)) {
        const QColor widgetColor = textColor(plain, QPalette::Text);
        entry.insert(value, plain->toPlainText());
        entry.insert(color, colorName(widgetColor));
        entry.insert(QStringLiteral("lines"), documentLines(plain->document(), widgetColor));
    } else if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
        QJsonArray items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        entry.insert(value, combo->currentText());
        entry.insert(QStringLiteral("index"), combo->currentIndex());
        entry.insert(QStringLiteral("items"), items);
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        if (button->isCheckable())
            entry.insert(value, button->isChecked());
        else
            entry.insert(value, button->text());
    } else if (const auto *group = qobject_cast<const QGroupBox *>(w)) {
        if (group->isCheckable())
            entry.insert(value, group->isChecked());
        else
            entry.insert(value, group->title());
    } else if (const auto *spin = qobject_cast<const QSpinBox *>(w)) {
        entry.insert(value, spin->value());
    } else if (const auto *doubleSpin = qobject_cast<const QDoubleSpinBox *>(w)) {
        entry.insert(value, number(doubleSpin->value()));
    } else if (const auto *abstractSpin = qobject_cast<const QAbstractSpinBox *>(w)) {
        entry.insert(value, abstractSpin->text());
    } else if (const auto *slider = qobject_cast<const QAbstractSlider *>(w)) {
        entry.insert(value, slider->value());
    } else if (const auto *stack = qobject_cast<const QStackedWidget *>(w)) {
        entry.insert(value, stack->currentIndex());
        entry.insert(QStringLiteral("count"), stack->count());
    } else if (const auto *tabs = qobject_cast<const QTabWidget *>(w)) {
        QJsonArray titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles.append(tabs->tabText(i));
        entry.insert(value, tabs->currentIndex());
        entry.insert(QStringLiteral("count"), tabs->count());
        entry.insert(QStringLiteral("tabs"), titles);
    } else if (const auto *view = qobject_cast<const QAbstractItemView *>(w)) {
        describeItemView(view, entry);
    } else {
        entry.insert(value, QJsonValue());
    }
}

QJsonObject describe(const QObject *o, const QWidget *mainWindow)
{
    QJsonObject entry;
    entry.insert(QStringLiteral("type"), QString::fromLatin1(o->metaObject()->className()));
    if (const auto *action = qobject_cast<const QAction *>(o)) {
        entry.insert(QStringLiteral("enabled"), action->isEnabled());
        entry.insert(QStringLiteral("visible"), action->isVisible());
        if (action->isCheckable())
            entry.insert(QStringLiteral("value"), action->isChecked());
        else
            entry.insert(QStringLiteral("value"), action->text());
    } else if (const auto *w = qobject_cast<const QWidget *>(o)) {
        entry.insert(QStringLiteral("enabled"), w->isEnabled());
        entry.insert(QStringLiteral("visible"), reportedVisible(w, mainWindow));
        describeWidget(w, entry);
    }
    return entry;
}

QJsonArray rangeJson(const QCPRange &range)
{
    return QJsonArray { number(range.lower), number(range.upper) };
}

template <typename Container> void appendData(const Container &data, QJsonObject &entry)
{
    QJsonArray xs, ys;
    if (data) {
        for (auto it = data->constBegin(); it != data->constEnd(); ++it) {
            xs.append(number(it->key));
            ys.append(number(it->value));
        }
    }
    entry.insert(QStringLiteral("x"), xs);
    entry.insert(QStringLiteral("y"), ys);
}

QString axisName(const QCustomPlot *plot, const QCPAxis *axis)
{
    if (axis == plot->xAxis)
        return QStringLiteral("x");
    if (axis == plot->yAxis)
        return QStringLiteral("y");
    if (axis == plot->xAxis2)
        return QStringLiteral("x2");
    if (axis == plot->yAxis2)
        return QStringLiteral("y2");
    return QString();
}

QJsonObject plottableEntry(const QCustomPlot *plot, const QCPAbstractPlottable *p)
{
    QJsonObject entry;
    entry.insert(QStringLiteral("name"), p->name());
    entry.insert(QStringLiteral("color"), colorName(p->pen().color()));
    entry.insert(QStringLiteral("visible"), p->visible());
    entry.insert(QStringLiteral("valueAxis"), axisName(plot, p->valueAxis()));
    return entry;
}

void describeAxis(const QCPAxis *axis, const QString &prefix, QJsonObject &entry)
{
    entry.insert(prefix + QStringLiteral("Label"), axis ? axis->label() : QString());
    entry.insert(prefix + QStringLiteral("Range"), axis ? rangeJson(axis->range()) : QJsonArray { 0, 0 });
    entry.insert(prefix + QStringLiteral("Log"), axis && axis->scaleType() == QCPAxis::stLogarithmic);
}

QJsonObject describePlot(const QCustomPlot *plot)
{
    QJsonObject entry;
    QString title;
    for (QCPLayoutElement *element : plot->plotLayout()->elements(true)) {
        if (const auto *text = qobject_cast<const QCPTextElement *>(element)) {
            title = text->text();
            break;
        }
    }
    entry.insert(QStringLiteral("title"), title);
    describeAxis(plot->xAxis, QStringLiteral("x"), entry);
    describeAxis(plot->yAxis, QStringLiteral("y"), entry);
    describeAxis(plot->yAxis2, QStringLiteral("y2"), entry);
    entry.insert(QStringLiteral("y2Visible"), plot->yAxis2 && plot->yAxis2->visible());

    QJsonArray graphs, curves, texts;
    auto *mutablePlot = const_cast<QCustomPlot *>(plot);
    for (int i = 0; i < plot->plottableCount(); ++i) {
        const QCPAbstractPlottable *p = mutablePlot->plottable(i);
        if (const auto *graph = qobject_cast<const QCPGraph *>(p)) {
            QJsonObject g = plottableEntry(plot, graph);
            appendData(graph->data(), g);
            graphs.append(g);
        } else if (const auto *curve = qobject_cast<const QCPCurve *>(p)) {
            QJsonObject c = plottableEntry(plot, curve);
            appendData(curve->data(), c);
            curves.append(c);
        }
    }
    for (int i = 0; i < plot->itemCount(); ++i) {
        const auto *text = qobject_cast<const QCPItemText *>(plot->item(i));
        if (!text)
            continue;
        const QPointF at = text->position->coords();
        texts.append(QJsonObject { { QStringLiteral("text"), text->text() },
            { QStringLiteral("x"), number(at.x()) }, { QStringLiteral("y"), number(at.y()) },
            { QStringLiteral("color"), colorName(text->color()) },
            { QStringLiteral("visible"), text->visible() } });
    }
    entry.insert(QStringLiteral("graphs"), graphs);
    entry.insert(QStringLiteral("curves"), curves);
    entry.insert(QStringLiteral("texts"), texts);
    entry.insert(QStringLiteral("beyond"), QJsonArray::fromStringList(beyondView(plot)));
    return entry;
}

} // namespace

QString colorName(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

QJsonObject reportWidgets(const QWidget *root)
{
    QJsonObject widgets;
    if (!root)
        return widgets;
    const QWidget *mainWindow = root->window();
    walk(root, [&widgets, mainWindow](const QObject *o) {
        if (!reportable(o) || widgets.contains(o->objectName()))
            return;
        if (!qobject_cast<const QWidget *>(o) && !qobject_cast<const QAction *>(o))
            return;
        widgets.insert(o->objectName(), describe(o, mainWindow));
    });
    return widgets;
}

QJsonObject reportPlots(const QWidget *root)
{
    QJsonObject plots;
    if (!root)
        return plots;
    walk(root, [&plots](const QObject *o) {
        const auto *plot = qobject_cast<const QCustomPlot *>(o);
        if (plot && reportable(o) && !plots.contains(o->objectName()))
            plots.insert(o->objectName(), describePlot(plot));
    });
    return plots;
}

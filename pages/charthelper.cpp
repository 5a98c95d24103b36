#include "pages/charthelper.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

#include "app/schematic/primitives.h"

namespace {

const char *const kSaveFilters = "PNG image (*.png);;JPEG image (*.jpg);;PDF document (*.pdf)";

// A legend entry that can add a hint after the graph's own name, so the
// name itself (and so the report) stays what the page gave the graph.
class BeyondLegendItem : public QCPPlottableLegendItem {
public:
    BeyondLegendItem(QCPLegend *legend, QCPAbstractPlottable *plottable)
        : QCPPlottableLegendItem(legend, plottable)
    {
    }
    bool beyond = false;

protected:
    static QString hint() { return QStringLiteral(" (beyond view)"); }
    QFont hintFont() const
    {
        QFont font = getFont();
        font.setItalic(true);
        return font;
    }
    void draw(QCPPainter *painter) override
    {
        QCPPlottableLegendItem::draw(painter);
        if (!beyond || !mPlottable)
            return;
        const QSize icon = mParentLegend->iconSize();
        const int nameWidth = painter->fontMetrics()
                                  .boundingRect(0, 0, 0, icon.height(), Qt::TextDontClip, mPlottable->name())
                                  .width();
        painter->setFont(hintFont());
        const QFontMetrics metrics = painter->fontMetrics();
        painter->drawText(mRect.x() + icon.width() + mParentLegend->iconTextPadding() + nameWidth, mRect.y(),
            metrics.horizontalAdvance(hint()) + 1, qMax(metrics.height(), icon.height()), Qt::TextDontClip,
            hint());
    }
    QSize minimumOuterSizeHint() const override
    {
        QSize size = QCPPlottableLegendItem::minimumOuterSizeHint();
        if (beyond)
            size.rwidth() += QFontMetrics(hintFont()).horizontalAdvance(hint()) + 1;
        return size;
    }
};

// Blanks the labels a crowded axis cannot show: on a log axis all but every
// `every`-th decade, on a linear one all but every `every`-th tick step.
void thinLabels(const QVector<double> &ticks, QVector<QString> &labels, bool log, int every)
{
    if (every <= (log ? 0 : 1))
        return;
    double step = 0;
    for (int i = 1; i < ticks.size(); ++i)
        if (ticks.at(i) > ticks.at(i - 1) && (step == 0 || ticks.at(i) - ticks.at(i - 1) < step))
            step = ticks.at(i) - ticks.at(i - 1);
    for (int i = 0; i < ticks.size() && i < labels.size(); ++i) {
        const double v = ticks.at(i);
        double at = 0;
        if (log) {
            at = v > 0 ? std::log10(v) : 0.5;
        } else {
            at = step > 0 ? v / step : 0.5;
        }
        const double whole = std::round(at);
        if (std::abs(at - whole) > 1e-6 || std::fmod(std::abs(whole), every) != 0)
            labels[i].clear();
    }
}

// The axis's own ticker, with the labels thinned when they would run together;
// the ticks and their grid lines stay.
class ThinnedLabels : public QCPAxisTicker {
public:
    explicit ThinnedLabels(const QSharedPointer<QCPAxisTicker> &inner)
        : inner(inner)
    {
    }
    QSharedPointer<QCPAxisTicker> inner;
    bool log = false;
    int every = 0; // 0: every label the inner ticker makes

    void generate(const QCPRange &range, const QLocale &locale, QChar formatChar, int precision,
        QVector<double> &ticks, QVector<double> *subTicks, QVector<QString> *tickLabels) override
    {
        inner->generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
        if (tickLabels)
            thinLabels(ticks, *tickLabels, log, every);
    }
};

template <typename Visit> void forEachPoint(const QCPAbstractPlottable *p, Visit visit)
{
    if (const auto *graph = qobject_cast<const QCPGraph *>(p)) {
        for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
            visit(it->key, it->value);
    } else if (const auto *curve = qobject_cast<const QCPCurve *>(p)) {
        for (auto it = curve->data()->constBegin(); it != curve->data()->constEnd(); ++it)
            visit(it->key, it->value);
    }
}

// A value that the axis could show: finite, and above zero on a log axis.
bool drawable(const QCPAxis *axis, double v)
{
    return std::isfinite(v) && (axis->scaleType() != QCPAxis::stLogarithmic || v > 0);
}

bool inRange(const QCPAxis *axis, double v)
{
    const QCPRange r = axis->range();
    if (axis->scaleType() == QCPAxis::stLogarithmic) {
        const double lo = std::log10(r.lower), hi = std::log10(r.upper), at = std::log10(v);
        const double slack = 1e-9 * std::abs(hi - lo);
        return at >= lo - slack && at <= hi + slack;
    }
    const double slack = 1e-9 * r.size();
    return v >= r.lower - slack && v <= r.upper + slack;
}

bool runsBeyond(const QCPAbstractPlottable *p)
{
    const QCPAxis *keyAxis = p->keyAxis(), *valueAxis = p->valueAxis();
    if (!keyAxis || !valueAxis)
        return false;
    bool beyond = false;
    forEachPoint(p, [&](double key, double value) {
        if (!beyond && drawable(keyAxis, key) && drawable(valueAxis, value))
            beyond = !inRange(keyAxis, key) || !inRange(valueAxis, value);
    });
    return beyond;
}

// Points along every visible graph, in pixels, about one per few pixels of line.
QVector<QPointF> samplePixels(QCustomPlot *plot)
{
    QVector<QPointF> samples;
    for (int i = 0; i < plot->plottableCount(); ++i) {
        const QCPAbstractPlottable *p = plot->plottable(i);
        if (!p->visible() || !p->keyAxis() || !p->valueAxis())
            continue;
        bool lines = true;
        if (const auto *graph = qobject_cast<const QCPGraph *>(p))
            lines = graph->lineStyle() != QCPGraph::lsNone;
        else if (const auto *curve = qobject_cast<const QCPCurve *>(p))
            lines = curve->lineStyle() != QCPCurve::lsNone;
        bool havePrevious = false;
        QPointF previous;
        forEachPoint(p, [&](double key, double value) {
            // A value a log axis cannot show is drawn off the chart, lines to it included.
            if (!std::isfinite(key) || !std::isfinite(value)) {
                havePrevious = false;
                return;
            }
            double x = 0, y = 0;
            p->coordsToPixels(key, value, x, y);
            const QPointF here(x, y);
            if (lines && havePrevious) {
                const double length = QLineF(previous, here).length();
                const int steps = int(std::min(40.0, length / 5));
                for (int s = 1; s < steps; ++s)
                    samples << previous + (here - previous) * (double(s) / steps);
            }
            samples << here;
            previous = here;
            havePrevious = true;
        });
    }
    return samples;
}

QRect cornerRect(const QRect &area, const QSize &size, Qt::Alignment corner)
{
    const int x = (corner & Qt::AlignRight) ? area.right() + 1 - size.width() : area.left();
    const int y = (corner & Qt::AlignBottom) ? area.bottom() + 1 - size.height() : area.top();
    return QRect(QPoint(x, y), size);
}

// How many labels stay, and whether two of them run together.
QPair<int, bool> crowding(
    const QCPAxis *axis, const QVector<double> &ticks, QVector<QString> labels, int every)
{
    thinLabels(ticks, labels, axis->scaleType() == QCPAxis::stLogarithmic, every);
    const QFontMetrics metrics(axis->tickLabelFont());
    const bool horizontal = axis->orientation() == Qt::Horizontal;
    QVector<QPair<double, double>> placed; // centre and extent in pixels
    for (int i = 0; i < ticks.size() && i < labels.size(); ++i) {
        if (labels.at(i).isEmpty() || !axis->range().contains(ticks.at(i)))
            continue;
        placed.append({ axis->coordToPixel(ticks.at(i)),
            double(horizontal ? metrics.horizontalAdvance(labels.at(i)) : metrics.height()) });
    }
    std::sort(placed.begin(), placed.end());
    const double gap = metrics.averageCharWidth();
    bool overlap = false;
    for (int i = 1; i < placed.size(); ++i)
        overlap = overlap
            || placed.at(i).first - placed.at(i - 1).first
                < (placed.at(i).second + placed.at(i - 1).second) / 2 + gap;
    return { int(placed.size()), overlap };
}

void relayout(QCustomPlot *plot)
{
    plot->plotLayout()->update(QCPLayoutElement::upPreparation);
    plot->plotLayout()->update(QCPLayoutElement::upMargins);
    plot->plotLayout()->update(QCPLayoutElement::upLayout);
}

bool hasData(const QCPAxis *axis)
{
    for (QCPAbstractPlottable *p : axis->plottables())
        if (p->visible() && p->interface1D() && p->interface1D()->dataCount() > 0)
            return true;
    return false;
}

} // namespace

ChartHelper::ChartHelper(QCustomPlot *plot)
    : QObject(plot)
    , m_plot(plot)
{
    for (QCPAxis *axis : plot->axisRect()->axes()) {
        m_pageRanges.insert(axis, axis->range());
        connect(axis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), this,
            [this, axis](const QCPRange &range) { recordPageRange(axis, range); });
    }
    plot->setInteractions(plot->interactions() | QCP::iRangeDrag | QCP::iRangeZoom);
    plot->setStatusTip(
        QStringLiteral("Wheel zooms, drag pans, double-click fits all data; "
                       "right-click to save, copy or export the chart, reset the view or move the legend"));
    plot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { createMenu(m_plot)->popup(m_plot->mapToGlobal(at)); });
    connect(plot, &QCustomPlot::beforeReplot, this, &ChartHelper::beforeReplot);
    connect(plot, &QCustomPlot::afterLayout, this, &ChartHelper::afterLayout);
    connect(plot, &QCustomPlot::afterReplot, this, &ChartHelper::afterReplot);
    plot->installEventFilter(this);
}

ChartHelper *ChartHelper::install(QCustomPlot *plot)
{
    if (!plot || isSchematicCanvas(plot))
        return nullptr;
    if (ChartHelper *helper = of(plot))
        return helper;
    return new ChartHelper(plot);
}

ChartHelper *ChartHelper::of(const QCustomPlot *plot)
{
    return plot ? plot->findChild<ChartHelper *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void ChartHelper::recordPageRange(QCPAxis *axis, const QCPRange &range)
{
    if (!m_userView)
        m_pageRanges.insert(axis, range);
}

bool ChartHelper::showsPageView() const
{
    for (QCPAxis *axis : m_plot->axisRect()->axes()) {
        const QCPRange page = m_pageRanges.value(axis, axis->range());
        if (page.lower != axis->range().lower || page.upper != axis->range().upper)
            return false;
    }
    return true;
}

void ChartHelper::fitAllData()
{
    const bool wasUser = m_userView;
    m_userView = true;
    for (QCPAxis *axis : m_plot->axisRect()->axes()) {
        if (!hasData(axis))
            continue;
        axis->rescale(true);
        const QCPRange r = axis->range();
        // A little room, so the outermost points are not on the frame.
        if (axis->scaleType() == QCPAxis::stLogarithmic) {
            const double factor = std::pow(r.upper / r.lower, 0.04);
            axis->setRange(r.lower / factor, r.upper * factor);
        } else {
            axis->setRange(r.lower - 0.04 * r.size(), r.upper + 0.04 * r.size());
        }
    }
    m_userView = wasUser;
    m_plot->replot();
}

void ChartHelper::resetView()
{
    const bool wasUser = m_userView;
    m_userView = true;
    for (QCPAxis *axis : m_plot->axisRect()->axes())
        if (m_pageRanges.contains(axis))
            axis->setRange(m_pageRanges.value(axis));
    m_userView = wasUser;
    m_plot->replot();
}

QString ChartHelper::csv() const
{
    const auto cell = [](QString text) {
        if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
            || text.contains(QLatin1Char('\n')))
            text = QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\""))
                + QLatin1Char('"');
        return text;
    };
    const auto number = [](double v) {
        return std::isfinite(v) ? QString::number(v, 'g', QLocale::FloatingPointShortest) : QString();
    };
    QStringList header;
    QVector<QVector<QPair<double, double>>> columns;
    for (int i = 0; i < m_plot->plottableCount(); ++i) {
        const QCPAbstractPlottable *p = m_plot->plottable(i);
        if (!qobject_cast<const QCPGraph *>(p) && !qobject_cast<const QCPCurve *>(p))
            continue;
        const QString name
            = p->name().isEmpty() ? QStringLiteral("Graph %1").arg(columns.size() + 1) : p->name();
        const QString xLabel = p->keyAxis()->label().isEmpty() ? QStringLiteral("x") : p->keyAxis()->label();
        const QString yLabel
            = p->valueAxis()->label().isEmpty() ? QStringLiteral("y") : p->valueAxis()->label();
        header << cell(name + QStringLiteral(": ") + xLabel) << cell(name + QStringLiteral(": ") + yLabel);
        QVector<QPair<double, double>> points;
        forEachPoint(p, [&points](double key, double value) { points.append({ key, value }); });
        columns << points;
    }
    QString text = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    int rows = 0;
    for (const auto &c : columns)
        rows = std::max(rows, int(c.size()));
    for (int row = 0; row < rows; ++row) {
        QStringList cells;
        for (const auto &c : columns) {
            const bool here = row < c.size();
            cells << (here ? number(c.at(row).first) : QString())
                  << (here ? number(c.at(row).second) : QString());
        }
        text += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}

bool ChartHelper::saveImage(const QString &path, int width) const
{
    const int w = std::max(1, m_plot->width()), h = std::max(1, m_plot->height());
    const int target = width > 0 ? width : w;
    const double scale = double(target) / w;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return m_plot->savePdf(path, target, qRound(h * scale));
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return m_plot->saveJpg(path, w, h, scale);
    if (suffix == QLatin1String("png"))
        return m_plot->savePng(path, w, h, scale);
    return false;
}

void ChartHelper::placeLegend(Legend where)
{
    m_legendChosen = true;
    m_plot->legend->setVisible(where != Legend::Hidden);
    static const QHash<int, Qt::Alignment> corners = {
        { int(Legend::TopLeft), Qt::AlignTop | Qt::AlignLeft },
        { int(Legend::TopRight), Qt::AlignTop | Qt::AlignRight },
        { int(Legend::BottomLeft), Qt::AlignBottom | Qt::AlignLeft },
        { int(Legend::BottomRight), Qt::AlignBottom | Qt::AlignRight },
    };
    QCPLayoutInset *inset = m_plot->axisRect()->insetLayout();
    const int index = inset->elements(false).indexOf(m_plot->legend);
    if (where != Legend::Hidden && index >= 0) {
        inset->setInsetPlacement(index, QCPLayoutInset::ipBorderAligned);
        inset->setInsetAlignment(index, corners.value(int(where)));
    }
    m_plot->replot();
}

QMenu *ChartHelper::createMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Save Image…"), this, &ChartHelper::askSaveImage);
    menu->addAction(QStringLiteral("Copy Image"), this,
        [this] { QApplication::clipboard()->setPixmap(m_plot->toPixmap()); });
    menu->addAction(QStringLiteral("Export Data…"), this, &ChartHelper::askExportData);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Fit All Data"), this, &ChartHelper::fitAllData);
    menu->addAction(QStringLiteral("Reset View"), this, &ChartHelper::resetView);
    menu->addSeparator();

    QMenu *legend = menu->addMenu(QStringLiteral("Legend"));
    bool named = false;
    for (int i = 0; i < m_plot->legend->itemCount(); ++i)
        if (auto *item = qobject_cast<QCPPlottableLegendItem *>(m_plot->legend->item(i)))
            named = named || !item->plottable()->name().isEmpty();
    legend->setEnabled(named);
    const QCPLayoutInset *inset = m_plot->axisRect()->insetLayout();
    const int index = inset->elements(false).indexOf(m_plot->legend);
    const Qt::Alignment now = index >= 0 ? inset->insetAlignment(index) : Qt::Alignment();
    auto *group = new QActionGroup(legend);
    const struct {
        const char *text;
        Legend where;
        bool current;
    } choices[] = {
        { "Top Left", Legend::TopLeft, now == (Qt::AlignTop | Qt::AlignLeft) },
        { "Top Right", Legend::TopRight, now == (Qt::AlignTop | Qt::AlignRight) },
        { "Bottom Left", Legend::BottomLeft, now == (Qt::AlignBottom | Qt::AlignLeft) },
        { "Bottom Right", Legend::BottomRight, now == (Qt::AlignBottom | Qt::AlignRight) },
        { "Hidden", Legend::Hidden, false },
    };
    for (const auto &choice : choices) {
        QAction *action = legend->addAction(QString::fromLatin1(choice.text));
        action->setCheckable(true);
        action->setChecked(choice.where == Legend::Hidden ? !m_plot->legend->visible()
                                                          : m_plot->legend->visible() && choice.current);
        group->addAction(action);
        const Legend where = choice.where;
        connect(action, &QAction::triggered, this, [this, where] { placeLegend(where); });
    }
    return menu;
}

void ChartHelper::askSaveImage()
{
    QString selected;
    QString path = QFileDialog::getSaveFileName(m_plot, QStringLiteral("Save Image"),
        m_plot->objectName() + QStringLiteral(".png"), QLatin1String(kSaveFilters), &selected);
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!QStringList { "png", "jpg", "jpeg", "pdf" }.contains(suffix))
        path += selected.contains(QLatin1String("*.pdf")) ? QStringLiteral(".pdf")
            : selected.contains(QLatin1String("*.jpg"))   ? QStringLiteral(".jpg")
                                                          : QStringLiteral(".png");
    bool ok = false;
    const int width = QInputDialog::getInt(m_plot, QStringLiteral("Save Image"),
        QStringLiteral("Width in pixels:"), m_plot->width(), 100, 10000, 1, &ok);
    if (ok && !saveImage(path, width))
        QMessageBox::warning(m_plot, QStringLiteral("Save Image"),
            QStringLiteral("The image could not be saved to %1").arg(QDir::toNativeSeparators(path)));
}

void ChartHelper::askExportData()
{
    QString path = QFileDialog::getSaveFileName(m_plot, QStringLiteral("Export Data"),
        m_plot->objectName() + QStringLiteral(".csv"), QStringLiteral("CSV file (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    QSaveFile file(path);
    const QByteArray text = csv().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        QMessageBox::warning(m_plot, QStringLiteral("Export Data"),
            QStringLiteral("The data could not be written to %1").arg(QDir::toNativeSeparators(path)));
}

bool ChartHelper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_plot || m_forwarding)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        fitAllData();
        return true;
    case QEvent::Wheel:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        // A second axis drags and zooms with the first only where graphs use it;
        // a box axis that merely mirrors the first follows by itself.
        QList<QCPAxis *> horizontal { m_plot->xAxis }, vertical { m_plot->yAxis };
        if (hasData(m_plot->xAxis2))
            horizontal << m_plot->xAxis2;
        if (hasData(m_plot->yAxis2))
            vertical << m_plot->yAxis2;
        m_plot->axisRect()->setRangeDragAxes(horizontal, vertical);
        m_plot->axisRect()->setRangeZoomAxes(horizontal, vertical);
        // Range changes while the chart handles this event are the user's, not the page's.
        m_forwarding = true;
        const bool wasUser = m_userView;
        m_userView = true;
        QCoreApplication::sendEvent(m_plot, event);
        m_userView = wasUser;
        m_forwarding = false;
        return true;
    }
    default:
        return false;
    }
}

void ChartHelper::beforeReplot()
{
    if (isSchematicCanvas(m_plot)) {
        detach();
        return;
    }
    markBeyondView();
}

void ChartHelper::afterReplot()
{
    // Between replots the page finds its own tickers, as it set them.
    for (QCPAxis *axis : m_plot->axisRect()->axes())
        if (const auto wrapper = axis->ticker().dynamicCast<ThinnedLabels>())
            axis->setTicker(wrapper->inner);
}

void ChartHelper::afterLayout()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    if (thinCrowdedLabels() | fitSideLabels())
        relayout(m_plot);
    if (placeLegendByData())
        relayout(m_plot);
    m_inLayout = false;
}

bool ChartHelper::thinCrowdedLabels()
{
    bool changed = false;
    for (QCPAxis *axis : m_plot->axisRect()->axes()) {
        if (!axis->visible() || !axis->tickLabels())
            continue;
        QSharedPointer<ThinnedLabels> wrapper = axis->ticker().dynamicCast<ThinnedLabels>();
        const QSharedPointer<QCPAxisTicker> inner = wrapper ? wrapper->inner : axis->ticker();
        QVector<double> ticks;
        QVector<QString> labels;
        inner->generate(axis->range(), m_plot->locale(), axis->numberFormat().at(0), axis->numberPrecision(),
            ticks, nullptr, &labels);
        const bool log = axis->scaleType() == QCPAxis::stLogarithmic;
        int every = 0;
        if (crowding(axis, ticks, labels, 0).second) {
            every = log ? 1 : 2;
            while (every < 12 && crowding(axis, ticks, labels, every).second)
                ++every;
            // Thinning that would leave fewer than two labels says less than the crowded ones.
            if (crowding(axis, ticks, labels, every).first < 2)
                every = 0;
        }
        if (every == (wrapper ? wrapper->every : 0))
            continue;
        if (!wrapper) {
            wrapper.reset(new ThinnedLabels(inner));
            axis->setTicker(wrapper);
        }
        wrapper->log = log;
        wrapper->every = every;
        changed = true;
    }
    return changed;
}

// A side axis's title longer than a short chart is tall would be cut at the
// top: its font shrinks (down to 6 pt) until it fits, and grows back with the chart.
bool ChartHelper::fitSideLabels()
{
    const double room = m_plot->axisRect()->rect().height();
    bool changed = false;
    for (QCPAxis *axis : m_plot->axisRect()->axes(QCPAxis::atLeft | QCPAxis::atRight)) {
        if (!axis->visible() || axis->label().isEmpty() || room <= 0)
            continue;
        const QFont page = m_pageLabelFonts.value(axis, axis->labelFont());
        m_pageLabelFonts.insert(axis, page);
        QFont font = page;
        while (font.pointSizeF() > 6 && QFontMetricsF(font).horizontalAdvance(axis->label()) > room)
            font.setPointSizeF(std::max(6.0, font.pointSizeF() - 0.5));
        if (font != axis->labelFont()) {
            axis->setLabelFont(font);
            changed = true;
        }
    }
    return changed;
}

bool ChartHelper::placeLegendByData()
{
    QCPLegend *legend = m_plot->legend;
    if (m_legendChosen || !legend || !legend->visible() || legend->itemCount() == 0 || !showsPageView())
        return false;
    QCPLayoutInset *inset = m_plot->axisRect()->insetLayout();
    const int index = inset->elements(false).indexOf(legend);
    if (index < 0 || inset->insetPlacement(index) != QCPLayoutInset::ipBorderAligned)
        return false;
    const QRect area = m_plot->axisRect()->rect();
    const QSize size = legend->outerRect().size();
    if (area.isEmpty() || size.isEmpty())
        return false;
    const QVector<QPointF> samples = samplePixels(m_plot);
    const auto cost = [&](Qt::Alignment corner) {
        const QRectF box = cornerRect(area, size, corner);
        return std::count_if(
            samples.begin(), samples.end(), [&box](const QPointF &p) { return box.contains(p); });
    };
    // The corner the page chose wins a tie.
    const Qt::Alignment now = inset->insetAlignment(index);
    if (now != m_placedCorner)
        m_pageCorner = now;
    Qt::Alignment best = m_pageCorner;
    auto bestCost = cost(best);
    for (Qt::Alignment corner : { Qt::AlignTop | Qt::AlignRight, Qt::AlignTop | Qt::AlignLeft,
             Qt::AlignBottom | Qt::AlignRight, Qt::AlignBottom | Qt::AlignLeft }) {
        const auto c = cost(corner);
        if (c < bestCost) {
            best = corner;
            bestCost = c;
        }
    }
    m_placedCorner = best;
    if (best == now)
        return false;
    inset->setInsetAlignment(index, best);
    return true;
}

void ChartHelper::markBeyondView()
{
    QCPLegend *legend = m_plot->legend;
    if (!legend)
        return;
    for (int i = 0; i < legend->itemCount(); ++i) {
        auto *item = qobject_cast<QCPPlottableLegendItem *>(legend->item(i));
        if (!item || !item->plottable())
            continue;
        QCPAbstractPlottable *p = item->plottable();
        const bool beyond = p->visible() && !p->name().isEmpty() && runsBeyond(p);
        auto *marked = dynamic_cast<BeyondLegendItem *>(item);
        if (!marked && beyond) {
            // The page's own entry is swapped for one that can carry the hint, in the same cell.
            int row = 0, column = 0;
            legend->indexToRowCol(legend->elements(false).indexOf(item), row, column);
            marked = new BeyondLegendItem(legend, p);
            marked->setFont(item->font());
            marked->setTextColor(item->textColor());
            marked->setSelectedFont(item->selectedFont());
            marked->setSelectedTextColor(item->selectedTextColor());
            marked->setSelectable(item->selectable());
            marked->setMargins(item->margins());
            legend->take(item);
            delete item;
            legend->addElement(row, column, marked);
        }
        if (marked)
            marked->beyond = beyond;
    }
}

void ChartHelper::detach()
{
    m_plot->removeEventFilter(this);
    m_plot->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_plot->setStatusTip(QString());
    disconnect(m_plot, nullptr, this, nullptr);
    deleteLater();
}

QStringList beyondView(const QCustomPlot *plot)
{
    QStringList names;
    if (!ChartHelper::of(plot) || !plot->legend)
        return names;
    for (int i = 0; i < plot->legend->itemCount(); ++i) {
        const auto *item = qobject_cast<const QCPPlottableLegendItem *>(plot->legend->item(i));
        if (!item)
            continue;
        const QCPAbstractPlottable *p = const_cast<QCPPlottableLegendItem *>(item)->plottable();
        if (p && p->visible() && !p->name().isEmpty() && !names.contains(p->name()) && runsBeyond(p))
            names << p->name();
    }
    return names;
}

void installChartHelpers(QWidget *root)
{
    if (!root)
        return;
    for (QCustomPlot *plot : root->findChildren<QCustomPlot *>())
        ChartHelper::install(plot);
}

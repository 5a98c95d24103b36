#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

#include <qcustomplot.h>

class QMenu;

// What every chart of the window offers, whatever page it is on: a context
// menu to save, copy or export it, fit it to its data, go back to the view the
// page set and move the legend; double-click fits, the wheel zooms and a drag
// pans. A legend entry whose graph runs outside the view says so, the legend
// sits in the corner that hides the least data, and an axis whose labels would
// run together labels fewer ticks (a log axis only decades). The page draws and sets
// its ranges as before; the helper never changes a graph's name or data.
class ChartHelper : public QObject {
    Q_OBJECT
public:
    enum class Legend { TopLeft, TopRight, BottomLeft, BottomRight, Hidden };

    // Gives the chart its helper once; a schematic canvas gets none.
    static ChartHelper *install(QCustomPlot *plot);
    static ChartHelper *of(const QCustomPlot *plot);

    // Every axis around all the data of its graphs, with a little room.
    void fitAllData();
    // The ranges the page set last.
    void resetView();
    // One column pair per graph, headed by its legend name and the axis labels,
    // every number at full precision.
    QString csv() const;
    // PNG, JPG or PDF by the file's extension; `width` in pixels (0: the
    // chart's own), the height following the chart's shape.
    bool saveImage(const QString &path, int width = 0) const;
    void placeLegend(Legend where);
    QMenu *createMenu(QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ChartHelper(QCustomPlot *plot);
    void recordPageRange(QCPAxis *axis, const QCPRange &range);
    bool showsPageView() const;
    void beforeReplot();
    void afterLayout();
    void afterReplot();
    bool thinCrowdedLabels();
    bool fitSideLabels();
    bool placeLegendByData();
    void markBeyondView();
    void detach();
    void askSaveImage();
    void askExportData();

    QCustomPlot *m_plot;
    QHash<QCPAxis *, QCPRange> m_pageRanges;
    QHash<QCPAxis *, QFont> m_pageLabelFonts; // as the page set them, before any shrinking
    bool m_userView = false; // the range changes now come from the user
    bool m_forwarding = false;
    bool m_legendChosen = false; // placed from the menu: no longer placed by the data
    bool m_inLayout = false;
    Qt::Alignment m_pageCorner; // where the page put the legend
    Qt::Alignment m_placedCorner; // where the helper put it last
};

// The names of the chart's legend entries whose graphs have points outside
// the visible ranges (none for a chart without the helper).
QStringList beyondView(const QCustomPlot *plot);

// Gives every chart under `root` its helper: every QCustomPlot but the
// schematic canvases.
void installChartHelpers(QWidget *root);

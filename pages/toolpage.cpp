#include "pages/toolpage.h"

#include <QComboBox>
#include <QShowEvent>
#include <QSignalBlocker>
#include <qcustomplot.h>

void ToolPage::bindSelector(const QString &key, QComboBox *box, SelectorLists::Catalog catalog)
{
    m_entries.bind(key,
        EntryBinding { [box] { return box->currentText(); },
            [this, box, catalog](const QString &value, bool version7) {
                if (version7)
                    selectText(box, value);
                else
                    selectText(
                        box, SelectorLists::beforeV7Name(catalogs(), catalog, value.trimmed().toInt()));
            } });
}

void ToolPage::fillSelector(QComboBox *box, const QStringList &items)
{
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(items);
}

void ToolPage::selectText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    if (index >= 0)
        box->setCurrentIndex(index);
}

void ToolPage::replotWhenVisible(const QList<QCustomPlot *> &plots)
{
    m_stalePlots = plots;
    replotVisible();
}

void ToolPage::replotWhenVisible(QCustomPlot *plot)
{
    if (!m_stalePlots.contains(plot))
        m_stalePlots << plot;
    replotVisible();
}

void ToolPage::replotVisible()
{
    for (auto it = m_stalePlots.begin(); it != m_stalePlots.end();) {
        if ((*it)->isVisible()) {
            (*it)->replot();
            it = m_stalePlots.erase(it);
        } else {
            ++it;
        }
    }
}

void ToolPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    replotVisible();
}

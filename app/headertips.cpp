#include "app/headertips.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

namespace {

class HeaderTips : public QObject {
public:
    explicit HeaderTips(QHeaderView *header)
        : QObject(header)
        , m_header(header)
    {
        header->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip || watched != m_header->viewport() || !m_header->model())
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        const int section = m_header->logicalIndexAt(help->pos());
        const QVariant tip = m_header->model()->headerData(section, m_header->orientation(), Qt::ToolTipRole);
        const QString text = tip.isValid()
            ? tip.toString()
            : m_header->model()->headerData(section, m_header->orientation(), Qt::DisplayRole).toString();
        if (section < 0 || text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, m_header);
        }
        return true;
    }

private:
    QHeaderView *m_header;
};

} // namespace

void installHeaderTips(QWidget *root)
{
    if (!root)
        return;
    for (QHeaderView *header : root->findChildren<QHeaderView *>())
        if (header->orientation() == Qt::Horizontal && !header->property("fullTextTips").toBool()) {
            header->setProperty("fullTextTips", true);
            new HeaderTips(header);
        }
}

#include "pages/toolpage.h"

#include <QComboBox>
#include <QSignalBlocker>

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

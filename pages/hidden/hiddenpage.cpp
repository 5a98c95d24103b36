#include "pages/hidden/hiddenpage.h"

#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

#include "pages/hidden/productguide.h"
#include "ui_hiddenpage.h"

HiddenPage::HiddenPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::HiddenPage)
{
    ui->setupUi(this);
}

HiddenPage::~HiddenPage()
{
    delete ui;
}

void HiddenPage::on_PSGButton_clicked()
{
    GeneratePSG();
}

void HiddenPage::GeneratePSG()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Select Folder"),
        QStringLiteral("/home"), QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    // A cancelled choice writes nothing.
    if (folder.isEmpty())
        return;
    const ProductGuideExport result = writeProductGuide(folder, catalogs());
    if (!result.failed.isEmpty()) {
        QString text = QStringLiteral("%1 could not be written; the export stopped there.")
                           .arg(QDir::toNativeSeparators(result.failed));
        if (!result.written.isEmpty())
            text += QStringLiteral(" %1 file(s) before it were written.").arg(result.written.size());
        QMessageBox::warning(this, QStringLiteral("Product Selection Guide"), text);
        return;
    }
    if (auto *window = qobject_cast<QMainWindow *>(this->window()))
        window->statusBar()->showMessage(
            QStringLiteral("Product selection guide written to %1").arg(QDir::toNativeSeparators(folder)),
            10000);
}

#include "pages/examples/examplespage.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

#include "ui_examplespage.h"

ExamplesPage::ExamplesPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::ExamplesPage)
{
    ui->setupUi(this);
    // Choosing an example in a design file shows it, as the user's choice does.
    entries().bind(QStringLiteral("ExampleSelection"),
        EntryBinding { [this] { return QString::number(ui->ExampleSelection->currentIndex()); },
            [this](const QString &value, bool) {
                const int index = value.trimmed().toInt();
                if (index >= 0 && index < ui->ExampleSelection->count())
                    showExample(index);
            } });
}

ExamplesPage::~ExamplesPage()
{
    delete ui;
}

void ExamplesPage::initialise()
{
    on_ExampleSelection_activated(0);
}

int ExamplesPage::descriptionFile(int index)
{
    static const int files[kExampleCount] = { 61, 0, 10, 17, 23, 29, 35, 50, 54, 69, 78, 86 };
    return index >= 0 && index < kExampleCount ? files[index] : 0;
}

int ExamplesPage::firstStep(int index)
{
    // Each example's steps follow its description text.
    return index >= 0 && index < kExampleCount ? descriptionFile(index) + 1 : -1;
}

int ExamplesPage::selectedExample() const
{
    return ui->ExampleSelection->currentIndex();
}

void ExamplesPage::on_startTutorial_clicked()
{
    const int step = firstStep(selectedExample());
    if (step >= 0)
        emit tutorialRequested(step);
}

void ExamplesPage::showExample(int index)
{
    if (index >= 0 && index < ui->ExampleSelection->count())
        ui->ExampleSelection->setCurrentIndex(index);
    on_ExampleSelection_activated(index);
}

void ExamplesPage::on_ExampleSelection_activated(int index)
{
    const QString path = QStringLiteral(":/tutorials/exampleDescriptions/%1.txt").arg(descriptionFile(index));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "example description missing:" << path;
        ui->ExDesc->clear();
        return;
    }
    // The texts are UTF-16 with a byte-order mark; the stream detects it.
    QTextStream in(&file);
    in.setAutoDetectUnicode(true);
    ui->ExDesc->setText(in.readAll());
}

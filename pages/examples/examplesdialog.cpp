#include "pages/examples/examplesdialog.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

#include "ui_examplesdialog.h"

Examples::Examples(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Examples)
{
    ui->setupUi(this);
}

Examples::~Examples()
{
    delete ui;
}

bool Examples::isEndStep(int n)
{
    static const int ends[] = { 0, 10, 17, 23, 29, 35, 50, 54, 61, 69, 78, 86, 96 };
    for (int end : ends)
        if (n == end)
            return true;
    // Anything outside the texts ends the tutorial rather than showing nothing.
    return n < 0 || n > 96;
}

QString Examples::stepTextPath(int n)
{
    return QStringLiteral(":/tutorials/exampleDescriptions/%1.txt").arg(n);
}

QString Examples::stepText(int n)
{
    QFile file(stepTextPath(n));
    // Read as bytes: a line-end translation would split UTF-16 characters.
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "tutorial text missing:" << file.fileName();
        return QString();
    }
    // The texts are UTF-16 with a byte-order mark; the stream detects it.
    QTextStream in(&file);
    in.setAutoDetectUnicode(true);
    return in.readAll();
}

void Examples::showStep(int n)
{
    if (isEndStep(n)) {
        emit exampleNum(0);
        close();
        return;
    }
    m_step = n;
    ui->textBrowser->setText(stepText(n));
}

void Examples::on_nextButton_clicked()
{
    emit exampleNum(m_step + 1);
    showStep(m_step + 1);
}

void Examples::on_prevButton_clicked()
{
    // The first step of an example shows itself again: the step before it
    // ends the previous example, and Previous must not close the tutorial.
    const int n = isEndStep(m_step - 1) ? m_step : m_step - 1;
    emit exampleNum(n);
    showStep(n);
}

void Examples::on_examplesButton_clicked()
{
    emit exampleNum(0);
    close();
}

void Examples::on_closeButton_clicked()
{
    close();
}

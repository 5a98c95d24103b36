#include "pages/schematic/communicationpage.h"

#include <QDebug>
#include <QMainWindow>
#include <QSerialPort>
#include <QStatusBar>

#include "ui_communicationpage.h"

QString serialPortName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM4");
#else
    const QString name = qEnvironmentVariable("AMPORA_SERIAL_PORT").trimmed();
    return name.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : name;
#endif
}

CommunicationPage::CommunicationPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::CommunicationPage)
{
    ui->setupUi(this);
    ui->commUartValue0->setText(serialPortName());
}

CommunicationPage::~CommunicationPage()
{
    delete ui;
}

void CommunicationPage::on_connectButton_clicked()
{
    connectUART();
}

void CommunicationPage::showStatus(const QString &text)
{
    if (auto *window = qobject_cast<QMainWindow *>(this->window()))
        window->statusBar()->showMessage(text, 15000);
}

void CommunicationPage::connectUART()
{
    QSerialPort port(serialPortName());
    port.setBaudRate(QSerialPort::Baud4800, QSerialPort::AllDirections);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite)) {
        qDebug() << port.errorString();
        showStatus(QStringLiteral("%1 could not be opened: %2").arg(port.portName(), port.errorString()));
        return;
    }
    // The port closes when this returns: let the greeting leave first.
    const bool sent = port.write("ok*", 3) == 3 && port.waitForBytesWritten(2000);
    showStatus(sent ? QStringLiteral("Greeting sent to %1").arg(port.portName())
                    : QStringLiteral("The greeting could not be sent to %1: %2")
                          .arg(port.portName(), port.errorString()));
}

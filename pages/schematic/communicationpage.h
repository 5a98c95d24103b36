#pragma once

#include "pages/toolpage.h"

namespace Ui {
class CommunicationPage;
}

// The serial port the link check opens: "COM4" on Windows; elsewhere the
// AMPORA_SERIAL_PORT environment variable, else /dev/ttyUSB0.
QString serialPortName();

// The serial link check page.
class CommunicationPage : public ToolPage {
    Q_OBJECT
public:
    explicit CommunicationPage(QWidget *parent = nullptr);
    ~CommunicationPage() override;

    // Opens the port at 4800 baud, 8N1, no flow control, and sends "ok*".
    // The outcome is shown in the window's status bar.
    void connectUART();

private slots:
    void on_connectButton_clicked();

private:
    void showStatus(const QString &text);

    Ui::CommunicationPage *ui;
};

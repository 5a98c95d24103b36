#pragma once

#include <QWidget>

namespace Ui {
class CommunicationPage;
}

// The serial link check page.
class CommunicationPage : public QWidget {
    Q_OBJECT
public:
    explicit CommunicationPage(QWidget *parent = nullptr);
    ~CommunicationPage() override;

private:
    Ui::CommunicationPage *ui;
};

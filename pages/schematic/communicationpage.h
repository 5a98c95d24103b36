#pragma once

#include "pages/toolpage.h"

namespace Ui {
class CommunicationPage;
}

// The serial link check page.
class CommunicationPage : public ToolPage {
    Q_OBJECT
public:
    explicit CommunicationPage(QWidget *parent = nullptr);
    ~CommunicationPage() override;

private:
    Ui::CommunicationPage *ui;
};

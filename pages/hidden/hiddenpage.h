#pragma once

#include "pages/toolpage.h"

namespace Ui {
class HiddenPage;
}

// The employees-only page: load calculator, product guide export, Bode plot
// generator and the pre-release switch. The buttons that lead elsewhere are
// served by the window.
class HiddenPage : public ToolPage {
    Q_OBJECT
public:
    explicit HiddenPage(QWidget *parent = nullptr);
    ~HiddenPage() override;

    // Asks for a folder and writes the five product guide tables into it.
    void GeneratePSG();

private slots:
    void on_PSGButton_clicked();

private:
    Ui::HiddenPage *ui;
};

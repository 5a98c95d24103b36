#pragma once

#include <QWidget>

namespace Ui {
class HomePage;
}

// The support message of the Help menu, with its link.
void showSupportMessage(QWidget *parent);

// The home page: one picture button per tool, the version and the support
// link. The window serves the buttons.
class HomePage : public QWidget {
    Q_OBJECT
public:
    explicit HomePage(QWidget *parent = nullptr);
    ~HomePage() override;

private:
    Ui::HomePage *ui;
};

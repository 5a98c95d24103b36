#pragma once

#include <QWidget>

namespace Ui {
class HomePage;
}

// The home page: one picture button per tool. The window serves the buttons.
class HomePage : public QWidget {
    Q_OBJECT
public:
    explicit HomePage(QWidget *parent = nullptr);
    ~HomePage() override;

private:
    Ui::HomePage *ui;
};

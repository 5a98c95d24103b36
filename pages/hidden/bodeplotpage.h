#pragma once

#include <QWidget>

namespace Ui {
class BodePlotPage;
}

// The demonstration Bode plot generator.
class BodePlotPage : public QWidget {
    Q_OBJECT
public:
    explicit BodePlotPage(QWidget *parent = nullptr);
    ~BodePlotPage() override;

private:
    Ui::BodePlotPage *ui;
};

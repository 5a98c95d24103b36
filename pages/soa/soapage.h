#pragma once

#include <QWidget>

namespace Ui {
class SoaPage;
}

// The safe-operating-area, power and thermal page of a linear amplifier.
class SoaPage : public QWidget {
    Q_OBJECT
public:
    explicit SoaPage(QWidget *parent = nullptr);
    ~SoaPage() override;

private:
    Ui::SoaPage *ui;
};

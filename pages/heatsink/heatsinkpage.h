#pragma once

#include <QWidget>

namespace Ui {
class HeatsinkPage;
}

// The heatsink selector.
class HeatsinkPage : public QWidget {
    Q_OBJECT
public:
    explicit HeatsinkPage(QWidget *parent = nullptr);
    ~HeatsinkPage() override;

private:
    Ui::HeatsinkPage *ui;
};

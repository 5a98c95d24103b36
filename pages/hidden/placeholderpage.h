#pragma once

#include <QWidget>

namespace Ui {
class PlaceholderPage;
}

// A page of unconnected controls that only a design file shows.
class PlaceholderPage : public QWidget {
    Q_OBJECT
public:
    explicit PlaceholderPage(QWidget *parent = nullptr);
    ~PlaceholderPage() override;

private:
    Ui::PlaceholderPage *ui;
};

#pragma once

#include <QJsonArray>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

class QDialog;

// Answers every dialog as it opens, so that scripts, the report run and tests never
// wait for a user; each dialog's title and text are kept for the caller to inspect.
class DialogResponder : public QObject {
    Q_OBJECT

public:
    struct Message {
        QString title, text;
    };

    // A dialog carrying this property set to true is left open: a script
    // works it through its own buttons (the tutorial's step dialog).
    static constexpr const char *kLeaveOpen = "amporaLeaveOpen";

    explicit DialogResponder(QObject *parent = nullptr);
    ~DialogResponder() override;

    // Chooses the button of each message box; without one the box's default, escape or
    // first button is clicked, as is any button the answer names that the box lacks.
    void setMessageBoxAnswer(std::function<QMessageBox::StandardButton(const QMessageBox &)> f);
    // Handles every other dialog; without one each is rejected.
    void setDialogHandler(std::function<void(QDialog *)> f);

    QVector<Message> messages() const;
    QJsonArray messagesJson() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void answer(QMessageBox *box);
    void handle(QDialog *dialog);

    std::function<QMessageBox::StandardButton(const QMessageBox &)> m_messageBoxAnswer;
    std::function<void(QDialog *)> m_dialogHandler;
    QVector<Message> m_messages;
};

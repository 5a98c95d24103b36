#include "app/dialogresponder.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QJsonObject>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

namespace {

QString plainText(const QMessageBox *box)
{
    const QString text = box->text();
    const bool rich = box->textFormat() == Qt::RichText
        || (box->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich)
        return text;
    QTextDocument doc;
    doc.setHtml(text);
    return doc.toPlainText();
}

// The box reports only an escape button set on it, so the one it would pick itself is found
// by its own rules: a lone button, else Cancel, else the one reject or "no" button.
QAbstractButton *escapeButton(const QMessageBox *box)
{
    if (QAbstractButton *b = box->escapeButton())
        return b;
    const QList<QAbstractButton *> buttons = box->buttons();
    if (buttons.size() == 1)
        return buttons.first();
    if (QAbstractButton *b = box->button(QMessageBox::Cancel))
        return b;
    QAbstractButton *found = nullptr;
    int count = 0;
    for (QAbstractButton *b : buttons) {
        const QMessageBox::ButtonRole role = box->buttonRole(b);
        if (role == QMessageBox::RejectRole || role == QMessageBox::NoRole) {
            found = b;
            ++count;
        }
    }
    return count == 1 ? found : nullptr;
}

QAbstractButton *fallbackButton(const QMessageBox *box)
{
    if (QAbstractButton *b = box->defaultButton())
        return b;
    if (QAbstractButton *b = escapeButton(box))
        return b;
    const QList<QAbstractButton *> buttons = box->buttons();
    return buttons.isEmpty() ? nullptr : buttons.first();
}

} // namespace

DialogResponder::DialogResponder(QObject *parent)
    : QObject(parent)
{
    if (qApp)
        qApp->installEventFilter(this);
}

DialogResponder::~DialogResponder()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void DialogResponder::setMessageBoxAnswer(std::function<QMessageBox::StandardButton(const QMessageBox &)> f)
{
    m_messageBoxAnswer = std::move(f);
}

void DialogResponder::setDialogHandler(std::function<void(QDialog *)> f)
{
    m_dialogHandler = std::move(f);
}

QVector<DialogResponder::Message> DialogResponder::messages() const
{
    return m_messages;
}

QJsonArray DialogResponder::messagesJson() const
{
    QJsonArray list;
    for (const Message &m : m_messages)
        list.append(QJsonObject { { QStringLiteral("title"), m.title }, { QStringLiteral("text"), m.text } });
    return list;
}

bool DialogResponder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow() || dialog->property(kLeaveOpen).toBool())
        return false;
    // The answer waits for the dialog's own event loop: a dialog closed while exec() is
    // still showing it would leave that loop running for ever.
    QPointer<QDialog> guard(dialog);
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        m_messages.append({ box->windowTitle(), plainText(box) });
        QTimer::singleShot(0, this, [this, guard] {
            if (auto *box = qobject_cast<QMessageBox *>(guard.data()))
                answer(box);
        });
    } else {
        m_messages.append({ dialog->windowTitle(), QString() });
        QTimer::singleShot(0, this, [this, guard] {
            if (guard)
                handle(guard.data());
        });
    }
    return false;
}

void DialogResponder::answer(QMessageBox *box)
{
    if (!box->isVisible())
        return;
    QPointer<QMessageBox> guard(box);
    QAbstractButton *button = nullptr;
    if (m_messageBoxAnswer) {
        const QMessageBox::StandardButton choice = m_messageBoxAnswer(*box);
        // The answer may itself open dialogs and run their loops, taking this box with it.
        if (!guard || !guard->isVisible())
            return;
        if (choice != QMessageBox::NoButton)
            button = box->button(choice);
    }
    if (!button)
        button = fallbackButton(box);
    if (button)
        button->click();
    // A disabled button ignores the click; the box must still close.
    if (guard && guard->isVisible())
        guard->reject();
}

void DialogResponder::handle(QDialog *dialog)
{
    if (!dialog->isVisible())
        return;
    if (m_dialogHandler)
        m_dialogHandler(dialog);
    else
        dialog->reject();
}

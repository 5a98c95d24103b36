#include "app/dialogresponder.h"

#include <QtTest>
#include <QtWidgets>

Q_DECLARE_METATYPE(QMessageBox::StandardButton)
Q_DECLARE_METATYPE(QMessageBox::StandardButtons)

namespace {

// Closes whatever dialog the responder left open, so a fault fails the test instead of
// hanging it; the flag tells the test that this happened.
class Watchdog : public QObject {
public:
    Watchdog()
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(20000);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            fired = true;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
                    d->reject();
        });
        m_timer.start();
    }
    bool fired = false;

private:
    QTimer m_timer;
};

QMessageBox::StandardButton ask(
    const QString &kind, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    if (kind == "question")
        return QMessageBox::question(nullptr, "Ampora", "Save changes?", buttons, defaultButton);
    if (kind == "box") {
        QMessageBox box(QMessageBox::Warning, "Ampora", "Save changes?", buttons);
        if (defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(defaultButton);
        box.exec();
        return box.standardButton(box.clickedButton());
    }
    if (kind == "warning")
        return QMessageBox::warning(nullptr, "Ampora", "Save changes?", buttons, defaultButton);
    return QMessageBox::information(nullptr, "Ampora", "Save changes?", buttons, defaultButton);
}

} // namespace

class TestDialogResponder : public QObject {
    Q_OBJECT

private slots:
    void defaultAnswer_data();
    void defaultAnswer();
    void policy_data();
    void policy();
    void messageText_data();
    void messageText();
    void nestedInputDialogRejected();
    void dialogOpenedByAnswer();
    void plainDialogs();
    void removedOnDestruction();
};

void TestDialogResponder::defaultAnswer_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    QTest::addColumn<QMessageBox::StandardButton>("expected");

    const QMessageBox::StandardButtons yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QTest::newRow("question, default Yes")
        << "question" << yesNoCancel << QMessageBox::Yes << QMessageBox::Yes;
    QTest::newRow("question, default No") << "question" << yesNoCancel << QMessageBox::No << QMessageBox::No;
    // Without a default the escape button answers: Cancel when there is one, else No.
    QTest::newRow("question, no default, Cancel escapes")
        << "question" << yesNoCancel << QMessageBox::NoButton << QMessageBox::Cancel;
    QTest::newRow("question, no default, No escapes")
        << "question" << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::NoButton << QMessageBox::No;
    QTest::newRow("warning, default Save")
        << "warning" << (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel) << QMessageBox::Save
        << QMessageBox::Save;
    // The static calls make the first accept button the default when none is named.
    QTest::newRow("warning, no default, Ok is made default")
        << "warning" << (QMessageBox::Retry | QMessageBox::Abort | QMessageBox::Ok) << QMessageBox::NoButton
        << QMessageBox::Ok;
    QTest::newRow("box, no default, the one reject button escapes")
        << "box" << (QMessageBox::Retry | QMessageBox::Abort | QMessageBox::Ok) << QMessageBox::NoButton
        << QMessageBox::Abort;
    QTest::newRow("box, default Retry")
        << "box" << (QMessageBox::Retry | QMessageBox::Abort | QMessageBox::Ok) << QMessageBox::Retry
        << QMessageBox::Retry;
    QTest::newRow("information, Ok only") << "information" << QMessageBox::StandardButtons(QMessageBox::Ok)
                                          << QMessageBox::NoButton << QMessageBox::Ok;
}

void TestDialogResponder::defaultAnswer()
{
    QFETCH(QString, kind);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    QFETCH(QMessageBox::StandardButton, expected);

    DialogResponder responder;
    Watchdog watchdog;
    QCOMPARE(ask(kind, buttons, defaultButton), expected);
    QVERIFY(!watchdog.fired);
    QCOMPARE(responder.messages().size(), 1);
}

void TestDialogResponder::policy_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QMessageBox::StandardButton>("expected");

    QTest::newRow("Cancel") << QMessageBox::Cancel << QMessageBox::Cancel;
    QTest::newRow("No") << QMessageBox::No << QMessageBox::No;
    QTest::newRow("Save") << QMessageBox::Save << QMessageBox::Save;
    // A button the box does not have falls back to the box's default, Discard here.
    QTest::newRow("missing button") << QMessageBox::Abort << QMessageBox::Discard;
    QTest::newRow("no answer") << QMessageBox::NoButton << QMessageBox::Discard;
}

void TestDialogResponder::policy()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QMessageBox::StandardButton, expected);

    DialogResponder responder;
    QString seenText;
    responder.setMessageBoxAnswer([&](const QMessageBox &box) {
        seenText = box.text();
        return answer;
    });
    Watchdog watchdog;
    QMessageBox box(QMessageBox::Question, "Close", "Keep the design?",
        QMessageBox::Save | QMessageBox::No | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Discard);
    QCOMPARE(QMessageBox::StandardButton(box.exec()), expected);
    QCOMPARE(box.standardButton(box.clickedButton()), expected);
    QVERIFY(!watchdog.fired);
    QCOMPARE(seenText, QString("Keep the design?"));
}

void TestDialogResponder::messageText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("plain");

    QTest::newRow("plain") << "Catalog file not found" << int(Qt::AutoText) << "Catalog file not found";
    QTest::newRow("less-than is not markup") << "Vs < 10 V" << int(Qt::AutoText) << "Vs < 10 V";
    QTest::newRow("rich") << "<b>Overheat</b> at 150&nbsp;&deg;C" << int(Qt::AutoText)
                          << QString("Overheat at 150 ") + QChar(0xb0) + "C";
    QTest::newRow("tags kept when plain is asked for")
        << "<b>bold</b>" << int(Qt::PlainText) << "<b>bold</b>";
    QTest::newRow("paragraphs") << "<p>one</p><p>two</p>" << int(Qt::RichText) << "one\ntwo";
}

void TestDialogResponder::messageText()
{
    QFETCH(QString, text);
    QFETCH(int, format);
    QFETCH(QString, plain);

    DialogResponder responder;
    Watchdog watchdog;
    QMessageBox box(QMessageBox::Warning, "Heatsink", text, QMessageBox::Ok);
    box.setTextFormat(Qt::TextFormat(format));
    box.exec();
    QVERIFY(!watchdog.fired);
    QCOMPARE(responder.messages().size(), 1);
    QCOMPARE(responder.messages().at(0).title, QString("Heatsink"));
    QCOMPARE(responder.messages().at(0).text, plain);
    const QJsonArray json = responder.messagesJson();
    QCOMPARE(json, (QJsonArray { QJsonObject { { "title", "Heatsink" }, { "text", plain } } }));
}

void TestDialogResponder::nestedInputDialogRejected()
{
    DialogResponder responder;
    bool ok = true;
    QString name = "unset";
    // The answer itself asks for a name while the first box is still open.
    responder.setMessageBoxAnswer([&](const QMessageBox &) {
        name = QInputDialog::getText(nullptr, "Design name", "Name:", QLineEdit::Normal, "amp1", &ok);
        return QMessageBox::Yes;
    });
    Watchdog watchdog;
    const auto reply = QMessageBox::question(
        nullptr, "Rename", "Rename the design?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    QVERIFY(!watchdog.fired);
    QCOMPARE(reply, QMessageBox::Yes);
    QVERIFY(!ok);
    QVERIFY(name.isEmpty());
    const QVector<DialogResponder::Message> messages = responder.messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0).title, QString("Rename"));
    QCOMPARE(messages.at(0).text, QString("Rename the design?"));
    QCOMPARE(messages.at(1).title, QString("Design name"));
    QCOMPARE(messages.at(1).text, QString());
}

void TestDialogResponder::dialogOpenedByAnswer()
{
    DialogResponder responder;
    Watchdog watchdog;
    QMessageBox box(
        QMessageBox::Question, "Close", "Save the design?", QMessageBox::Save | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    QString chosenFile = "unset";
    QMessageBox::StandardButton confirm = QMessageBox::NoButton;
    // Clicking Save runs a file dialog and then a confirmation, both inside the answer.
    connect(&box, &QMessageBox::buttonClicked, &box, [&] {
        chosenFile = QFileDialog::getSaveFileName(
            nullptr, "Save design", QString(), "*.zam", nullptr, QFileDialog::DontUseNativeDialog);
        confirm = QMessageBox::information(nullptr, "Saved", "Nothing was saved.");
    });
    QCOMPARE(box.exec(), int(QMessageBox::Save));
    QVERIFY(!watchdog.fired);
    QVERIFY(chosenFile.isEmpty());
    QCOMPARE(confirm, QMessageBox::Ok);
    QStringList titles;
    for (const auto &m : responder.messages())
        titles << m.title;
    QCOMPARE(titles, (QStringList { "Close", "Save design", "Saved" }));
}

void TestDialogResponder::plainDialogs()
{
    DialogResponder responder;
    Watchdog watchdog;
    QDialog first;
    first.setWindowTitle("Options");
    QCOMPARE(first.exec(), int(QDialog::Rejected));

    QStringList handled;
    responder.setDialogHandler([&](QDialog *d) {
        handled << d->windowTitle();
        d->accept();
    });
    QDialog second;
    second.setWindowTitle("Filter");
    QCOMPARE(second.exec(), int(QDialog::Accepted));
    // Message boxes still go to their own answer, not to the dialog handler.
    QCOMPARE(QMessageBox::information(nullptr, "Note", "Done"), QMessageBox::Ok);
    QVERIFY(!watchdog.fired);
    QCOMPARE(handled, QStringList { "Filter" });
    QCOMPARE(responder.messages().size(), 3);
    QCOMPARE(responder.messages().at(0).title, QString("Options"));
    QCOMPARE(responder.messages().at(1).text, QString());
    QCOMPARE(responder.messages().at(2).text, QString("Done"));
}

void TestDialogResponder::removedOnDestruction()
{
    QDialog dialog;
    {
        DialogResponder responder;
    }
    dialog.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QVERIFY(dialog.isVisible());
    dialog.hide();

    // A responder answers a dialog shown without exec() too.
    DialogResponder responder;
    dialog.show();
    QCoreApplication::processEvents();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestDialogResponder)
#include "test_dialogresponder.moc"

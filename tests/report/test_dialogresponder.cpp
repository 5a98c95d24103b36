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
        connect(&m_timer, &QTimer::timeout, this, [this] {
            fired = true;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
                    d->reject();
        });
        m_timer.start(20000);
    }
    bool fired = false;

private:
    QTimer m_timer;
};

QStringList titles(const DialogResponder &responder)
{
    QStringList out;
    for (const auto &m : responder.messages())
        out << m.title;
    return out;
}

} // namespace

// A dialog handler answering plain dialogs is used by every page test that
// edits a value through its dialog (test_pwmpowerpage, test_currentpumppage).
class TestDialogResponder : public QObject {
    Q_OBJECT

private slots:
    void defaultAnswer_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
        QTest::addColumn<QMessageBox::StandardButton>("expected");
        const auto yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        const auto retryAbortOk = QMessageBox::Retry | QMessageBox::Abort | QMessageBox::Ok;
        QTest::newRow("question, default No")
            << "question" << yesNoCancel << QMessageBox::No << QMessageBox::No;
        // Without a default the escape button answers: Cancel when there is one, else No.
        QTest::newRow("question, no default, Cancel escapes")
            << "question" << yesNoCancel << QMessageBox::NoButton << QMessageBox::Cancel;
        QTest::newRow("question, no default, No escapes")
            << "question" << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::NoButton << QMessageBox::No;
        // The static calls make the first accept button the default when none is named.
        QTest::newRow("warning, no default, Ok is made default")
            << "warning" << retryAbortOk << QMessageBox::NoButton << QMessageBox::Ok;
        QTest::newRow("box, no default, the one reject button escapes")
            << "box" << retryAbortOk << QMessageBox::NoButton << QMessageBox::Abort;
    }
    void defaultAnswer()
    {
        QFETCH(QString, kind);
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(QMessageBox::StandardButton, defaultButton);
        QFETCH(QMessageBox::StandardButton, expected);
        DialogResponder responder;
        Watchdog watchdog;
        QMessageBox::StandardButton answer;
        if (kind == "question") {
            answer = QMessageBox::question(nullptr, "Ampora", "Save changes?", buttons, defaultButton);
        } else if (kind == "warning") {
            answer = QMessageBox::warning(nullptr, "Ampora", "Save changes?", buttons, defaultButton);
        } else {
            QMessageBox box(QMessageBox::Warning, "Ampora", "Save changes?", buttons);
            box.exec();
            answer = box.standardButton(box.clickedButton());
        }
        QCOMPARE(answer, expected);
        QVERIFY(!watchdog.fired);
        QCOMPARE(responder.messages().size(), 1);
    }

    void policy_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QMessageBox::StandardButton>("expected");
        QTest::newRow("Save") << QMessageBox::Save << QMessageBox::Save;
        // A button the box does not have falls back to the box's default, Discard here.
        QTest::newRow("missing button") << QMessageBox::Abort << QMessageBox::Discard;
        QTest::newRow("no answer") << QMessageBox::NoButton << QMessageBox::Discard;
    }
    void policy()
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

    void messageText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("plain");
        QTest::newRow("less-than is not markup") << "Vs < 10 V" << int(Qt::AutoText) << "Vs < 10 V";
        QTest::newRow("rich") << "<b>Overheat</b> at 150&nbsp;&deg;C" << int(Qt::AutoText)
                              << QString("Overheat at 150 ") + QChar(0xb0) + "C";
        QTest::newRow("tags kept when plain is asked for")
            << "<b>bold</b>" << int(Qt::PlainText) << "<b>bold</b>";
        QTest::newRow("paragraphs") << "<p>one</p><p>two</p>" << int(Qt::RichText) << "one\ntwo";
    }
    void messageText()
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
        QCOMPARE(responder.messagesJson(),
            (QJsonArray { QJsonObject { { "title", "Heatsink" }, { "text", plain } } }));
    }

    // The answer itself asks for a name while the first box is still open.
    void nestedInputDialogRejected()
    {
        DialogResponder responder;
        bool ok = true;
        QString name = "unset";
        responder.setMessageBoxAnswer([&](const QMessageBox &) {
            name = QInputDialog::getText(nullptr, "Design name", "Name:", QLineEdit::Normal, "amp1", &ok);
            return QMessageBox::Yes;
        });
        Watchdog watchdog;
        const auto reply = QMessageBox::question(
            nullptr, "Rename", "Rename the design?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        QVERIFY(!watchdog.fired);
        QCOMPARE(reply, QMessageBox::Yes);
        QVERIFY(!ok && name.isEmpty());
        QCOMPARE(titles(responder), QStringList({ "Rename", "Design name" }));
        QCOMPARE(responder.messages().at(1).text, QString());
    }

    // Clicking Save runs a file dialog and then a confirmation, both inside the answer.
    void dialogOpenedByAnswer()
    {
        DialogResponder responder;
        Watchdog watchdog;
        QMessageBox box(
            QMessageBox::Question, "Close", "Save the design?", QMessageBox::Save | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        QString chosenFile = "unset";
        QMessageBox::StandardButton confirm = QMessageBox::NoButton;
        connect(&box, &QMessageBox::buttonClicked, &box, [&] {
            chosenFile = QFileDialog::getSaveFileName(
                nullptr, "Save design", QString(), "*.zam", nullptr, QFileDialog::DontUseNativeDialog);
            confirm = QMessageBox::information(nullptr, "Saved", "Nothing was saved.");
        });
        QCOMPARE(box.exec(), int(QMessageBox::Save));
        QVERIFY(!watchdog.fired);
        QVERIFY(chosenFile.isEmpty());
        QCOMPARE(confirm, QMessageBox::Ok);
        QCOMPARE(titles(responder), QStringList({ "Close", "Save design", "Saved" }));
    }

    void removedOnDestruction()
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
};

QTEST_MAIN(TestDialogResponder)
#include "test_dialogresponder.moc"

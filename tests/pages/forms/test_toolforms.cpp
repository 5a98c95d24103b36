#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "app/mainwindow.h"
#include "formprobe.h"

using FormProbe::kAny;

// The Bode plot generator, placeholder, hidden, communication and schematic
// editor pages in the real window, off screen.
class TestToolForms : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    MainWindow *m_window = nullptr;

    QStackedWidget *stack() { return m_window->findChild<QStackedWidget *>(QStringLiteral("Page")); }
    QWidget *page(const QString &name) { return m_window->findChild<QWidget *>(name); }

    void showPage(const QString &name)
    {
        stack()->setCurrentWidget(page(name));
        QApplication::processEvents();
    }

    static void addWidget(const char *page, const QString &name, const char *kind, const QString &text,
                          int checked)
    {
        QTest::newRow(qPrintable(name)) << QString::fromLatin1(page) << name << QString::fromLatin1(kind)
                                        << text << checked;
    }

    static QStringList decades()
    {
        return {"1", "10", "100", "1k", "10k", "100k", "1M", "10M", "100M"};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        StartOptions options;
        options.offline = true;
        m_window = new MainWindow(nullptr, options);
        m_window->show();
    }
    void cleanupTestCase()
    {
        delete m_window;
        QDir::setCurrent(m_oldCwd);
    }

    void pagePlaces_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("kind");
        QTest::newRow("page_5") << "page_5" << 6 << "BodePlotPage";
        QTest::newRow("page_13") << "page_13" << 16 << "PlaceholderPage";
        QTest::newRow("page_25") << "page_25" << 17 << "HiddenPage";
        QTest::newRow("page_21") << "page_21" << 18 << "CommunicationPage";
        QTest::newRow("page_35") << "page_35" << 19 << "SchematicEditorPage";
    }
    void pagePlaces()
    {
        QFETCH(QString, page);
        QFETCH(int, index);
        QFETCH(QString, kind);
        QCOMPARE(stack()->indexOf(this->page(page)), index);
        QCOMPARE(QString::fromLatin1(this->page(page)->metaObject()->className()), kind);
    }

    void widgets_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("checked");

        // Empty gain fields stand for 0 dB points.
        for (const QString &d : decades()) {
            addWidget("page_5", QStringLiteral("demoAol") + d, "QLineEdit", QString(), -1);
            addWidget("page_5", QStringLiteral("demoAcl") + d, "QLineEdit", QString(), -1);
        }
        addWidget("page_5", QStringLiteral("demoPlot"), "QCustomPlot", kAny, -1);
        addWidget("page_5", QStringLiteral("refreshDemoButton"), "QPushButton", kAny, -1);
        addWidget("page_5", QStringLiteral("demoSaveButton"), "QPushButton", kAny, -1);

        addWidget("page_25", QStringLiteral("loadCalcButton"), "QPushButton", QStringLiteral("Load Calculator"), -1);
        addWidget("page_25", QStringLiteral("PSGButton"), "QPushButton",
                  QStringLiteral("Generate Product Summary Guide Tables"), -1);
        addWidget("page_25", QStringLiteral("bodePlotGenButton"), "QPushButton",
                  QStringLiteral("Bode Plot Generator"), -1);
        // The catalogs are loaded without pre-release parts at start-up.
        addWidget("page_25", QStringLiteral("includePreReleased"), "QCheckBox",
                  QStringLiteral("Include pre-release and custom products"), 0);

        addWidget("page_21", QStringLiteral("comboBox_5"), "QComboBox", kAny, -1);
        addWidget("page_21", QStringLiteral("stackedWidget_2"), "QStackedWidget", QStringLiteral("0"), -1);
        addWidget("page_21", QStringLiteral("connectButton"), "QPushButton", kAny, -1);

        addWidget("page_35", QStringLiteral("sch"), "QCustomPlot", kAny, -1);
        for (const char *name : {"resButton", "capButton", "indButton", "wireButton", "ampButton"})
            addWidget("page_35", QString::fromLatin1(name), "QPushButton", kAny, -1);
        addWidget("page_35", QStringLiteral("SchGridBox"), "QCheckBox", kAny, -1);
        addWidget("page_35", QStringLiteral("snapBox"), "QComboBox", kAny, -1);
    }
    void widgets()
    {
        QFETCH(QString, page);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(int, checked);

        showPage(page);
        QWidget *w = this->page(page)->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
        if (text != kAny)
            QCOMPARE(FormProbe::shownText(w), text);
        if (checked >= 0)
            QCOMPARE(FormProbe::checkedState(w), checked);
        QVERIFY(w->isEnabled());
        QVERIFY(w->isVisible());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            QVERIFY2(!b->text().isEmpty(), qPrintable(name));
    }

    // Each gain field is read beside its decade, open loop and closed loop
    // each with its unit.
    void gainRows_data()
    {
        QTest::addColumn<QString>("decade");
        for (const QString &d : decades())
            QTest::newRow(qPrintable(d)) << d;
    }
    void gainRows()
    {
        QFETCH(QString, decade);
        QWidget *aol = page(QStringLiteral("page_5"))->findChild<QWidget *>(QStringLiteral("demoAol") + decade);
        QWidget *acl = page(QStringLiteral("page_5"))->findChild<QWidget *>(QStringLiteral("demoAcl") + decade);
        const QStringList row = FormProbe::rowTexts(aol);
        QCOMPARE(FormProbe::rowTexts(acl), row);
        QCOMPARE(row.count(QStringLiteral("dB")), 2);
        QString shown = decade;
        if (shown.endsWith(QLatin1Char('k')) || shown.endsWith(QLatin1Char('M')))
            shown.insert(shown.size() - 1, QLatin1Char(' '));
        else
            shown += QLatin1Char(' ');
        QVERIFY2(row.contains(shown + QStringLiteral("Hz")), qPrintable(row.join(QLatin1Char('|'))));
    }

    void pageTexts_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        QTest::newRow("hidden title") << "page_25" << "Secret Zarn Data Center - Employees Only!";
        QTest::newRow("communication title") << "page_21" << "Communication Protocols";
    }
    void pageTexts()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        QVERIFY(FormProbe::hasLabel(this->page(page), text));
    }

    // The snap sizes are whole numbers in plot units, read with base 10.
    void snapSizes()
    {
        auto *box = page(QStringLiteral("page_35"))->findChild<QComboBox *>(QStringLiteral("snapBox"));
        QVERIFY(box->count() > 0);
        for (int i = 0; i < box->count(); ++i) {
            bool ok = false;
            QVERIFY(box->itemText(i).toInt(&ok, 10) > 0);
            QVERIFY(ok);
        }
        QVERIFY(box->currentIndex() >= 0);
    }

    void protocolSelectorShowsItsSheet()
    {
        auto *box = page(QStringLiteral("page_21"))->findChild<QComboBox *>(QStringLiteral("comboBox_5"));
        auto *sheets = page(QStringLiteral("page_21"))->findChild<QStackedWidget *>(QStringLiteral("stackedWidget_2"));
        QCOMPARE(box->count(), sheets->count());
        auto *connect = sheets->findChild<QWidget *>(QStringLiteral("connectButton"));
        QVERIFY(sheets->widget(0)->isAncestorOf(connect));
        for (int i = box->count() - 1; i >= 0; --i) {
            box->setCurrentIndex(i);
            QCOMPARE(sheets->currentIndex(), i);
        }
    }

    // The placeholder's controls are connected to nothing: using them leaves
    // the design unchanged and the window where it was.
    void placeholderIsInert()
    {
        QWidget *p = page(QStringLiteral("page_13"));
        showPage(QStringLiteral("page_13"));
        const QList<QCheckBox *> boxes = p->findChildren<QCheckBox *>();
        const QList<QComboBox *> selectors = p->findChildren<QComboBox *>();
        QVERIFY(!boxes.isEmpty());
        QVERIFY(!selectors.isEmpty());
        m_window->setDesignChanged(false);
        for (QCheckBox *b : boxes) {
            QVERIFY(b->isVisible());
            b->click();
        }
        for (QComboBox *c : selectors) {
            QVERIFY(c->isVisible());
            QVERIFY(c->count() > 1);
            c->setCurrentIndex(1);
        }
        QVERIFY(!m_window->designChanged());
        QCOMPARE(stack()->currentWidget(), p);
        for (QCheckBox *b : boxes)
            b->click();
        for (QComboBox *c : selectors)
            c->setCurrentIndex(0);
    }

    void bodeGeneratorButtonOpensPage()
    {
        showPage(QStringLiteral("page_25"));
        page(QStringLiteral("page_25"))->findChild<QPushButton *>(QStringLiteral("bodePlotGenButton"))->click();
        QCOMPARE(stack()->currentIndex(), 6);
    }

    void fitsTheWindow_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *name : {"page_5", "page_13", "page_25", "page_21", "page_35"})
            QTest::newRow(name) << name;
    }
    void fitsTheWindow()
    {
        QFETCH(QString, page);
        m_window->resize(1230, 691);
        showPage(page);
        QCOMPARE(FormProbe::scrollNeeded(this->page(page)), QSize(0, 0));
    }

    // At 24 pt the pages scroll rather than squeeze or cut their content.
    void nothingSqueezed_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("points");
        for (const char *name : {"page_5", "page_13", "page_25", "page_21", "page_35"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 default").arg(QLatin1String(name)))) << name << 0;
            QTest::newRow(qPrintable(QStringLiteral("%1 24 pt").arg(QLatin1String(name)))) << name << 24;
        }
    }
    void nothingSqueezed()
    {
        QFETCH(QString, page);
        QFETCH(int, points);
        const QFont before = QApplication::font("QWidget");
        if (points > 0)
            QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg 2"), points), "QWidget");
        m_window->resize(1230, 691);
        showPage(page);
        const QStringList names = FormProbe::squeezed(this->page(page));
        QApplication::setFont(before, "QWidget");
        QApplication::processEvents();
        QVERIFY2(names.isEmpty(), qPrintable(names.join(QLatin1Char(' '))));
    }

    void namesUnique()
    {
        for (const char *name : {"page_5", "page_13", "page_25", "page_21", "page_35"}) {
            for (QObject *o : page(QString::fromLatin1(name))->findChildren<QObject *>()) {
                if (o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                QVERIFY2(m_window->findChildren<QObject *>(o->objectName()).size() == 1,
                         qPrintable(o->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestToolForms)
#include "test_toolforms.moc"

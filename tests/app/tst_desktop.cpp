#include "Harness.h"

#include <QProcess>
#include <QtTest>

// The keyboard in the main window, and the program on the command line.
class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Return presses the focused button")
            << ""
            << "Command5" << int(Qt::Key_Return) << "Command9";
        QTest::newRow("Escape cancels a new word") << "Command5"
                                                   << "Text1" << int(Qt::Key_Escape) << "Command5";
        QTest::newRow("Escape cancels a modification")
            << "Command6"
            << "Text1" << int(Qt::Key_Escape) << "Command6";
        QTest::newRow("Escape while browsing does nothing")
            << ""
            << "List1" << int(Qt::Key_Escape) << "Command6";
    }

    // After pressing `first` (if any), `key` in `focus` leaves `shown` visible.
    void keys()
    {
        QFETCH(QString, first);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, shown);
        Harness harness;
        QVERIFY(harness.start({{"Abend"}, {"Haus"}}));
        Form1& form = harness.form();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (!first.isEmpty()) {
            form.findChild<QPushButton*>(first)->click();
        }
        QWidget* target = form.findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QVERIFY(form.findChild<QWidget*>(shown)->isVisibleTo(&form));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("version") << QStringList{"--version"} << 0 << "LEXA 4.00.0001\n";
        QTest::newRow("help in German") << QStringList{"--help"} << 0 << "Aufruf: ";
        QTest::newRow("missing folder")
            << QStringList{"/nicht/vorhanden"} << 2 << "lexa: Der Ordner \"/nicht/vorhanden\"";
    }

    // Answers on the terminal and ends, without needing a display.
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess lexa;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        lexa.setProcessEnvironment(environment);
        lexa.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lexa"), arguments);
        QVERIFY(lexa.waitForFinished(10000));
        QCOMPARE(lexa.exitCode(), exitCode);
        const QString said =
            QString::fromUtf8(lexa.readAllStandardOutput() + lexa.readAllStandardError());
        QVERIFY2(said.startsWith(output), qPrintable(said));
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"

#include "Fixtures.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

// The program on the command line.
class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        Fixtures::columns<QStringList, int, QString>("arguments", "exitCode", "output");
        Fixtures::row("version", QStringList{"--version"}, 0, "LEXA 4.00.0001\n");
        Fixtures::row("help in German", QStringList{"--help"}, 0, "Aufruf: ");
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

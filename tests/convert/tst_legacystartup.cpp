#include "LegacyFixtures.h"
#include "convert/DatabaseKind.h"
#include "ui/LegacyStartup.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

using namespace LegacyFixtures;

class TestLegacyStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { MessageBox::resetSeam(); }

    void nothingToConvertAsksNothing()
    {
        const QTemporaryDir dir;
        QVERIFY(offerLegacyConversion(nullptr, dir.path()));
        QVERIFY(MessageBox::takeAnswered().isEmpty());
    }

    // The boxes that come, in order, and what start-up does after them.
    void dialogue_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("yes") << QMessageBox::Yes << false << true
                             << QStringList({"„LEXA.MDB“ und „THEME.MDB“", "Wörter: 134"});
        QTest::newRow("no") << QMessageBox::No << false << false
                            << QStringList({"umgewandelt werden?", "nur mit umgewandelten"});
        QTest::newRow("yes, damaged")
            << QMessageBox::Yes << true << false
            << QStringList({"umgewandelt werden?", "„LEXA.MDB“ konnte nicht umgewandelt"});
    }

    void dialogue()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, damaged);
        QFETCH(bool, goesOn);
        QFETCH(QStringList, boxes);
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        if (damaged) {
            QVERIFY(writeFile(dir.filePath(QStringLiteral("LEXA.MDB")),
                              fileBytes(dir.filePath(QStringLiteral("LEXA.MDB"))).left(150000)));
        }
        const auto before = snapshot(dir.path());
        MessageBox::setNextAnswer(answer);
        MessageBox::setNextAnswer(QMessageBox::Ok);

        QCOMPARE(offerLegacyConversion(nullptr, dir.path()), goesOn);

        const QStringList shown = MessageBox::takeAnswered();
        QCOMPARE(shown.size(), boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            QVERIFY2(shown[i].contains(boxes[i]), qPrintable(shown[i]));
        }
        QVERIFY(!QApplication::overrideCursor());
        if (goesOn) {
            QCOMPARE(databaseKind(dir.filePath(QStringLiteral("LEXA.MDB"))), DatabaseKind::SQLite);
            QCOMPARE(databaseKind(dir.filePath(QStringLiteral("THEME.MDB"))), DatabaseKind::SQLite);
        } else {
            QCOMPARE(snapshot(dir.path()), before);
        }
    }
};

QTEST_MAIN(TestLegacyStartup)
#include "tst_legacystartup.moc"

#include "LegacyFixtures.h"
#include "convert/DatabaseKind.h"
#include "ui/Form1.h"
#include "ui/LegacyStartup.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

    // Started in a folder with the old files: converted, then every word
    // shows its icon in the main window.
    void convertedDictionaryShowsEveryIcon()
    {
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        MessageBox::setNextAnswer(QMessageBox::Yes);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        const bool goesOn = offerLegacyConversion(nullptr, dir.path());
        Form1 form;
        const bool loaded = goesOn && form.Form_Load();
        QDir::setCurrent(previous);
        QVERIFY(loaded);
        QCOMPARE(MessageBox::takeAnswered().size(), 2);

        // The first record of each word is the one shown.
        QMap<QString, QByteArray> iconOf;
        const QJsonArray records =
            QJsonDocument::fromJson(fileBytes(fixture(QStringLiteral("jet4/expected.json"))))
                .object()
                .value(QStringLiteral("lexa"))
                .toArray();
        for (const QJsonValue& record : records) {
            const QString word = record[QStringLiteral("mot")].toString();
            if (!word.isEmpty() && !iconOf.contains(word)) {
                iconOf.insert(word,
                              record[QStringLiteral("icone integree")][QStringLiteral("sha256")]
                                  .toString()
                                  .toLatin1());
            }
        }
        for (auto it = iconOf.cbegin(); it != iconOf.cend(); ++it) {
            const int index = entryIndex(form, it.key());
            QVERIFY2(index >= 0, qPrintable(it.key()));
            form.ui.List1->setListIndex(index);
            const QByteArray shown = form.ui.image1->picture();
            QCOMPARE(shown.isEmpty()
                         ? QByteArray()
                         : QCryptographicHash::hash(shown, QCryptographicHash::Sha256).toHex(),
                     it.value());
        }
    }

private:
    static int entryIndex(Form1& form, const QString& word)
    {
        for (int i = 0; i < form.ui.List1->entryCount(); ++i) {
            if (form.ui.List1->entry(i) == word) {
                return i;
            }
        }
        return -1;
    }
};

QTEST_MAIN(TestLegacyStartup)
#include "tst_legacystartup.moc"

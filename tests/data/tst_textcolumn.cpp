#include "data/Criterion.h"
#include "data/TextColumn.h"

#include <QRandomGenerator>
#include <QtTest>

// Random appends, edits, deletions and fills against a plain list: the column
// must give back every value, empty and absent ones apart, in both of its
// layouts and across the move from one to the other.
class TestTextColumn : public QObject
{
    Q_OBJECT

private slots:
    void matchesPlainList_data()
    {
        QTest::addColumn<int>("distinct");
        QTest::newRow("few texts, numbered") << 12;
        QTest::newRow("many texts, packed on the way") << 100000;
    }

    void matchesPlainList()
    {
        QFETCH(int, distinct);
        QRandomGenerator random(distinct);
        const auto value = [&] {
            const int pick = random.bounded(distinct + 2);
            return pick == 0 ? QVariant()
                             : QVariant(pick == 1 ? QString(u""_qs) : u"Wört %1"_qs.arg(pick));
        };
        TextColumn column;
        QList<QVariant> expected;
        for (int step = 0; step < 6000; ++step) {
            // From the middle on, the hashes follow every change.
            if (step == 3000) {
                column.foldedHashes();
            }
            const int op = random.bounded(10);
            const auto row =
                static_cast<size_t>(expected.isEmpty() ? 0 : random.bounded(expected.size()));
            if (step == 2000) {
                const QVariant v = value();
                column.fill(v);
                expected.fill(v);
            } else if (op < 6 || expected.isEmpty()) {
                // Half the texts come as UTF-8, as a table is read.
                const QVariant v = value();
                const QByteArray utf8 = v.isNull() ? QByteArray() : v.toString().toUtf8();
                if (op % 2 == 0) {
                    column.appendUtf8(v.isNull() ? QByteArrayView()
                                                 : QByteArrayView(utf8.constData(), utf8.size()));
                } else {
                    column.append(v.toString());
                }
                expected.append(v);
            } else if (op < 8) {
                const QVariant v = value();
                column.set(row, v);
                expected[static_cast<qsizetype>(row)] = v;
            } else {
                column.erase(row);
                expected.removeAt(static_cast<qsizetype>(row));
            }
        }
        const std::vector<quint32>& hashes = column.foldedHashes();
        QCOMPARE(hashes.size(), static_cast<size_t>(expected.size()));
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const QVariant got = column.at(static_cast<size_t>(i));
            QCOMPARE(got.isNull(), expected.at(i).isNull());
            QCOMPARE(got.toString(), expected.at(i).toString());
            QCOMPARE(hashes[static_cast<size_t>(i)], foldedHash(expected.at(i).toString()));
        }
    }

    // Bytes that are not plain UTF-8 read as QString::fromUtf8 reads them, in
    // both layouts.
    void utf8AsFromUtf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFHaus");
        QTest::newRow("broken sequence") << QByteArray("Stra\xC3"
                                                       "e\xFF");
        QTest::newRow("cut at the end") << QByteArray("Gr\xC3");
        QTest::newRow("beyond the BMP") << QByteArray("\xF0\x9F\x98\x80!");
    }
    void utf8AsFromUtf8()
    {
        QFETCH(QByteArray, bytes);
        for (const int others : {1, 2000}) {
            TextColumn column;
            for (int i = 0; i < others; ++i) {
                column.append(QString::number(i));
            }
            column.appendUtf8(bytes);
            column.appendUtf8(bytes);
            for (const size_t row : {size_t(others), size_t(others) + 1}) {
                QCOMPARE(column.at(row).toString(), QString::fromUtf8(bytes));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestTextColumn)
#include "tst_textcolumn.moc"

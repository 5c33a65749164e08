#include "Fixtures.h"
#include "data/Schema.h"

#include <QBuffer>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

int runGenerator(const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/lexa-makedemo", arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return process.exitCode();
}

} // namespace

class TestMakeDemo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_demo;

private slots:
    void initTestCase() { QCOMPARE(runGenerator({"--out", m_demo.path()}), 0); }

    // Each word of the demo once (the editor refuses duplicates), with icons
    // the editor can read.
    void demoIsAValidDictionary()
    {
        const QString words = m_demo.filePath(Schema::DictionaryFile);
        QSet<QString> seen;
        int icons = 0;
        for (const auto& row : Fixtures::query(words, "SELECT mot, \"icone integree\" FROM lexa")) {
            const QString word = row[0].toString();
            QVERIFY2(!word.isEmpty() && !seen.contains(word.toCaseFolded()), qPrintable(word));
            seen.insert(word.toCaseFolded());
            if (row[1].isValid()) {
                QBuffer buffer;
                buffer.setData(row[1].toByteArray());
                QImageReader reader(&buffer); // no format hint: known by its bytes
                QVERIFY2(reader.format() == "ico" && reader.read().size() == QSize(32, 32),
                         qPrintable(word));
                ++icons;
            }
        }
        QVERIFY(seen.size() >= 200 && icons >= 40);
    }
};

QTEST_MAIN(TestMakeDemo)
#include "tst_makedemo.moc"

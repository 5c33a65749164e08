#include "Harness.h"
#include "app/ResulCh.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>
#include <functional>

// "Drucken …" of both windows, as a user saves a PDF from it; the choices
// kept for the next time.
class PrintingTest : public QObject
{
    Q_OBJECT

    // Runs `inDialog` in the print dialog that `open` opens, then closes it.
    static bool inPrintDialog(const std::function<void()>& open,
                              const std::function<void(PrintDialog&)>& inDialog)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<PrintDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                seen = true;
                inDialog(*dialog);
                dialog->reject();
            }
        });
        open();
        return seen;
    }

    static QStringList wordsIn(const QString& pdf, const QStringList& candidates)
    {
        QProcess process;
        process.start("pdftotext", {"-layout", pdf, "-"});
        process.waitForFinished(60000);
        QStringList found;
        for (const QString& word : QString::fromUtf8(process.readAllStandardOutput())
                                       .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
            if (candidates.contains(word)) {
                found.append(word);
            }
        }
        return found;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("LEXA-Test");
        QCoreApplication::setApplicationName("tst_printing");
        QSettings().clear();
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QSKIP("poppler-utils are not installed");
        }
    }
    void init() { MessageBox::resetSeam(); }

    void fromBothWindows_data()
    {
        Fixtures::columns<bool, bool, QStringList>("fromSearch", "marked", "words");
        Fixtures::row("main window, whole dictionary", false, false,
                      QStringList{"Apfel", "Hund", "Zug"});
        Fixtures::row("main window, marked words", false, true, QStringList{"Apfel", "Zug"});
        Fixtures::row("search window, the list found", true, false, QStringList{"Hund", "Zug"});
    }
    void fromBothWindows()
    {
        QFETCH(bool, fromSearch);
        QFETCH(bool, marked);
        QFETCH(QStringList, words);
        Harness h;
        QVERIFY(h.start({{"Zug", "der", "1", "Tiere", "O"},
                         {"Hund", "der", "1", "Tiere"},
                         {"Apfel", "der", "1", "Tiere", "O"}}));
        QWidget* window = &h.form();
        if (fromSearch) {
            ResulCh& search = h.form().openedSearchWindow();
            search.ui().ecrire->setText("u");
            search.search().contient_Click();
            window = &search;
        }
        auto* print = window->findChild<QAction*>("print");
        QVERIFY(print != nullptr);
        QCOMPARE(print->shortcut(), QKeySequence(QKeySequence::Print));
        const QByteArray before = Fixtures::fileBytes(h.path("LEXA.MDB"));
        const QString pdf = h.path("liste.pdf");
        setNextFileDialogAnswer(pdf);
        QVERIFY(inPrintDialog([&] { print->trigger(); },
                              [&](PrintDialog& dialog) {
                                  QCOMPARE(dialog.markedOnly != nullptr, !fromSearch);
                                  if (dialog.markedOnly != nullptr) {
                                      dialog.markedOnly->setChecked(marked);
                                  }
                                  dialog.layout->setCurrentIndex(2);
                                  dialog.pdfButton->click();
                              }));
        QCOMPARE(wordsIn(pdf, {"Apfel", "Hund", "Zug"}), words);
        QCOMPARE(Fixtures::fileBytes(h.path("LEXA.MDB")), before);
        QVERIFY(MessageBox::takeAnswered().isEmpty());
    }

    // Strg+P opens the dialog wherever the focus is in the main window.
    void shortcut()
    {
        Harness h;
        QVERIFY(h.start({{"Hund", "der"}}));
        h.form().show();
        h.form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.form()));
        h.ui().List1->setFocus();
        QVERIFY(inPrintDialog([&] { QTest::keyClick(&h.form(), Qt::Key_P, Qt::ControlModifier); },
                              [](PrintDialog& dialog) { QVERIFY(dialog.markedOnly != nullptr); }));
    }

    // An empty result list says so instead of opening the dialog.
    void emptyList()
    {
        Harness h;
        QVERIFY(h.start({{"Hund", "der"}}));
        ResulCh& search = h.form().openedSearchWindow();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(!inPrintDialog([&] { search.ui().imprimer->click(); }, [](PrintDialog&) {}));
        QCOMPARE(MessageBox::takeAnswered().size(), 1);
    }

    void choicesKept()
    {
        {
            PrintDialog first(nullptr, QDir::currentPath(), {}, true);
            first.layout->setCurrentIndex(1);
            first.paper->setCurrentIndex(first.paper->findText("US Letter"));
            first.colours->setChecked(false);
            first.markedOnly->setChecked(true);
            setNextFileDialogAnswer(QString());         // cancelled: the choices count all the same
            MessageBox::setNextAnswer(QMessageBox::Ok); // no dictionary here
            first.savePdf();
        }
        const PrintDialog next(nullptr, QDir::currentPath(), {}, true);
        QCOMPARE(next.options().layout, PrintLayout::Pages);
        QCOMPARE(next.options().paper, QPageSize::Letter);
        QVERIFY(!next.options().colours);
        QVERIFY(next.markedOnly->isChecked());
        MessageBox::resetSeam();
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"

// The window of near words, opened from the word list's context menu: its
// groups, the way from a word to the main window, "Kein Duplikat" kept in
// the file, and the saved list.
#include "EditorSteps.h"
#include "editor/SimilarWords.h"

#include <QAction>
#include <QTreeWidget>

class TestSimilarWords : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

    static SimilarWords* open(Harness& h)
    {
        for (QAction* entry : h.ui().List1->actions()) {
            if (entry->text() == "Ähnliche Wörter suchen …") {
                entry->trigger();
            }
        }
        return h.form().findChild<SimilarWords*>();
    }
    static QStringList shown(SimilarWords* window)
    {
        QStringList lines;
        for (QTreeWidgetItemIterator it(window->findChild<QTreeWidget*>("groups")); *it; ++it) {
            lines.append(((*it)->parent() ? "  " : "") + (*it)->text(0) + "|" + (*it)->text(1));
        }
        return lines;
    }
    static QTreeWidgetItem* item(SimilarWords* window, const QString& text)
    {
        auto* list = window->findChild<QTreeWidget*>("groups");
        return list->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    void findChooseDismissSave()
    {
        Harness h;
        QVERIFY(h.start({{"Straße", "die"},
                         {"Kiefer", "der"},
                         {"Haus", "das"},
                         {"Strasse"},
                         {"Kiefer", "die"},
                         {"Zirkuszelt ", "das"},
                         {"Zirkuszelt", "das"}}));
        SimilarWords* window = open(h);
        QVERIFY(window && window->isVisible());
        // The word list, where a word chosen here is shown, stays in sight.
        const QWidget* words = h.ui().List1;
        const QRect listed(words->mapToGlobal(QPoint(0, 0)), words->size());
        QVERIFY2(!window->frameGeometry().intersects(listed),
                 qPrintable(QString("%1,%2 %3x%4 over %5,%6 %7x%8")
                                .arg(window->x())
                                .arg(window->y())
                                .arg(window->width())
                                .arg(window->height())
                                .arg(listed.x())
                                .arg(listed.y())
                                .arg(listed.width())
                                .arg(listed.height())));
        QCOMPARE(shown(window),
                 QStringList({"Doppelt: „Kiefer“|", "  Kiefer|der", "  Kiefer|die",
                              "Ähnlich: „Strasse“, „Straße“|", "  Strasse|", "  Straße|die",
                              "Ähnlich: „Zirkuszelt“, „Zirkuszelt “|", "  Zirkuszelt|das",
                              "  Zirkuszelt |das"}));

        auto* list = window->findChild<QTreeWidget*>("groups");
        emit list->itemDoubleClicked(item(window, "Straße"), 0);
        QCOMPARE(h.ui().List1->entry(h.ui().List1->listIndex()), "Straße");
        QCOMPARE(h.ui().deter->text(), "die");

        item(window, "Doppelt: „Kiefer“")->setSelected(true);
        window->KeinDuplikat_Click();
        item(window, "Strasse")->setSelected(true);
        window->KeinDuplikat_Click();
        QCOMPARE(shown(window).size(), 3);
        QCOMPARE(Fixtures::query(h.path("LEXA.MDB"), "SELECT * FROM lexa_not_duplicate"),
                 (QList<QVariantList>{{"Kiefer", "Kiefer"}, {"Strasse", "Straße"}}));

        const QString saved = h.path("ähnlich.txt");
        window->runSaveDialog = [&](QFileDialog&) { return saved; };
        window->Speichern_Click();
        QCOMPARE(QString::fromUtf8(Fixtures::fileBytes(saved)).split("\r\n").mid(1),
                 QStringList({"", "Ähnlich: „Zirkuszelt“, „Zirkuszelt “", "Zirkuszelt\tdas\t",
                              "Zirkuszelt \tdas\t", ""}));

        // A list that cannot be written is reported, not lost in silence.
        window->runSaveDialog = [&](QFileDialog&) { return h.path("fehlt/ähnlich.txt"); };
        MessageBox::setNextAnswer(QMessageBox::Ok);
        window->Speichern_Click();
        QVERIFY(MessageBox::takeAnswered().value(0).startsWith("Die Liste konnte nicht in „"));

        // While a word is being entered the main window shows no other word.
        Steps::press(h.ui().Command5);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        emit list->itemDoubleClicked(item(window, "Zirkuszelt"), 0);
        QCOMPARE(MessageBox::takeAnswered().size(), 1);
        QCOMPARE(h.ui().Text1->text(), QString());
    }

    void dismissWhileTheFileIsGone()
    {
        // The dictionary moved away meanwhile: said so, nothing dismissed.
        Harness h;
        QVERIFY(h.start({{"Kiefer", "der"}, {"Kiefer", "die"}}));
        SimilarWords* window = open(h);
        QVERIFY(window);
        item(window, "Doppelt: „Kiefer“")->setSelected(true);
        const QString file = h.path("LEXA.MDB");
        QVERIFY(QFile::rename(file, file + ".weg"));
        MessageBox::setNextAnswer(QMessageBox::Ok);
        window->KeinDuplikat_Click();
        QVERIFY(QFile::rename(file + ".weg", file));
        QVERIFY(MessageBox::takeAnswered().value(0).endsWith("wurde nicht gefunden."));
        QCOMPARE(shown(window).size(), 3);
    }
};

QTEST_MAIN(TestSimilarWords)
#include "tst_similarwords.moc"

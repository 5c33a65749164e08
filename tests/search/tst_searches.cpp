#include "Harness.h"
#include "ui/MessageBox.h"
#include "ui/ResulCh.h"

#include <QApplication>
#include <QFile>
#include <QRadioButton>
#include <QtTest>

// The searches of the search window on a real main window and its fixture
// dictionary, driven through the search window's controls.
namespace {

// Every word of the fixture, in record order; one record holds no word.
const QList<WordRow> Rows = {
    {QStringLiteral("Abend"), {}, {}, QStringLiteral("Zeit"), QStringLiteral("O")},
    {QStringLiteral("abends"), {}, {}, QStringLiteral("Zeit")},
    {QStringLiteral("Haben")},
    {QStringLiteral("Grab")},
    {QStringLiteral("Ameise"), {}, {}, QStringLiteral("Tiere"), QStringLiteral("O")},
    {QStringLiteral("Haustier"), {}, {}, QStringLiteral("Haustiere")},
    {QStringLiteral("Katze"), {}, {}, QStringLiteral("tiere")},
    {QStringLiteral("Öl")},
    {QStringLiteral("Übung")},
    {QStringLiteral("l'eau")},
    {QStringLiteral("a*e")},
    {QStringLiteral("Brot"), {}, {}, {}, QStringLiteral("N")},
    {QVariant()},
};
const QStringList Themes = {QStringLiteral("Zeit"),         QStringLiteral("Tiere"),
                            QStringLiteral("Haus"),         QStringLiteral("Obst"),
                            QStringLiteral("Kinder'spiel"), QStringLiteral("[a")};
const QString All = QStringLiteral("Abend abends Haben Grab Ameise Haustier Katze Öl Übung "
                                   "l'eau a*e Brot");

QStringList words(const QString& spaced)
{
    return spaced.split(u' ', Qt::SkipEmptyParts);
}

// " word " for each word, as the dictionary's criterion searches list them.
QStringList padded(const QString& spaced)
{
    QStringList entries;
    for (const QString& word : words(spaced)) {
        entries.append(u' ' + word + u' ');
    }
    return entries;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class SearchesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void textFromDictionary_data();
    void textFromDictionary();
    void textNarrowing_data();
    void textNarrowing();
    void emptyTextChangesNothing();
    void narrowingEmptyList();
    void lengthKeyFilter_data();
    void lengthKeyFilter();
    void lengthSearch_data();
    void lengthSearch();
    void themePickList();
    void themeSearch_data();
    void themeSearch();
    void themeListWithoutThemesFile();
    void emptyDictionary();

private:
    ResulChUi& ui() { return m_harness->form().searchWindow()->ui; }
    Search& search() { return m_harness->form().searchWindow()->search(); }
    QStringList results();
    QString current() { return m_harness->ui().mot_cour->caption(); }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QAbstractButton* textButton(const QString& name);
    // Fills the result list from the dictionary with every word, " word ".
    void listAll();

    std::unique_ptr<Harness> m_harness;
};

void SearchesTest::init()
{
    m_harness = std::make_unique<Harness>();
    QVERIFY(m_harness->start(Rows, Themes));
    QVERIFY(m_harness->form().searchWindow() != nullptr);
}

void SearchesTest::cleanup()
{
    m_harness.reset();
}

QStringList SearchesTest::results()
{
    QStringList entries;
    for (int i = 0; i < ui().resul_cherch->entryCount(); ++i) {
        entries.append(ui().resul_cherch->entry(i));
    }
    // The count always tells the number of entries.
    [&] { QCOMPARE(ui().nb_tr->caption(), QString::number(entries.size())); }();
    return sorted(entries);
}

QAbstractButton* SearchesTest::textButton(const QString& name)
{
    return ui().SSPanel1->findChild<QAbstractButton*>(name);
}

void SearchesTest::listAll()
{
    ui().ecrire->setText(QStringLiteral(" "));
    click(ui().contient);
    QCOMPARE(results().size(), words(All).size());
}

void SearchesTest::textFromDictionary_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");

    QTest::newRow("begins, any case") << "commence"
                                      << "ab"
                                      << "Abend abends";
    QTest::newRow("begins, capitals") << "commence"
                                      << "AB"
                                      << "Abend abends";
    QTest::newRow("begins, blanks around") << "commence"
                                           << "  ab  "
                                           << "Abend abends";
    QTest::newRow("begins, umlaut") << "commence"
                                    << "ö"
                                    << "Öl";
    QTest::newRow("begins, star inside") << "commence"
                                         << "a*e"
                                         << "Abend abends Ameise a*e";
    QTest::newRow("begins, bracket list") << "commence"
                                          << "[hk]a"
                                          << "Haben Haustier Katze";
    QTest::newRow("begins, digit") << "commence"
                                   << "#"
                                   << "";
    QTest::newRow("begins, doubled quote") << "commence"
                                           << "l''"
                                           << "l'eau";
    QTest::newRow("begins, lone quote") << "commence"
                                        << "l'eau"
                                        << "";
    QTest::newRow("begins, open bracket") << "commence"
                                          << "[a"
                                          << "";
    QTest::newRow("begins, too long") << "commence"
                                      << "Abendessenszeiten"
                                      << "";
    QTest::newRow("contains") << "contient"
                              << "ab"
                              << "Abend abends Haben Grab";
    QTest::newRow("contains, any one") << "contient"
                                       << "??????"
                                       << "abends Ameise Haustier";
    QTest::newRow("contains, quote") << "contient"
                                     << "'"
                                     << "";
    QTest::newRow("ends") << "termine"
                          << "AB"
                          << "Grab";
    QTest::newRow("ends, too long") << "termine"
                                    << "xHaustier"
                                    << "";
    QTest::newRow("begins, blanks only") << "commence"
                                         << "   " << All;
    QTest::newRow("contains, blanks only") << "contient"
                                           << " " << All;
    QTest::newRow("ends, blanks only") << "termine"
                                       << "  " << All;
}

void SearchesTest::textFromDictionary()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, found);

    ui().ecrire->setText(text);
    click(textButton(button));
    QCOMPARE(results(), sorted(padded(found)));
    // The record set stays on the last word found, or on the first record.
    const QStringList foundWords = words(found);
    QCOMPARE(current(), foundWords.isEmpty() ? QStringLiteral("Abend") : foundWords.last());
}

void SearchesTest::textNarrowing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");

    QTest::newRow("begins, exact case") << "commence"
                                        << "A"
                                        << "Abend Ameise";
    QTest::newRow("begins, small") << "commence"
                                   << "a"
                                   << "abends a*e";
    QTest::newRow("begins, star is plain") << "commence"
                                           << "a*e"
                                           << "a*e";
    QTest::newRow("begins, blanks around") << "commence"
                                           << " Hau "
                                           << "Haustier";
    QTest::newRow("begins, umlaut case") << "commence"
                                         << "ö"
                                         << "";
    QTest::newRow("begins, too long") << "commence"
                                      << "Abendessenszeiten"
                                      << "";
    QTest::newRow("contains") << "contient"
                              << "be"
                              << "Abend abends Haben";
    QTest::newRow("contains, star") << "contient"
                                    << "*"
                                    << "a*e";
    QTest::newRow("contains, bracket") << "contient"
                                       << "[a"
                                       << "";
    QTest::newRow("contains, quote") << "contient"
                                     << "'"
                                     << "l'eau";
    QTest::newRow("ends, two letters") << "termine"
                                       << "en"
                                       << "Haben";
    QTest::newRow("ends, exact case") << "termine"
                                      << "D"
                                      << "";
    QTest::newRow("begins, blanks only") << "commence"
                                         << "  " << All;
    QTest::newRow("contains, blanks only") << "contient"
                                           << " " << All;
    QTest::newRow("ends, blanks only") << "termine"
                                       << "   " << All;
}

void SearchesTest::textNarrowing()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, kept);

    listAll();
    const QString before = current();
    click(ui().extrac_liste);
    ui().ecrire->setText(text);
    click(textButton(button));
    QCOMPARE(results(), sorted(words(kept)));
    QCOMPARE(current(), before);
    QVERIFY(ui().liste_temp->isHidden());

    // Narrowing a narrowed list again keeps bare entries bare.
    click(textButton(button));
    QCOMPARE(results(), sorted(words(kept)));
}

void SearchesTest::emptyTextChangesNothing()
{
    ui().ecrire->setText(QStringLiteral("ab"));
    click(ui().commence);
    const QStringList before = results();
    ui().ecrire->clear();
    for (const bool fromList : {false, true}) {
        (fromList ? ui().extrac_liste : ui().Option2)->setChecked(true);
        for (QAbstractButton* button : {ui().commence, ui().contient, ui().termine}) {
            click(button);
            QCOMPARE(results(), before);
        }
    }
}

void SearchesTest::narrowingEmptyList()
{
    ui().nb_tr->setCaption(QStringLiteral("7"));
    click(ui().extrac_liste);
    ui().ecrire->setText(QStringLiteral("a"));
    click(ui().contient);
    QCOMPARE(ui().nb_tr->caption(), QStringLiteral("0"));
    QCOMPARE(results(), QStringList());
}

void SearchesTest::lengthKeyFilter_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("digits") << ""
                            << "1209"
                            << "1209";
    QTest::newRow("letter") << "1"
                            << "a"
                            << "1";
    QTest::newRow("blank") << "1"
                           << " "
                           << "1";
    QTest::newRow("minus") << "1"
                           << "-"
                           << "1";
    QTest::newRow("point") << "1"
                           << "."
                           << "1";
    QTest::newRow("umlaut") << "1"
                            << "ä"
                            << "1";
    QTest::newRow("backspace empties") << "12"
                                       << "\b"
                                       << "";
    QTest::newRow("backspace, then digit") << "12"
                                           << "\b7"
                                           << "7";
    QTest::newRow("backspace on empty") << ""
                                        << "\b"
                                        << "";
}

void SearchesTest::lengthKeyFilter()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);

    ui().lg->setText(before);
    for (const QChar c : typed) {
        if (c == u'\b') {
            QTest::keyClick(ui().lg, Qt::Key_Backspace);
        } else {
            const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, ui().lg, key, QString(c), Qt::NoModifier);
        }
    }
    QCOMPARE(ui().lg->text(), after);
}

void SearchesTest::lengthSearch_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<bool>("fromList");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("found");

    QTest::newRow("five") << "5" << false << true << "Abend Haben Katze Übung l'eau";
    QTest::newRow("leading zero") << "05" << false << true << "Abend Haben Katze Übung l'eau";
    QTest::newRow("digits then text") << "3x" << false << true << "a*e";
    QTest::newRow("twenty") << "20" << false << true << "";
    QTest::newRow("one") << "1" << false << true << "";
    QTest::newRow("zero") << "0" << false << false << "";
    QTest::newRow("twenty-one") << "21" << false << false << "";
    QTest::newRow("huge") << "99999999999999999999999" << false << false << "";
    QTest::newRow("pasted letters") << "abc" << false << false << "";
    QTest::newRow("pasted negative") << "-3" << false << false << "";
    QTest::newRow("narrow five") << "5" << true << true << "Abend Haben Katze Übung l'eau";
    QTest::newRow("narrow six") << "6" << true << true << "abends Ameise";
    QTest::newRow("narrow zero") << "0" << true << false << "";
}

void SearchesTest::lengthSearch()
{
    QFETCH(QString, length);
    QFETCH(bool, fromList);
    QFETCH(bool, accepted);
    QFETCH(QString, found);

    listAll();
    const QStringList before = results();
    ui().extrac_liste->setChecked(fromList);
    ui().lg->setText(length);
    click(ui().longueur);
    if (!accepted) {
        QCOMPARE(results(), before);
        QCOMPARE(ui().lg->text(), QString());
        return;
    }
    QCOMPARE(results(), sorted(words(found)));
    QCOMPARE(ui().lg->text(), length);
    if (!fromList) {
        QCOMPARE(current(), QStringLiteral("Abend"));
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    }
}

void SearchesTest::themePickList()
{
    click(ui().extrac_liste);
    QTest::mouseClick(ui().Label6, Qt::LeftButton);
    QVERIFY(!ui().List2->isHidden());
    QCOMPARE(ui().List2->entryCount(), 0);

    for (int fill = 0; fill < 2; ++fill) {
        ui().List2->hide();
        QTest::mouseClick(ui().theme, Qt::LeftButton);
        QVERIFY(!ui().List2->isHidden());
        QStringList listed;
        for (int i = 0; i < ui().List2->entryCount(); ++i) {
            listed.append(ui().List2->entry(i));
        }
        QCOMPARE(listed, Themes);
    }

    ui().List2->setListIndex(1); // Tiere, as the user picks it
    QCOMPARE(ui().theme->caption(), QStringLiteral("Tiere"));
    QVERIFY(ui().List2->isHidden());
    QCOMPARE(results(), sorted(padded(QStringLiteral("Ameise Haustier Katze"))));
}

void SearchesTest::themeSearch_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("found");

    QTest::newRow("no theme picked") << "theme_cherch"
                                     << "" << All;
    QTest::newRow("theme in longer names") << "theme_cherch"
                                           << "Tiere"
                                           << "Ameise Haustier Katze";
    QTest::newRow("theme, any case") << "theme_cherch"
                                     << "ZEIT"
                                     << "Abend abends";
    QTest::newRow("theme of no word") << "theme_cherch"
                                      << "Obst"
                                      << "";
    QTest::newRow("theme with quote") << "theme_cherch"
                                      << "Kinder'spiel"
                                      << "";
    QTest::newRow("theme with bracket") << "theme_cherch"
                                        << "[a"
                                        << "";
    QTest::newRow("theme with blanks") << "theme_cherch"
                                       << " Zeit"
                                       << "";
    QTest::newRow("marked") << "Command3"
                            << ""
                            << "Abend Ameise";
}

void SearchesTest::themeSearch()
{
    QFETCH(QString, button);
    QFETCH(QString, theme);
    QFETCH(QString, found);

    listAll();
    // Neither the option buttons nor the texts matter.
    click(ui().extrac_liste);
    ui().ecrire->setText(QStringLiteral("zzz"));
    ui().lg->setText(QStringLiteral("3"));
    ui().theme->setCaption(theme);
    click(textButton(button));
    QCOMPARE(results(), sorted(padded(found)));
}

void SearchesTest::themeListWithoutThemesFile()
{
    QVERIFY(QFile::remove(m_harness->path(QStringLiteral("THEME.MDB"))));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    search().theme_Click();
    QCOMPARE(MessageBox::takeAnswered().size(), 1);
    QVERIFY(ui().List2->isHidden());
}

void SearchesTest::emptyDictionary()
{
    m_harness.reset();
    m_harness = std::make_unique<Harness>();
    QVERIFY(m_harness->start({}, {}));
    ui().ecrire->setText(QStringLiteral("a"));
    ui().lg->setText(QStringLiteral("5"));
    ui().theme->setCaption(QStringLiteral("Tiere"));
    for (QAbstractButton* button : {ui().commence, ui().contient, ui().termine, ui().longueur,
                                    ui().theme_cherch, ui().Command3}) {
        ui().nb_tr->setCaption(QStringLiteral("7"));
        click(button);
        QCOMPARE(results(), QStringList());
    }
    QTest::mouseClick(ui().theme, Qt::LeftButton);
    QCOMPARE(ui().List2->entryCount(), 0);
    QVERIFY(!ui().List2->isHidden());
}

QTEST_MAIN(SearchesTest)
#include "tst_searches.moc"

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

// A row of three text columns.
void addRow(const char* name, const QString& first, const QString& second, const QString& third)
{
    QTest::newRow(name) << first << second << third;
}

void addTextRow(const char* name, const QString& button, const QString& text, bool fromList,
                const QString& found)
{
    QTest::newRow(name) << button << text << fromList << found;
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
    void textSearch_data();
    void textSearch();
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

void SearchesTest::textSearch_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fromList");
    QTest::addColumn<QString>("found");

    // From the dictionary: letter case does not count, wildcards work.
    addTextRow("begins, any case", "commence", "ab", false, "Abend abends");
    addTextRow("begins, capitals", "commence", "AB", false, "Abend abends");
    addTextRow("begins, blanks around", "commence", "  ab  ", false, "Abend abends");
    addTextRow("begins, umlaut", "commence", "ö", false, "Öl");
    addTextRow("begins, star inside", "commence", "a*e", false, "Abend abends Ameise a*e");
    addTextRow("begins, bracket list", "commence", "[hk]a", false, "Haben Haustier Katze");
    addTextRow("begins, digit", "commence", "#", false, "");
    addTextRow("begins, doubled quote", "commence", "l''", false, "l'eau");
    addTextRow("begins, lone quote", "commence", "l'eau", false, "");
    addTextRow("begins, open bracket", "commence", "[a", false, "");
    addTextRow("begins, too long", "commence", "Abendessenszeiten", false, "");
    addTextRow("contains", "contient", "ab", false, "Abend abends Haben Grab");
    addTextRow("contains, any one", "contient", "??????", false, "abends Ameise Haustier");
    addTextRow("contains, quote", "contient", "'", false, "");
    addTextRow("ends", "termine", "AB", false, "Grab");
    addTextRow("ends, too long", "termine", "xHaustier", false, "");
    addTextRow("begins, blanks only", "commence", "   ", false, All);
    addTextRow("contains, blanks only", "contient", " ", false, All);
    addTextRow("ends, blanks only", "termine", "  ", false, All);

    // Narrowing every word: exact comparisons, wildcards are plain characters.
    addTextRow("narrow begins, exact case", "commence", "A", true, "Abend Ameise");
    addTextRow("narrow begins, small", "commence", "a", true, "abends a*e");
    addTextRow("narrow begins, star is plain", "commence", "a*e", true, "a*e");
    addTextRow("narrow begins, blanks around", "commence", " Hau ", true, "Haustier");
    addTextRow("narrow begins, umlaut case", "commence", "ö", true, "");
    addTextRow("narrow begins, too long", "commence", "Abendessenszeiten", true, "");
    addTextRow("narrow contains", "contient", "be", true, "Abend abends Haben");
    addTextRow("narrow contains, exact case", "contient", "B", true, "Brot");
    addTextRow("narrow contains, star", "contient", "*", true, "a*e");
    addTextRow("narrow contains, bracket", "contient", "[a", true, "");
    addTextRow("narrow contains, quote", "contient", "'", true, "l'eau");
    addTextRow("narrow ends, two letters", "termine", "en", true, "Haben");
    addTextRow("narrow ends, exact case", "termine", "D", true, "");
    addTextRow("narrow begins, blanks only", "commence", "  ", true, All);
    addTextRow("narrow contains, blanks only", "contient", " ", true, All);
    addTextRow("narrow ends, blanks only", "termine", "   ", true, All);
}

void SearchesTest::textSearch()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(bool, fromList);
    QFETCH(QString, found);

    if (fromList) {
        listAll();
        click(ui().extrac_liste);
    }
    const QString before = current();
    // The dictionary's entries carry blanks; a narrowing step trims them.
    const QStringList expected = sorted(fromList ? words(found) : padded(found));
    ui().ecrire->setText(text);
    click(textButton(button));
    QCOMPARE(results(), expected);
    // Again, narrowing the narrowed list, or with the dictionary chosen explicitly.
    click(ui().Option2);
    ui().extrac_liste->setChecked(fromList);
    click(textButton(button));
    QCOMPARE(results(), expected);
    QVERIFY(ui().liste_temp->isHidden());
    // The record set stays where a narrowing step found it, else on the
    // last word found, or on the first record after finding nothing.
    const QStringList foundWords = words(found);
    const QString last = foundWords.isEmpty() ? QStringLiteral("Abend") : foundWords.last();
    QCOMPARE(current(), fromList ? before : last);
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

    addRow("digits", "", "1209", "1209");
    addRow("letter", "1", "a", "1");
    addRow("blank", "1", " ", "1");
    addRow("minus", "1", "-", "1");
    addRow("point", "1", ".", "1");
    addRow("umlaut", "1", "ä", "1");
    addRow("backspace empties", "12", "\b", "");
    addRow("backspace, then digit", "12", "\b7", "7");
    addRow("backspace on empty", "", "\b", "");
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

    addRow("no theme picked", "theme_cherch", "", All);
    addRow("theme in longer names", "theme_cherch", "Tiere", "Ameise Haustier Katze");
    addRow("theme, any case", "theme_cherch", "ZEIT", "Abend abends");
    addRow("theme of no word", "theme_cherch", "Obst", "");
    addRow("theme with quote", "theme_cherch", "Kinder'spiel", "");
    addRow("theme with bracket", "theme_cherch", "[a", "");
    addRow("theme with blanks", "theme_cherch", " Zeit", "");
    addRow("marked", "Command3", "", "Abend Ameise");
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

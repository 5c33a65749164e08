#include "Harness.h"
#include "ui/MessageBox.h"
#include "ui/ResulCh.h"

#include <QFile>
#include <QFileDialog>
#include <QRadioButton>
#include <QtTest>
#include <unistd.h>

// Saving the result list: the dialog's settings, the file's bytes, the
// overwrite question and the failures, on a real search window.
class SaveListTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dialogSettings();
    void emptyListDoesNothing();
    void bytes_data();
    void bytes();
    void overwrite_data();
    void overwrite();
    void failures_data();
    void failures();
    void realDialog_data();
    void realDialog();

private:
    ResulChUi& ui() { return m_window->ui; }
    Search& search() { return m_window->search(); }
    void find(QAbstractButton* button, const QString& text);
    // Saves the list as if `path` was chosen in the dialog.
    void saveAs(const QString& path);
    QByteArray read(const QString& path);

    std::unique_ptr<Harness> m_harness;
    ResulCh* m_window = nullptr;
};

void SaveListTest::init()
{
    m_harness = std::make_unique<Harness>();
    QVERIFY(m_harness->startWords({QStringLiteral("Apfel"), QStringLiteral("Öl"),
                                   QStringLiteral("Straße"), QStringLiteral("Zug"),
                                   QStringLiteral("Łódź"), QStringLiteral("€uro")}));
    m_window = m_harness->form().searchWindow();
    find(ui().commence, QStringLiteral("Ap"));
}

void SaveListTest::cleanup()
{
    m_harness.reset();
}

void SaveListTest::find(QAbstractButton* button, const QString& text)
{
    (button == ui().longueur ? ui().lg : ui().ecrire)->setText(text);
    button->click();
}

void SaveListTest::saveAs(const QString& path)
{
    search().runSaveDialog = [path](QFileDialog&) { return path; };
    search().Command2_Click();
}

QByteArray SaveListTest::read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void SaveListTest::dialogSettings()
{
    bool shown = false;
    search().runSaveDialog = [&](QFileDialog& dialog) {
        shown = true;
        [&] {
            QCOMPARE(dialog.objectName(), QStringLiteral("dialogue1"));
            QCOMPARE(dialog.parentWidget(), m_window);
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("text files (*.txt)")});
            QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("text files (*.txt)"));
            QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(dialog.defaultSuffix(), QString());
        }();
        return QString();
    };
    MessageBox::setNextAnswer(QMessageBox::Ok);
    search().Command2_Click();
    QVERIFY(shown);
    // A cancel is silent and writes nothing.
    QCOMPARE(MessageBox::takeAnswered(), QStringList());
    QCOMPARE(QDir(m_harness->dir()).entryList({QStringLiteral("*.txt")}), QStringList());
}

void SaveListTest::emptyListDoesNothing()
{
    ui().extrac_liste->setChecked(true);
    find(ui().commence, QStringLiteral("nichts"));
    QCOMPARE(ui().resul_cherch->entryCount(), 0);
    bool shown = false;
    search().runSaveDialog = [&](QFileDialog&) {
        shown = true;
        return QString();
    };
    search().Command2_Click();
    QVERIFY(!shown);
}

void SaveListTest::bytes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("narrowBy");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("one entry, blanks kept") << "commence"
                                            << "Ap"
                                            << "" << QByteArray(" Apfel \r\n");
    QTest::newRow("umlaut, list order") << "contient"
                                        << "l"
                                        << "" << QByteArray(" Apfel \r\n \xD6l \r\n");
    QTest::newRow("sharp s") << "commence"
                             << "str"
                             << ""
                             << QByteArray(" Stra\xDF"
                                           "e \r\n");
    QTest::newRow("euro sign") << "commence"
                               << "€"
                               << "" << QByteArray(" \x80uro \r\n");
    QTest::newRow("outside the code page") << "commence"
                                           << "ł"
                                           << ""
                                           << QByteArray(" ?\xF3"
                                                         "d? \r\n");
    QTest::newRow("length walk, bare") << "longueur"
                                       << "3"
                                       << "" << QByteArray("Zug\r\n");
    QTest::newRow("narrowed, trimmed") << "contient"
                                       << "l"
                                       << "Ö" << QByteArray("\xD6l\r\n");
}

void SaveListTest::bytes()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, narrowBy);
    QFETCH(QByteArray, expected);

    find(ui().SSPanel1->findChild<QAbstractButton*>(button), text);
    if (!narrowBy.isEmpty()) {
        ui().extrac_liste->setChecked(true);
        find(ui().commence, narrowBy);
    }
    const QString path = m_harness->path(QStringLiteral("liste.txt"));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    saveAs(path);
    QCOMPARE(MessageBox::takeAnswered(), QStringList());
    QCOMPARE(read(path), expected);
}

void SaveListTest::overwrite_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray old("an older and much longer list\r\n");
    QTest::newRow("new file") << "neu.txt" << false << QMessageBox::Ok << QByteArray(" Apfel \r\n");
    QTest::newRow("no extension") << "liste" << false << QMessageBox::Ok
                                  << QByteArray(" Apfel \r\n");
    QTest::newRow("replace") << "alt.txt" << true << QMessageBox::Yes << QByteArray(" Apfel \r\n");
    QTest::newRow("keep") << "alt.txt" << true << QMessageBox::No << old;
}

void SaveListTest::overwrite()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QByteArray, expected);

    const QString path = m_harness->path(name);
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("an older and much longer list\r\n");
    }
    MessageBox::setNextAnswer(answer);
    saveAs(path);
    const QStringList asked{Search::OverwriteQuestion};
    QCOMPARE(MessageBox::takeAnswered(), exists ? asked : QStringList());
    QCOMPARE(read(path), expected);
    QVERIFY(!QFile::exists(path + QStringLiteral(".txt")));
}

void SaveListTest::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing folder") << "fehlt/liste.txt";
    QTest::newRow("a folder") << ".";
    QTest::newRow("full disk") << "/dev/full";
    QTest::newRow("read-only folder") << "gesperrt/liste.txt";
}

void SaveListTest::failures()
{
    QFETCH(QString, path);
    if (path == QLatin1String("/dev/full") && !QFile::exists(path)) {
        QSKIP("no /dev/full here");
    }
    if (path.startsWith(QLatin1String("gesperrt"))) {
        if (geteuid() == 0) {
            QSKIP("root writes into read-only folders");
        }
        QVERIFY(QDir(m_harness->dir()).mkdir(QStringLiteral("gesperrt")));
        QFile::setPermissions(m_harness->path(QStringLiteral("gesperrt")),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    MessageBox::setNextAnswer(QMessageBox::Ok);
    saveAs(path.startsWith(u'/') ? path : m_harness->path(path));
    QCOMPARE(MessageBox::takeAnswered(), QStringList{Search::SaveFailedMessage});
}

void SaveListTest::realDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void SaveListTest::realDialog()
{
    QFETCH(bool, accept);
    const QString path = m_harness->path(QStringLiteral("ohne"));
    bool answered = false;
    QTimer::singleShot(0, m_window, [&] {
        auto* dialog = m_window->findChild<QFileDialog*>(QStringLiteral("dialogue1"));
        answered = dialog != nullptr && dialog->isVisible();
        if (dialog != nullptr) {
            dialog->selectFile(path);
            QDialog* asDialog = dialog; // accept() is protected in QFileDialog
            accept ? asDialog->accept() : asDialog->reject();
        }
    });
    MessageBox::setNextAnswer(QMessageBox::Ok);
    search().Command2_Click();
    QVERIFY(answered);
    QCOMPARE(MessageBox::takeAnswered(), QStringList());
    QCOMPARE(read(path), accept ? QByteArray(" Apfel \r\n") : QByteArray("(none)"));
}

QTEST_MAIN(SaveListTest)
#include "tst_savelist.moc"

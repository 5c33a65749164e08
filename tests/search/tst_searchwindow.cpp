#include "Harness.h"
#include "ui/MessageBox.h"
#include "ui/ResulCh.h"

#include <QFile>
#include <QFileDialog>
#include <QRadioButton>
#include <QtTest>
#include <functional>
#include <unistd.h>

// The search window opened from the main window: its load step, the modal
// round trip, what "Zurück" keeps and what closing through the frame drops;
// and the saving of its result list: the dialog, the file's bytes, the
// overwrite question and the failures.
class SearchWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadStep();
    void leaving_data();
    void leaving();
    void rendering();
    void dialogSettings();
    void emptyListSavesNothing();
    void bytes_data();
    void bytes();
    void overwrite_data();
    void overwrite();
    void failures_data();
    void failures();
    void realDialog_data();
    void realDialog();

private:
    enum class Leave
    {
        Back,
        Frame
    };
    // Opens the search window through the main window's button; `inside` runs
    // in the window's modal loop, then the window is left by `leave`.
    void open(const std::function<void(ResulCh&)>& inside, Leave leave);
    Form1& form() { return m_harness->form(); }
    ResulChUi& ui() { return m_window->ui; }
    Search& search() { return m_window->search(); }
    void find(QAbstractButton* button, const QString& text);
    // Saves the list as if `path` was chosen in the dialog.
    void saveAs(const QString& path);
    QByteArray read(const QString& path);

    std::unique_ptr<Harness> m_harness;
    ResulCh* m_window = nullptr;
};

void SearchWindowTest::init()
{
    m_harness = std::make_unique<Harness>();
    QVERIFY(m_harness->startWords({QStringLiteral("Apfel"), QStringLiteral("Öl"),
                                   QStringLiteral("Straße"), QStringLiteral("Zug"),
                                   QStringLiteral("Łódź"), QStringLiteral("€uro")}));
    m_window = m_harness->form().searchWindow();
    find(ui().commence, QStringLiteral("Ap"));
}

void SearchWindowTest::cleanup()
{
    m_harness.reset();
}

void SearchWindowTest::open(const std::function<void(ResulCh&)>& inside, Leave leave)
{
    bool ran = false;
    QTimer::singleShot(0, &form(), [&] {
        ResulCh* window = form().searchWindow();
        ran = window != nullptr && window->isVisible() && window->isModal() && form().isHidden();
        if (window == nullptr) {
            return;
        }
        inside(*window);
        if (leave == Leave::Back) {
            QTest::mouseClick(window->ui.Command1, Qt::LeftButton);
        } else {
            window->close();
        }
        window->hide(); // never leaves the test hanging in the modal loop
    });
    form().show();
    QTest::mouseClick(form().ui.Command2, Qt::LeftButton);
    QVERIFY(ran);
    QVERIFY(form().isVisible());
}

void SearchWindowTest::loadStep()
{
    QVERIFY(m_window != nullptr);
    QVERIFY(m_window->isHidden());
    QCOMPARE(m_window->objectName(), QStringLiteral("resul_ch"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("LEXA version 4.00.0001"));
    QCOMPARE(m_window->pos(), form().pos());
    QCOMPARE(m_window->size(), form().size());
    QCOMPARE(m_window->windowIcon().cacheKey(), form().windowIcon().cacheKey());
}

void SearchWindowTest::leaving_data()
{
    QTest::addColumn<bool>("throughFrame");
    QTest::newRow("Zurück keeps the window") << false;
    QTest::newRow("the frame discards it") << true;
}

void SearchWindowTest::leaving()
{
    QFETCH(bool, throughFrame);
    const QStringList words = m_harness->listed();
    const QString count = m_harness->ui().nbre_enr->caption();
    const ResulCh* first = m_window;

    open(
        [](ResulCh& window) {
            window.ui.ecrire->clear();
            QTest::keyClicks(window.ui.ecrire, QStringLiteral("l"));
            QTest::mouseClick(window.ui.contient, Qt::LeftButton);
            QTest::mouseClick(window.ui.extrac_liste, Qt::LeftButton);
            QTest::keyClicks(window.ui.lg, QStringLiteral("5"));
            window.ui.theme->setCaption(QStringLiteral("Tiere"));
            // Escape does not leave the window.
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(window.isVisible());
            window.setWindowTitle(QStringLiteral("changed while open"));
        },
        throughFrame ? Leave::Frame : Leave::Back);

    // The main window comes back as it was, on the record the search left.
    QCOMPARE(m_harness->listed(), words);
    QCOMPARE(m_harness->ui().nbre_enr->caption(), count);
    QCOMPARE(m_harness->ui().Text1->text(), QStringLiteral("Öl"));
    QCOMPARE(form().searchWindow() == nullptr, throughFrame);

    // The texts a window shows when it was kept, and when it was made afresh.
    const auto expect = [throughFrame](const char* kept, const char* fresh) {
        return QString::fromUtf8(throughFrame ? fresh : kept);
    };
    open(
        [&](ResulCh& window) {
            QCOMPARE(&window == first, !throughFrame);
            const QStringList kept{QStringLiteral(" Apfel "), QStringLiteral(" Öl ")};
            QStringList listed;
            for (int i = 0; i < window.ui.resul_cherch->entryCount(); ++i) {
                listed.append(window.ui.resul_cherch->entry(i));
            }
            QCOMPARE(listed, throughFrame ? QStringList() : kept);
            QCOMPARE(window.ui.nb_tr->caption(), expect("2", "0"));
            QCOMPARE(window.ui.ecrire->text(), expect("l", ""));
            QCOMPARE(window.ui.lg->text(), expect("5", ""));
            QCOMPARE(window.ui.theme->caption(), expect("Tiere", ""));
            QCOMPARE(window.ui.extrac_liste->isChecked(), !throughFrame);
            QCOMPARE(window.windowTitle(), expect("changed while open", "LEXA version 4.00.0001"));
        },
        Leave::Back);
}

// Renders the window with a result list and the theme list shown, for a look
// at /tmp/resulch.png, and checks that the boxes lie above the panel.
void SearchWindowTest::rendering()
{
    find(ui().contient, QStringLiteral("l"));
    search().theme_Click();
    m_window->show();
    const QImage image = m_window->grab().toImage();
    m_window->hide();
    image.save(QStringLiteral("/tmp/resulch.png"));
    for (const QWidget* box :
         {static_cast<QWidget*>(ui().ecrire), static_cast<QWidget*>(ui().List2)}) {
        const QPoint inside = box->geometry().topLeft() + QPoint(box->width() - 6, 6);
        QCOMPARE(image.pixelColor(inside), QColor(Qt::white));
    }
}

void SearchWindowTest::find(QAbstractButton* button, const QString& text)
{
    (button == ui().longueur ? ui().lg : ui().ecrire)->setText(text);
    button->click();
}

void SearchWindowTest::saveAs(const QString& path)
{
    search().runSaveDialog = [path](QFileDialog&) { return path; };
    search().Command2_Click();
}

QByteArray SearchWindowTest::read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void SearchWindowTest::dialogSettings()
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

void SearchWindowTest::emptyListSavesNothing()
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

namespace {
// A row of the saved bytes: the search that fills the list, a narrowing step.
void addBytesRow(const char* name, const QString& button, const QString& text,
                 const QString& narrowBy, const QByteArray& bytes)
{
    QTest::newRow(name) << button << text << narrowBy << bytes;
}
} // namespace

void SearchWindowTest::bytes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("narrowBy");
    QTest::addColumn<QByteArray>("expected");

    addBytesRow("one entry, blanks kept", "commence", "Ap", "", QByteArray(" Apfel \r\n"));
    addBytesRow("umlaut, list order", "contient", "l", "", QByteArray(" Apfel \r\n \xD6l \r\n"));
    addBytesRow("sharp s", "commence", "str", "",
                QByteArray(" Stra\xDF"
                           "e \r\n"));
    addBytesRow("euro sign", "commence", "€", "", QByteArray(" \x80uro \r\n"));
    addBytesRow("outside the code page", "commence", "ł", "",
                QByteArray(" ?\xF3"
                           "d? \r\n"));
    addBytesRow("length walk, bare", "longueur", "3", "", QByteArray("Zug\r\n"));
    addBytesRow("narrowed, trimmed", "contient", "l", "Ö", QByteArray("\xD6l\r\n"));
}

void SearchWindowTest::bytes()
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

void SearchWindowTest::overwrite_data()
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

void SearchWindowTest::overwrite()
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

void SearchWindowTest::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing folder") << "fehlt/liste.txt";
    QTest::newRow("a folder") << ".";
    QTest::newRow("full disk") << "/dev/full";
    QTest::newRow("read-only folder") << "gesperrt/liste.txt";
}

void SearchWindowTest::failures()
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

void SearchWindowTest::realDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void SearchWindowTest::realDialog()
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

QTEST_MAIN(SearchWindowTest)
#include "tst_searchwindow.moc"

#include "Harness.h"
#include "ui/ResulCh.h"

#include <QRadioButton>
#include <QtTest>
#include <functional>

// The search window opened from the main window: its load step, the modal
// round trip, what "Zurück" keeps and what closing through the frame drops.
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

    std::unique_ptr<Harness> m_harness;
};

void SearchWindowTest::init()
{
    m_harness = std::make_unique<Harness>();
    QVERIFY(m_harness->startWords(
        {QStringLiteral("Abend"), QStringLiteral("abends"), QStringLiteral("Haben")}));
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
    const ResulCh* window = form().searchWindow();
    QVERIFY(window != nullptr);
    QVERIFY(window->isHidden());
    QCOMPARE(window->objectName(), QStringLiteral("resul_ch"));
    QCOMPARE(window->windowTitle(), QStringLiteral("LEXA version 4.00.0001"));
    QCOMPARE(window->pos(), form().pos());
    QCOMPARE(window->size(), form().size());
    QCOMPARE(window->windowIcon().cacheKey(), form().windowIcon().cacheKey());
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
    const ResulCh* first = form().searchWindow();

    open(
        [](ResulCh& window) {
            QTest::keyClicks(window.ui.ecrire, QStringLiteral("ab"));
            QTest::mouseClick(window.ui.commence, Qt::LeftButton);
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
    QCOMPARE(m_harness->ui().Text1->text(), QStringLiteral("abends"));
    QCOMPARE(form().searchWindow() == nullptr, throughFrame);

    // The texts a window shows when it was kept, and when it was made afresh.
    const auto expect = [throughFrame](const char* kept, const char* fresh) {
        return QString::fromUtf8(throughFrame ? fresh : kept);
    };
    open(
        [&](ResulCh& window) {
            QCOMPARE(&window == first, !throughFrame);
            const QStringList kept{QStringLiteral(" Abend "), QStringLiteral(" abends ")};
            QStringList listed;
            for (int i = 0; i < window.ui.resul_cherch->entryCount(); ++i) {
                listed.append(window.ui.resul_cherch->entry(i));
            }
            QCOMPARE(listed, throughFrame ? QStringList() : kept);
            QCOMPARE(window.ui.nb_tr->caption(), expect("2", "0"));
            QCOMPARE(window.ui.ecrire->text(), expect("ab", ""));
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
    ResulCh* window = form().searchWindow();
    window->ui.ecrire->setText(QStringLiteral("a"));
    window->ui.contient->click();
    window->search().theme_Click();
    window->show();
    const QImage image = window->grab().toImage();
    window->hide();
    image.save(QStringLiteral("/tmp/resulch.png"));
    for (const QWidget* box :
         {static_cast<QWidget*>(window->ui.ecrire), static_cast<QWidget*>(window->ui.List2)}) {
        const QPoint inside = box->geometry().topLeft() + QPoint(box->width() - 6, 6);
        QCOMPARE(image.pixelColor(inside), QColor(Qt::white));
    }
}

QTEST_MAIN(SearchWindowTest)
#include "tst_searchwindow.moc"

#include "Fixtures.h"
#include "editor/Form1Ui.h"
#include "search/ResulChUi.h"
#include "widgets/German.h"

#include <QDialogButtonBox>
#include <QFontInfo>
#include <QMessageBox>
#include <QWidget>
#include <QtTest>
#include <cmath>

class LayoutTest : public QObject
{
    Q_OBJECT

    QWidget m_form1, m_resulCh;
    Form1Ui m_form1Ui;
    ResulChUi m_resulChUi;

    // The window, or its control, that the current row's tag names ("Form1/Command5").
    QWidget* tagged()
    {
        const QString tag = QString::fromUtf8(QTest::currentDataTag());
        QWidget* window = tag.startsWith(u"resul_ch") ? &m_resulCh : &m_form1;
        const QString name = tag.section(u'/', 1);
        return name.isEmpty() ? window : window->findChild<QWidget*>(name);
    }

private slots:
    void initTestCase()
    {
        m_form1Ui.setupUi(&m_form1);
        m_resulChUi.setupUi(&m_resulCh);
    }

    void windows_data()
    {
        // "comic": the list in Comic Neue.
        Fixtures::columns<QString, QString, QString>("title", "tabOrder", "comic");
        Fixtures::row("Form1", "LEXA",
                      "List1 deter Text1 pluriel syllabes image1 Dir1 File1 Command11 theme List2 "
                      "cat Command8 "
                      "Command6 Command1 Command4 Command3 Command9 Command5 Command2 Command10 "
                      "Command7 List3",
                      "List1");
        Fixtures::row("resul_ch", "lexa",
                      "resul_cherch extrac_liste Option2 commence contient termine ecrire "
                      "longueur lg theme_cherch theme Command3 List2 Command2 liste_temp imprimer "
                      "Command1",
                      "ecrire");
    }

    // Title, fonts (installed, not silently replaced by fallbacks), a fixed client size that
    // holds every control, no maximise button, and the Tab order (the order the eye reads) from
    // the first control round to it again (what a screen reader says: tests/app/tst_accessibility).
    void windows()
    {
        QFETCH(QString, title);
        QFETCH(QString, tabOrder);
        QWidget* window = tagged();
        QCOMPARE(window->objectName(), QString::fromUtf8(QTest::currentDataTag()));
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(QRect(QPoint(), window->minimumSize()).contains(window->childrenRect()));
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(QFontInfo(window->font()).family(), "Liberation Sans");
        QFETCH(QString, comic);
        QCOMPARE(QFontInfo(window->findChild<QWidget*>(comic)->font()).family(), "Comic Neue");
        QWidget* const first = window->findChild<QWidget*>(tabOrder.section(u' ', 0, 0));
        QStringList seen;
        QWidget* widget = first;
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                seen.append(widget->objectName());
            }
            widget = widget->nextInFocusChain();
        } while (widget != first);
        QCOMPARE(seen.join(u' '), tabOrder);
    }

    void captions_data()
    {
        QTest::addColumn<QString>("caption");
        for (const QWidget* window : {&m_form1, &m_resulCh}) {
            for (const PushButton* button : window->findChildren<PushButton*>()) {
                QTest::addRow("%s/%s", qPrintable(window->objectName()),
                              qPrintable(button->objectName()))
                    << button->text();
            }
        }
    }

    // Each caption fits inside its button's focus rectangle, on as many lines as the button
    // was designed for, in the fonts installed here.
    void captions()
    {
        QFETCH(QString, caption);
        const auto* button = qobject_cast<const PushButton*>(tagged());
        QVERIFY2(button->captionFits(button->captionFont()), qPrintable(caption));
    }

    void frameLines_data()
    {
        QTest::addColumn<qreal>("scale");
        for (const qreal scale : {1.0, 1.25, 1.5, 1.75}) {
            QTest::addRow("%.2f", scale) << scale;
        }
    }

    // The lines framing the fields show at every scale, not only where a logical pixel is a
    // whole number of device pixels.
    void frameLines()
    {
        QFETCH(qreal, scale);
        QImage image(m_form1.size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::black);
        m_form1.render(&image);
        for (const Line* line : m_form1.findChildren<Line*>()) {
            // Every device pixel the line touches, across it at its middle.
            const QRect pixels = QRectF(QPointF(line->mapTo(&m_form1, QPoint())) * scale,
                                        QSizeF(line->size()) * scale)
                                     .toAlignedRect();
            const bool upright = line->width() == 1;
            bool shown = false;
            for (int i = 0; i < (upright ? pixels.width() : pixels.height()); ++i) {
                const QPoint at = upright ? QPoint(pixels.left() + i, pixels.center().y())
                                          : QPoint(pixels.center().x(), pixels.top() + i);
                shown = shown || image.pixelColor(at) == line->colour();
            }
            QVERIFY2(shown, qPrintable(line->objectName()));
        }
    }

    // The fields of the current word, disabled while browsing, and the word list, disabled
    // while a word is edited, keep a readable text (its selected entry too).
    void lockedFieldsReadable()
    {
        const auto luminance = [](const QColor& c) {
            const auto channel = [](qreal v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
                   0.0722 * channel(c.blueF());
        };
        const auto readable = [&](const QPalette& p, QPalette::ColorRole fore,
                                  QPalette::ColorRole back) {
            const qreal text = luminance(p.color(QPalette::Disabled, fore));
            const qreal ground = luminance(p.color(QPalette::Disabled, back));
            return (std::max(text, ground) + 0.05) / (std::min(text, ground) + 0.05) >= 4.5;
        };
        for (const char* name :
             {"deter", "Text1", "pluriel", "syllabes", "theme", "cat", "mot_marque"}) {
            const QWidget* field = m_form1.findChild<QWidget*>(name);
            QVERIFY(!field->isEnabled());
            QVERIFY2(readable(field->palette(), field->foregroundRole(), field->backgroundRole()),
                     name);
        }
        const QPalette& list = m_form1Ui.List1->palette();
        QVERIFY(readable(list, QPalette::Text, QPalette::Base));
        QVERIFY(readable(list, QPalette::HighlightedText, QPalette::Highlight));
    }

    // Qt's own buttons and dialogs speak German whatever the locale says.
    void germanTexts()
    {
        QVERIFY(installGermanTexts(*QCoreApplication::instance()));
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
        QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"

#include "Harness.h"
#include "app/ResulCh.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QtTest>

// What a screen reader finds in both windows, walked as it walks them.
class AccessibilityTest : public QObject
{
    Q_OBJECT

    Harness h;

    // The shown interfaces below `parent`; the entries of a list are words, not controls.
    static void collect(QAccessibleInterface* parent, QList<QAccessibleInterface*>& shown)
    {
        for (int i = 0; i < parent->childCount(); ++i) {
            QAccessibleInterface* child = parent->child(i);
            if (child != nullptr && !child->state().invisible) {
                shown.append(child);
                if (child->role() != QAccessible::List) {
                    collect(child, shown);
                }
            }
        }
    }

    // Controls the user acts on; the mark is clicked with the mouse only.
    static bool actedOn(QAccessibleInterface* control)
    {
        static const QList<QAccessible::Role> roles = {
            QAccessible::PushButton, QAccessible::RadioButton, QAccessible::EditableText,
            QAccessible::List, QAccessible::Graphic};
        return control->state().focusable || roles.contains(control->role()) ||
               control->object()->objectName() == u"mot_marque";
    }

private slots:
    void initTestCase()
    {
        QVERIFY(h.start({{"Hund", "der"}, {"Katze", "die"}, {"Maus", "die"}}, {"Tiere"}, "Vogel"));
        h.form().show();
    }

    void controls_data()
    {
        // The buttons into and out of the state walked.
        Fixtures::columns<QString, QString>("open", "close");
        Fixtures::row("Form1", "", "");
        Fixtures::row("Form1 new word", "Command5", "Command9");
        Fixtures::row("Form1 modify", "Command6", "Command1");
        Fixtures::row("resul_ch", "", "");
    }

    // Every control the user can reach has a name of its own in words, a text field is
    // labelled by its caption (the search texts by the buttons beside them), and nothing
    // is read as a bare number.
    void controls()
    {
        QFETCH(QString, open);
        QFETCH(QString, close);
        QWidget* window = QTest::currentDataTag() == QByteArray("resul_ch")
                              ? static_cast<QWidget*>(h.form().searchWindow())
                              : &h.form();
        window->show();
        if (!open.isEmpty()) {
            window->findChild<PushButton*>(open)->click();
        }
        QList<QAccessibleInterface*> shown;
        collect(QAccessible::queryAccessibleInterface(window), shown);
        QStringList reached;
        for (QAccessibleInterface* control : shown) {
            const QString objectName = control->object()->objectName();
            const QString name = control->text(QAccessible::Name);
            const QByteArray what = (objectName + QStringLiteral(": \"") + name + u'"').toUtf8();
            QVERIFY2(!name.contains(QRegularExpression(QStringLiteral("^[\\d\\s.,]+$"))), what);
            if (actedOn(control)) {
                reached.append(objectName);
                QVERIFY2(name.size() >= 3 && name != objectName &&
                             name.contains(QRegularExpression(QStringLiteral("\\p{L}"))),
                         what);
                const auto labels = control->relations(QAccessible::Label);
                QVERIFY2(control->role() != QAccessible::EditableText || objectName == u"ecrire" ||
                             objectName == u"lg" ||
                             (!labels.isEmpty() &&
                              labels.first().first->text(QAccessible::Name) == name),
                         what);
            }
        }
        if (!close.isEmpty()) {
            QVERIFY(reached.contains(close));
            window->findChild<PushButton*>(close)->click();
        }
        window->hide();
        QVERIFY(reached.size() >= 13);
    }

    // A count is read as one phrase with its captions, also after it changed.
    void counts()
    {
        Label* const total = h.ui().nbre_enr;
        Label* const found = h.form().searchWindow()->ui().nb_tr;
        total->setCaption(QStringLiteral("277"));
        found->setCaption(QStringLiteral("12"));
        QCOMPARE(QAccessible::queryAccessibleInterface(total)->text(QAccessible::Name),
                 "Wörterbuch enthält 277 Wörter");
        QCOMPARE(QAccessible::queryAccessibleInterface(found)->text(QAccessible::Name),
                 "12 gefundene Wörter");
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"

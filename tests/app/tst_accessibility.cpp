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

    QWidget* window(const QString& tag)
    {
        return tag.startsWith(u"resul_ch") ? static_cast<QWidget*>(h.form().searchWindow())
                                           : &h.form();
    }

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

    static bool actedOn(QAccessibleInterface* control, const QStringList& clickable)
    {
        static const QList<QAccessible::Role> roles = {
            QAccessible::PushButton, QAccessible::RadioButton, QAccessible::EditableText,
            QAccessible::List, QAccessible::Graphic};
        return control->state().focusable || roles.contains(control->role()) ||
               clickable.contains(control->object()->objectName());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(h.start({{"Hund", "der"}, {"Katze", "die"}, {"Maus", "die"}}, {"Tiere"}, "Vogel"));
        h.form().show();
        QVERIFY(h.form().searchWindow() != nullptr);
    }

    void controls_data()
    {
        // "open" and "close": the buttons into and out of the state walked; "clickable":
        // controls clicked with the mouse only; "namedByButtons": fields whose label is the
        // caption of the buttons beside them.
        Fixtures::columns<QString, QString, QString, QString>("open", "close", "clickable",
                                                              "namedByButtons");
        Fixtures::row("Form1", "", "", "mot_marque", "");
        Fixtures::row("Form1 new word", "Command5", "Command9", "mot_marque", "");
        Fixtures::row("Form1 modify", "Command6", "Command1", "mot_marque", "");
        Fixtures::row("resul_ch", "", "", "", "ecrire lg");
    }

    // Every control the user can reach has a name of its own in words, a text field is
    // labelled by its caption, and no label is read as a bare number.
    void controls()
    {
        QFETCH(QString, open);
        QFETCH(QString, close);
        QFETCH(QString, clickable);
        QFETCH(QString, namedByButtons);
        QWidget* shownWindow = window(QString::fromUtf8(QTest::currentDataTag()));
        shownWindow->show();
        if (!open.isEmpty()) {
            shownWindow->findChild<PushButton*>(open)->click();
        }
        QList<QAccessibleInterface*> shown;
        collect(QAccessible::queryAccessibleInterface(shownWindow), shown);
        QStringList reached;
        for (QAccessibleInterface* control : shown) {
            const QString objectName = control->object()->objectName();
            const QString name = control->text(QAccessible::Name);
            const QString what = objectName + QStringLiteral(": \"") + name + u'"';
            QVERIFY2(!name.contains(QRegularExpression(QStringLiteral("^[\\d\\s.,]+$"))),
                     qPrintable(what));
            if (!actedOn(control, clickable.split(u' '))) {
                continue;
            }
            reached.append(objectName);
            QVERIFY2(name.size() >= 3 &&
                         name.contains(QRegularExpression(QStringLiteral("\\p{L}"))) &&
                         name != objectName,
                     qPrintable(what));
            if (control->role() == QAccessible::EditableText &&
                !namedByButtons.split(u' ').contains(objectName)) {
                const auto labels = control->relations(QAccessible::Label);
                QVERIFY2(!labels.isEmpty() && labels.first().first->text(QAccessible::Name) == name,
                         qPrintable(what));
            }
        }
        if (!close.isEmpty()) {
            QVERIFY(reached.contains(close));
            shownWindow->findChild<PushButton*>(close)->click();
        }
        shownWindow->hide();
        QVERIFY(reached.size() >= 13);
    }

    void counts_data()
    {
        Fixtures::columns<QString, QString>("count", "phrase");
        Fixtures::row("Form1", "nbre_enr", "Wörterbuch enthält %1 Wörter");
        Fixtures::row("resul_ch", "nb_tr", "%1 gefundene Wörter");
    }

    // A count is read as one phrase with its captions, also after it changed.
    void counts()
    {
        QFETCH(QString, count);
        QFETCH(QString, phrase);
        auto* label = window(QString::fromUtf8(QTest::currentDataTag()))->findChild<Label*>(count);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(spoken->text(QAccessible::Name), phrase.arg(label->caption()));
        label->setCaption(QStringLiteral("277"));
        QCOMPARE(spoken->text(QAccessible::Name), phrase.arg(277));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"

#include "search/ResulChUi.h"

#include "widgets/Look.h"

#include <QRadioButton>
#include <QWidget>

namespace {

using Look::twipsRect;

QFont windowFont()
{
    return Look::sansFont(8.25);
}

Label* caption(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
               const QColor& colour = Qt::black)
{
    auto* label = placeControl<Label>(parent, name, geometry, windowFont());
    label->setText(text);
    Look::setTextColour(label, colour);
    return label;
}

// A label on a white ground in a sunken frame.
void frameWhite(Label* label, Qt::Alignment alignment)
{
    label->setAlignment(alignment);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Look::setBackground(label, Look::white);
}

PushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* pushButton = placeControl<PushButton>(parent, name, geometry, windowFont());
    pushButton->setText(caption);
    return pushButton;
}

QRadioButton* option(QWidget* parent, const char* name, const QString& caption,
                     const QRect& geometry)
{
    auto* radio = placeControl<QRadioButton>(parent, name, geometry, windowFont());
    radio->setText(caption);
    Look::setBackground(radio, Look::designBackground);
    return radio;
}

} // namespace

void ResulChUi::setupUi(QWidget* resul_ch)
{
    setupWindow(resul_ch);
    setupResultList(resul_ch);
    setupPanel(resul_ch);
    setupSearchButtons();
    setupInputs(resul_ch);
    setupTabOrder();
}

void ResulChUi::setupWindow(QWidget* resul_ch)
{
    resul_ch->setObjectName(QStringLiteral("resul_ch"));
    resul_ch->setWindowTitle(QStringLiteral("lexa"));
    Look::setFixedWindowSize(resul_ch, {Look::pixels(8160), Look::pixels(6675)});
    resul_ch->setFont(windowFont());
    Look::setBackground(resul_ch, Look::designBackground);
}

void ResulChUi::setupResultList(QWidget* resul_ch)
{
    resul_cherch = placeControl<ListBox>(resul_ch, "resul_cherch", twipsRect(255, 120, 2565, 4860),
                                         Look::comicFont(11.25), true);
    QPalette palette = resul_cherch->palette();
    palette.setColor(QPalette::Base, Look::white);
    resul_cherch->setPalette(palette);
    resul_cherch->setAccessibleName(QStringLiteral("gefundene Wörter"));

    Label2 = caption(resul_ch, "Label2", QStringLiteral("gefundene Wörter"),
                     twipsRect(330, 5160, 1800, 360));
    nb_tr = caption(resul_ch, "nb_tr", QStringLiteral("0"), twipsRect(2235, 5160, 600, 285));
    frameWhite(nb_tr, Qt::AlignRight | Qt::AlignVCenter);
    nb_tr->setSpokenPhrase(QStringLiteral("%1 ") + Label2->text());

    liste_temp = placeControl<ListBox>(resul_ch, "liste_temp", twipsRect(360, 5520, 2520, 450),
                                       windowFont(), false);
    liste_temp->setAccessibleName(QStringLiteral("Zwischenliste"));
    liste_temp->hide();

    imprimer =
        button(resul_ch, "imprimer", QStringLiteral("Drucken …"), twipsRect(5640, 5640, 1095, 495));
    Command1 =
        button(resul_ch, "Command1", QStringLiteral("Zurück"), twipsRect(6840, 5640, 855, 495));
}

void ResulChUi::setupPanel(QWidget* resul_ch)
{
    SSPanel1 =
        placeControl<Panel>(resul_ch, "SSPanel1", twipsRect(2910, 120, 4695, 5430), windowFont());
    Look::setBackground(SSPanel1, Look::designBackground);

    Label1 = caption(SSPanel1, "Label1", QStringLiteral("Wörter herausnehmen"),
                     twipsRect(165, 135, 1875, 270), Look::blue);
    // Auto-exclusive radio buttons may both be unchecked until the user picks one.
    extrac_liste = option(SSPanel1, "extrac_liste", QStringLiteral("aus dieser Liste"),
                          twipsRect(150, 435, 1815, 270));
    Option2 = option(SSPanel1, "Option2", QStringLiteral("aus dem Wörterbuch"),
                     twipsRect(2085, 420, 2130, 300));
    Label5 =
        caption(SSPanel1, "Label5", QStringLiteral("Wörter nur aus dem Wörterbuch herausnehmen *"),
                twipsRect(165, 2655, 3720, 330), Look::blue);

    theme = placeControl<Label>(SSPanel1, "theme", twipsRect(2430, 2985, 2040, 390),
                                Look::comicFont(12));
    frameWhite(theme, Qt::AlignCenter);
    theme->setAccessibleName(QStringLiteral("Thema"));
    theme->setFocusPolicy(Qt::StrongFocus); // opens the theme list with Return or Space

    Label7 = caption(SSPanel1, "Label7", QStringLiteral("* nur aus dem Wörterbuch"),
                     twipsRect(165, 4230, 1875, 390), Look::blue);
    Label6 = caption(SSPanel1, "Label6", QStringLiteral("mit TXT Format"),
                     twipsRect(2220, 4875, 2205, 210));
    Label3 = caption(SSPanel1, "Label3", QString(), twipsRect(120, 5100, 4245, 240));
}

void ResulChUi::setupSearchButtons()
{
    commence = button(SSPanel1, "commence", QStringLiteral("die beginnen mit..."),
                      twipsRect(120, 720, 1935, 375));
    contient = button(SSPanel1, "contient", QStringLiteral("die enthalten..."),
                      twipsRect(120, 1080, 1935, 375));
    termine = button(SSPanel1, "termine", QStringLiteral("die sich beenden mit..."),
                     twipsRect(120, 1440, 1935, 375));
    longueur = button(SSPanel1, "longueur", QStringLiteral("mit einer Länge von..."),
                      twipsRect(120, 2040, 1935, 375));
    theme_cherch = button(SSPanel1, "theme_cherch", QStringLiteral("mit dem Thema..."),
                          twipsRect(120, 3000, 1935, 375));
    Command3 = button(SSPanel1, "Command3", QStringLiteral("die markiert sind..."),
                      twipsRect(120, 3480, 1935, 375));
    Command2 = button(SSPanel1, "Command2", QStringLiteral("Liste speichen..."),
                      twipsRect(120, 4680, 1935, 375));
}

// The input boxes and the theme list lie over the panel, beside the buttons
// they serve: created after it, they are drawn above it.
void ResulChUi::setupInputs(QWidget* resul_ch)
{
    ecrire = placeControl<TextBox>(resul_ch, "ecrire", twipsRect(5340, 1440, 1485, 510),
                                   Look::comicFont(14.25));
    ecrire->setAccessibleName(QStringLiteral("Text"));
    lg =
        placeControl<TextBox>(resul_ch, "lg", twipsRect(5355, 2310, 975, 465), Look::comicFont(12));
    lg->setAccessibleName(QStringLiteral("Länge"));
    List2 = placeControl<ListBox>(resul_ch, "List2", twipsRect(5340, 3735, 2190, 1230),
                                  windowFont(), false);
    List2->setAccessibleName(QStringLiteral("Themen"));
    List2->hide();
}

// Tab goes as the eye reads: the result list, then the panel row by row
// with the input beside its buttons, "Drucken …" and "Zurück" last.
void ResulChUi::setupTabOrder()
{
    QWidget* const order[] = {resul_cherch, extrac_liste, Option2,  commence, contient,
                              termine,      ecrire,       longueur, lg,       theme_cherch,
                              theme,        Command3,     List2,    Command2, liste_temp,
                              imprimer,     Command1};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

#pragma once

#include "widgets/Widgets.h"

#include <QRadioButton>

class QWidget;

// The controls of the search window, named as the window's logic knows them.
class ResulChUi
{
public:
    void setupUi(QWidget* resul_ch);

    ListBox* resul_cherch = nullptr;
    Label* Label2 = nullptr;
    Label* nb_tr = nullptr;
    ListBox* liste_temp = nullptr;
    PushButton* Command1 = nullptr;
    PushButton* imprimer = nullptr;

    Panel* SSPanel1 = nullptr;
    Label* Label1 = nullptr;
    QRadioButton* extrac_liste = nullptr;
    QRadioButton* Option2 = nullptr;
    PushButton* commence = nullptr;
    PushButton* contient = nullptr;
    PushButton* termine = nullptr;
    PushButton* longueur = nullptr;
    Label* Label5 = nullptr;
    PushButton* theme_cherch = nullptr;
    Label* theme = nullptr;
    PushButton* Command3 = nullptr;
    Label* Label7 = nullptr;
    PushButton* Command2 = nullptr;
    Label* Label6 = nullptr;
    Label* Label3 = nullptr;

    TextBox* ecrire = nullptr;
    TextBox* lg = nullptr;
    ListBox* List2 = nullptr;

private:
    void setupWindow(QWidget* resul_ch);
    void setupResultList(QWidget* resul_ch);
    void setupPanel(QWidget* resul_ch);
    void setupSearchButtons();
    void setupInputs(QWidget* resul_ch);
    void setupTabOrder();
};

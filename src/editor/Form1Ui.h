#pragma once

#include "widgets/Widgets.h"

class QWidget;

// The controls of the main window, named as the window's logic knows them.
class Form1Ui
{
public:
    void setupUi(QWidget* Form1);

    Panel* fond = nullptr;
    WordList* List1 = nullptr;
    ListBox* List2 = nullptr;
    ListBox* List3 = nullptr;

    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label5 = nullptr;
    Label* Label6 = nullptr;
    Label* Label7 = nullptr;
    Label* Label8 = nullptr;
    Label* Label9 = nullptr;
    Label* Label10 = nullptr;
    Label* Label11 = nullptr;
    Label* nbre_enr = nullptr;
    Label* mot_marque = nullptr;
    Label* mot_cour = nullptr;
    Label* theme_cour = nullptr;

    TextBox* deter = nullptr;
    TextBox* Text1 = nullptr;
    TextBox* theme = nullptr;
    TextBox* cat = nullptr;
    TextBox* pluriel = nullptr;
    TextBox* syllabes = nullptr;

    PictureBox* image1 = nullptr;
    PictureBox* sauve_ico = nullptr;
    ImageBox* Image4 = nullptr;
    DirListBox* Dir1 = nullptr;
    FileListBox* File1 = nullptr;

    PushButton* Command1 = nullptr;
    PushButton* Command2 = nullptr;
    PushButton* Command3 = nullptr;
    PushButton* Command4 = nullptr;
    PushButton* Command5 = nullptr;
    PushButton* Command6 = nullptr;
    PushButton* Command7 = nullptr;
    PushButton* Command8 = nullptr;
    PushButton* Command9 = nullptr;
    PushButton* Command10 = nullptr;
    PushButton* Command11 = nullptr;

    Line* Line1 = nullptr;
    Line* Line2 = nullptr;
    Line* Line3 = nullptr;
    Line* Line4 = nullptr;

private:
    void setupWindow(QWidget* Form1);
    void setupWordList(QWidget* Form1);
    void setupFields();
    void setupPickers();
    void setupFrame();
    void setupButtons();
    void setupHidden();
    void setupTabOrder();
};

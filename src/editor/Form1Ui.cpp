#include "editor/Form1Ui.h"

#include "widgets/Look.h"

#include <QWidget>

namespace {

using Look::twipsPoint;
using Look::twipsRect;

QFont windowFont()
{
    return Look::sansFont(8.25, true);
}

QFont captionFont()
{
    return Look::sansFont(8.25);
}

// A caption in red on the panel's background.
Label* redLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* label = placeControl<Label>(parent, name, geometry, captionFont());
    label->setText(caption);
    Look::setTextColour(label, Look::red);
    return label;
}

// A field of the current word, named for a screen reader by its label and
// tied to it ("labelled by").
TextBox* fieldBox(QWidget* parent, const char* name, const QString& field, const QRect& geometry,
                  const QFont& font, Label* label)
{
    auto* box = placeControl<TextBox>(parent, name, geometry, font);
    box->setAccessibleName(label->text());
    label->setBuddy(box);
    box->setDataField(field);
    box->setEnabled(false);
    return box;
}

PushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                   bool shown)
{
    auto* pushButton = placeControl<PushButton>(parent, name, geometry, windowFont());
    pushButton->setText(caption);
    pushButton->setVisible(shown);
    return pushButton;
}

Line* line(QWidget* parent, const char* name, const QPoint& from, const QPoint& to,
           const QColor& colour)
{
    auto* frameLine = new Line(parent);
    frameLine->setObjectName(QString::fromLatin1(name));
    frameLine->setLine(from, to);
    frameLine->setColour(colour);
    frameLine->lower();
    return frameLine;
}

} // namespace

void Form1Ui::setupUi(QWidget* Form1)
{
    setupWindow(Form1);
    setupWordList(Form1);
    setupFields();
    setupPickers();
    setupFrame();
    setupButtons();
    setupHidden();
    setupTabOrder();
}

void Form1Ui::setupWindow(QWidget* Form1)
{
    Form1->setObjectName(QStringLiteral("Form1"));
    Form1->setWindowTitle(QStringLiteral("LEXA"));
    Look::setFixedWindowSize(Form1, {Look::pixels(7830), Look::pixels(6300)});
    Form1->setFont(windowFont());
    Form1->setWindowIcon(Look::applicationIcon());
    Look::setBackground(Form1, Look::designBackground);

    fond = placeControl<Panel>(Form1, "fond", twipsRect(45, 45, 7650, 6210), windowFont());
    Look::setBackground(fond, Look::designBackground);
}

void Form1Ui::setupWordList(QWidget* Form1)
{
    List3 =
        placeControl<ListBox>(Form1, "List3", twipsRect(8160, 4890, 690, 1005), windowFont(), true);
    List3->setAccessibleName(QStringLiteral("Importliste"));
    List3->hide();

    List1 =
        placeControl<WordList>(fond, "List1", twipsRect(135, 60, 2535, 4890), Look::comicFont(12));
    List1->setAccessibleName(QStringLiteral("Wörterbuch"));

    Label6 = redLabel(fond, "Label6", QStringLiteral("Wörterbuch enthält"),
                      twipsRect(810, 4995, 1740, 240));
    Label6->setAlignment(Qt::AlignRight | Qt::AlignTop);

    nbre_enr =
        placeControl<Label>(fond, "nbre_enr", twipsRect(1320, 5250, 555, 270), captionFont());
    nbre_enr->setText(QStringLiteral("1000"));
    nbre_enr->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Label7 = redLabel(fond, "Label7", QStringLiteral("Wörter"), twipsRect(2040, 5235, 615, 240));
    // The count is read as the sentence the three labels make.
    nbre_enr->setSpokenPhrase(Label6->text() + QStringLiteral(" %1 ") + Label7->text());
}

void Form1Ui::setupFields()
{
    Label1 = redLabel(fond, "Label1", QStringLiteral("Artikel"), twipsRect(2970, 45, 600, 240));
    deter = fieldBox(fond, "deter", QStringLiteral("determinant"), twipsRect(2970, 270, 555, 465),
                     Look::comicFont(12), Label1);
    Label2 = redLabel(fond, "Label2", QStringLiteral("Wort"), twipsRect(3690, 45, 690, 240));
    Text1 = fieldBox(fond, "Text1", QStringLiteral("mot"), twipsRect(3645, 270, 2445, 465),
                     Look::comicFont(12), Label2);
    // The plural and the syllables, edited like the article, under the word.
    Label10 =
        redLabel(fond, "Label10", QStringLiteral("Mehrzahl"), twipsRect(2970, 870, 1095, 240));
    pluriel = fieldBox(fond, "pluriel", QStringLiteral("pluriel"), twipsRect(2970, 1095, 2670, 465),
                       Look::comicFont(12), Label10);
    Label11 = redLabel(fond, "Label11", QStringLiteral("Silben"), twipsRect(2970, 1650, 1095, 240));
    syllabes = fieldBox(fond, "syllabes", QStringLiteral("syllabes"),
                        twipsRect(2970, 1875, 2670, 465), Look::comicFont(12), Label11);
    Label5 = redLabel(fond, "Label5", QStringLiteral("Icon"), twipsRect(6165, 30, 690, 240));

    image1 = placeControl<PictureBox>(fond, "image1", twipsRect(6150, 225, 555, 555), windowFont());
    image1->setDataField(QStringLiteral("icone integree"));
    image1->setDragSource(true);
    image1->setEnabled(false);
    image1->setFocusPolicy(Qt::StrongFocus);
    image1->setAccessibleName(Label5->text());
    Label5->setBuddy(image1);
    Look::setWindowColourBackground(image1);

    Image4 = placeControl<ImageBox>(fond, "Image4", twipsRect(6915, 270, 480, 480), windowFont());
    Image4->setPixmap(Look::wasteBinIcon(32));
    Image4->setAccessibleName(QStringLiteral("Papierkorb"));

    Label3 = redLabel(fond, "Label3", QStringLiteral("Thema"), twipsRect(2970, 2475, 690, 240));
    theme = fieldBox(fond, "theme", QStringLiteral("theme"), twipsRect(2970, 2790, 3795, 375),
                     windowFont(), Label3);
    Label9 =
        redLabel(fond, "Label9", QStringLiteral("Markierung"), twipsRect(4035, 2475, 930, 240));

    mot_marque = placeControl<Label>(fond, "mot_marque", twipsRect(4905, 2445, 345, 285),
                                     Look::sansFont(9.75));
    mot_marque->setText(QStringLiteral("N"));
    mot_marque->setDataField(QStringLiteral("mot marque"));
    mot_marque->setAlignment(Qt::AlignCenter);
    mot_marque->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    mot_marque->setEnabled(false);
    mot_marque->setAccessibleName(Label9->text());
    Label9->setBuddy(mot_marque);
    Look::setWindowColourBackground(mot_marque);
    Look::keepReadableWhenDisabled(mot_marque);

    Label8 = redLabel(fond, "Label8", QStringLiteral("Frequenz"), twipsRect(2970, 4275, 1095, 285));
    cat = fieldBox(fond, "cat", QStringLiteral("categorie"), twipsRect(2970, 4545, 1095, 375),
                   captionFont(), Label8);
}

void Form1Ui::setupPickers()
{
    Dir1 = placeControl<DirListBox>(fond, "Dir1", twipsRect(5760, 810, 1695, 930), windowFont());
    Dir1->setAccessibleName(QStringLiteral("Ordner"));
    Dir1->hide();

    File1 =
        placeControl<FileListBox>(fond, "File1", twipsRect(5865, 1755, 1590, 1005), windowFont());
    File1->setPattern(QStringLiteral("*.ico"));
    File1->setAccessibleName(QStringLiteral("Icon-Dateien"));
    File1->hide();

    List2 =
        placeControl<ListBox>(fond, "List2", twipsRect(2985, 3285, 1905, 1005), windowFont(), true);
    List2->setAccessibleName(QStringLiteral("Themen"));
    List2->hide();
}

// The sunken frame around the fields: grey at top and left, white at bottom
// and right.
void Form1Ui::setupFrame()
{
    Line1 = line(fond, "Line1", twipsPoint(2745, 60), twipsPoint(2745, 5200), Look::grey);
    Line2 = line(fond, "Line2", twipsPoint(2745, 60), twipsPoint(7650, 60), Look::grey);
    Line3 = line(fond, "Line3", twipsPoint(2745, 5200), twipsPoint(7640, 5200), Look::white);
    Line4 = line(fond, "Line4", twipsPoint(7620, 60), twipsPoint(7620, 5200), Look::white);
}

void Form1Ui::setupButtons()
{
    Command11 =
        button(fond, "Command11", QStringLiteral("raz"), twipsRect(5280, 2400, 375, 375), true);
    Command6 = button(fond, "Command6", QStringLiteral("Wort ändern"),
                      twipsRect(6240, 3600, 1095, 495), true);
    Command3 = button(fond, "Command3", QStringLiteral("Wort löschen"),
                      twipsRect(6240, 4080, 1095, 495), true);
    Command5 = button(fond, "Command5", QStringLiteral("Neues Wort"),
                      twipsRect(6240, 4560, 1095, 495), true);
    Command8 = button(fond, "Command8", QStringLiteral("Änderung beifügen"),
                      twipsRect(5400, 3360, 1935, 495), false);
    Command1 = button(fond, "Command1", QStringLiteral("Änderung abbrechen"),
                      twipsRect(5400, 3840, 1935, 495), false);
    Command4 = button(fond, "Command4", QStringLiteral("Änderung beifügen"),
                      twipsRect(5400, 3960, 1935, 495), false);
    Command9 = button(fond, "Command9", QStringLiteral("Abbruch"), twipsRect(5400, 4440, 1935, 495),
                      false);
    Command2 = button(fond, "Command2", QStringLiteral("Wörter aus dem Wörterbuch herausnehmen"),
                      twipsRect(120, 5520, 2535, 615), true);
    Command10 =
        button(fond, "Command10", QStringLiteral("Datei \"listemot.txt\" dem Wörterbuch beifügen"),
               twipsRect(3000, 5520, 2655, 615), false);
    Command7 =
        button(fond, "Command7", QStringLiteral("Beenden"), twipsRect(6240, 5520, 1095, 615), true);
}

// Controls that carry data for the window's logic and are never shown.
void Form1Ui::setupHidden()
{
    sauve_ico =
        placeControl<PictureBox>(fond, "sauve_ico", twipsRect(6600, 75, 420, 510), windowFont());
    sauve_ico->hide();

    mot_cour = placeControl<Label>(fond, "mot_cour", twipsRect(3885, 5955, 675, 225), windowFont());
    mot_cour->setDataField(QStringLiteral("mot"));
    mot_cour->hide();

    theme_cour =
        placeControl<Label>(fond, "theme_cour", twipsRect(5715, 5310, 465, 315), windowFont());
    theme_cour->setText(QStringLiteral("Label4"));
    theme_cour->setDataField(QStringLiteral("theme"));
    theme_cour->hide();
}

// Tab goes as the eye reads: the word list, the fields top to bottom, the
// command buttons beside them, the bottom row.
void Form1Ui::setupTabOrder()
{
    QWidget* const order[] = {List1,    deter,    Text1,     pluriel,  syllabes, image1,
                              Dir1,     File1,    Command11, theme,    List2,    cat,
                              Command8, Command6, Command1,  Command4, Command3, Command9,
                              Command5, Command2, Command10, Command7, List3};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

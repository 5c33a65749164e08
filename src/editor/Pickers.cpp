// Marks, themes and icons: the pickers of the main window and "raz".
#include "data/Exchange.h"
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "widgets/MessageBox.h"
#include "widgets/ScreenPointer.h"
#include "widgets/Widgets.h"

#include <QDir>
#include <QFile>

namespace {

// Shows the pickers asked for, each without a highlighted entry so that any
// entry can be chosen at once. The focus goes to the control clicked first:
// left in a picker that goes away, it would move on to the next field and
// select its text for the next key to overwrite.
void showPickers(Form1Ui& ui, QWidget* clicked, bool themes, bool icons)
{
    clicked->setFocus(Qt::MouseFocusReason);
    if (themes) {
        ui.List2->setListIndex(-1);
    }
    if (icons) {
        ui.File1->clearSelection();
        ui.File1->setCurrentItem(nullptr);
    }
    ui.List2->setVisible(themes);
    ui.Dir1->setVisible(icons);
    ui.File1->setVisible(icons);
}

} // namespace

void Editor::Text1_Click()
{
    showPickers(ui, ui.Text1, false, false);
}

void Editor::deter_Click()
{
    showPickers(ui, ui.deter, false, false);
}

void Editor::theme_Click()
{
    showPickers(ui, ui.theme, true, false);
}

void Editor::image1_Click()
{
    showPickers(ui, ui.image1, false, true);
}

void Editor::List2_Click()
{
    const int index = ui.List2->listIndex();
    if (index >= 0) {
        ui.theme->setText(ui.theme->text() + ui.List2->entry(index));
    }
}

void Editor::Dir1_Change()
{
    ui.File1->setPath(ui.Dir1->path());
    QDir::setCurrent(ui.Dir1->path());
}

void Editor::File1_Click()
{
    const QString name = ui.File1->fileName();
    if (name.isEmpty()) {
        return;
    }
    QDir::setCurrent(ui.Dir1->path());
    QFile file(name);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() <= Exchange::PictureMaxBytes) {
        bytes = file.readAll();
    }
    if (!PictureBox::isReadablePicture(bytes)) {
        MessageBox::show(m_form,
                         QStringLiteral("Die Datei \"%1\" ist kein lesbares Bild.").arg(name),
                         QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Warning);
        return;
    }
    ui.image1->setPicture(bytes);
    storeBrowsing(&Dictionary::setIcon);
}

void Editor::Image4_Click()
{
    ui.image1->setPicture({});
    storeBrowsing(&Dictionary::setIcon);
}

void Editor::Image4_DragDrop(QWidget* Source, double X, double Y)
{
    Q_UNUSED(X)
    Q_UNUSED(Y)
    if (auto* picture = qobject_cast<PictureBox*>(Source)) {
        picture->setPicture({});
        storeBrowsing(&Dictionary::setIcon);
    }
}

void Editor::mot_marque_Click()
{
    ui.mot_marque->setCaption(ui.mot_marque->caption() == QLatin1String("O") ? QStringLiteral("N")
                                                                             : QStringLiteral("O"));
    storeBrowsing(&Dictionary::markWord);
}

void Editor::Command11_Click()
{
    if (MessageBox::show(m_form, QStringLiteral("Markierung desaktivieren?"),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    setScreenPointer(Pointer::Hourglass);
    const Result cleared = m_dictionary.clearMarks();
    setScreenPointer(Pointer::Arrow);
    checkStore(cleared);
    highlightShownWord();
}

#pragma once

// The controls both windows are built from.
#include "widgets/DirListBox.h"
#include "widgets/FileListBox.h"
#include "widgets/ImageBox.h"
#include "widgets/Label.h"
#include "widgets/Line.h"
#include "widgets/ListBox.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"
#include "widgets/PushButton.h"
#include "widgets/TextBox.h"
#include "widgets/WordList.h"

#include <QFont>
#include <QRect>
#include <utility>

// Creates a control in its container with its name, place and font; the
// arguments go to the control's constructor before the parent.
template <typename Control, typename... Args>
Control* placeControl(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                      Args&&... args)
{
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    control->setFont(font);
    return control;
}

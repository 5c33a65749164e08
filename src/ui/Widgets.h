#pragma once

// The controls both windows are built from.
#include "ui/DirListBox.h"
#include "ui/FileListBox.h"
#include "ui/ImageBox.h"
#include "ui/Label.h"
#include "ui/Line.h"
#include "ui/ListBox.h"
#include "ui/Panel.h"
#include "ui/PictureBox.h"
#include "ui/PushButton.h"
#include "ui/TextBox.h"

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

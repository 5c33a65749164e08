#include "widgets/ScreenPointer.h"

#include <QApplication>
#include <QCursor>

namespace {
// Whether the override cursor on top of QApplication's stack is ours.
bool overrideActive = false;
} // namespace

void setScreenPointer(Pointer pointer)
{
    if (pointer == Pointer::Default) {
        if (overrideActive) {
            QApplication::restoreOverrideCursor();
            overrideActive = false;
        }
        return;
    }
    const QCursor cursor(pointer == Pointer::Hourglass ? Qt::WaitCursor : Qt::ArrowCursor);
    if (overrideActive) {
        QApplication::changeOverrideCursor(cursor);
    } else {
        QApplication::setOverrideCursor(cursor);
        overrideActive = true;
    }
}

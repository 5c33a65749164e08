#include "widgets/TextBox.h"

#include "widgets/Look.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
constexpr int backspaceCode = 8;

// The character code a key press types, or -1 for keys that type nothing
// (moves, function keys, shortcuts).
int typedCharacter(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backspace) {
        return backspaceCode;
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return -1;
    }
    const int code = text.front().unicode();
    return code >= 0x20 && code != 0x7F ? code : -1;
}
} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // The fields of the current word are disabled while browsing, and read.
    Look::keepReadableWhenDisabled(this);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_loading) {
            markBoundChanged();
        }
    });
}

void TextBox::loadBoundValue(const QVariant& value)
{
    // Laying out a text is the dearest part of moving through the records:
    // a value already shown is left alone.
    const QString loaded = value.isNull() ? QString() : value.toString();
    if (loaded != text()) {
        m_loading = true;
        setText(loaded);
        m_loading = false;
    }
    clearBoundChanged();
}

QVariant TextBox::boundValue() const
{
    return text().isEmpty() ? QVariant() : QVariant(text());
}

void TextBox::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (isEnabled()) {
        emit Click();
    }
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const int typed = typedCharacter(*event);
    if (m_keyPressHandler && typed >= 0) {
        int keyAscii = typed;
        m_keyPressHandler(keyAscii);
        if (keyAscii == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

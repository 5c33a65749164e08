#pragma once

#include "data/BoundControl.h"

#include <QLineEdit>
#include <functional>

// A one-line text field, optionally bound to a record field. Every change of
// its text, typed or set by the program, marks it changed; a value loaded
// from the record does not.
class TextBox : public QLineEdit, public BoundControlBase
{
    Q_OBJECT

public:
    // Called with the code of each typed character (Backspace as 8) before the
    // field sees it; setting the code to 0 discards the key.
    using KeyPressHandler = std::function<void(int& keyAscii)>;

    explicit TextBox(QWidget* parent = nullptr);

    void setKeyPressHandler(KeyPressHandler handler) { m_keyPressHandler = std::move(handler); }

    void loadBoundValue(const QVariant& value) override;
    QVariant boundValue() const override;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_loading = false;
    KeyPressHandler m_keyPressHandler;
};

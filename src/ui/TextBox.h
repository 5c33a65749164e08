#pragma once

#include "data/BoundControl.h"

#include <QLineEdit>
#include <functional>

// A one-line text field, optionally bound to a record field. Every change of
// its text, typed or set by the program, marks it changed; a value loaded
// from the record does not.
class TextBox : public QLineEdit, public BoundControl
{
    Q_OBJECT

public:
    // Called with the code of each typed character (Backspace as 8) before the
    // field sees it; setting the code to 0 discards the key.
    using KeyPressHandler = std::function<void(int& keyAscii)>;

    explicit TextBox(QWidget* parent = nullptr);

    // The record field shown; empty when the box is not bound.
    void setDataField(const QString& field) { m_dataField = field; }
    void setKeyPressHandler(KeyPressHandler handler) { m_keyPressHandler = std::move(handler); }

    QString dataField() const override { return m_dataField; }
    void loadBoundValue(const QVariant& value) override;
    QVariant boundValue() const override;
    bool isBoundChanged() const override { return m_changed; }
    void clearBoundChanged() override { m_changed = false; }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_dataField;
    bool m_changed = false;
    bool m_loading = false;
    KeyPressHandler m_keyPressHandler;
};

#pragma once

#include "data/BoundControl.h"

#include <QLabel>

// A caption, optionally bound to a record field. Captions are plain text,
// wrapped at word boundaries within the label.
class Label : public QLabel, public BoundControlBase
{
    Q_OBJECT

public:
    explicit Label(QWidget* parent = nullptr);

    // Sets the caption and marks the label changed.
    void setCaption(const QString& caption);
    QString caption() const { return text(); }

    // What a screen reader says for the label: `phrase` with %1 replaced by
    // the caption, kept in step with it ("Wörterbuch enthält %1 Wörter").
    void setSpokenPhrase(const QString& phrase);

    void loadBoundValue(const QVariant& value) override;
    QVariant boundValue() const override;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // A label that takes the focus is clicked with Return or Space, and shows
    // the focus with a dotted frame.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setShownText(const QString& text);

    QString m_spokenPhrase;
};

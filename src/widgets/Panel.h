#pragma once

#include <QFrame>

// A plain container: its background colour and nothing else.
class Panel : public QFrame
{
    Q_OBJECT

public:
    explicit Panel(QWidget* parent = nullptr);
};

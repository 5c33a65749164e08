#pragma once

#include <QList>
#include <QString>

// The dictionary's operations with their undo steps, each against its floor.
namespace UndoBench {

struct Timed
{
    QString operation;
    double lexa = 0;
    double floor = 0;
    double maxRatio = 0;
};

// `words5000`: a dictionary with listemot.txt; `largest`: 32,767 words with icons.
QList<Timed> measure(const QString& words5000, const QString& largest);

} // namespace UndoBench

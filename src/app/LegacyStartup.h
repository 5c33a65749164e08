#pragma once

class QString;
class QWidget;

// Before the dictionary is opened: when "LEXA.MDB" or "THEME.MDB" in
// `folder` is still an Access file, asks whether to convert it and does so.
// Returns true when start-up can go on (nothing to convert, or converted),
// false when LEXA must end (the user declined, or the conversion failed;
// both leave the files untouched).
bool offerLegacyConversion(QWidget* parent, const QString& folder);

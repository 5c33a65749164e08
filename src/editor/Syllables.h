#pragma once

#include <QString>

// Suggests how a German word splits into syllables, from the hyphenation
// patterns Debian installs (/usr/share/hyphen/hyph_de_DE.dic): "Schmetterling"
// gives "Schmet-ter-ling", "Abend" "A-bend". Each run of letters is split
// on its own, everything else is kept. Empty when there is no suggestion:
// the patterns are not installed, or the word holds a letter they cannot
// hold.
QString suggestSyllables(const QString& word);

// Starts reading the patterns on a thread of their own (it takes seconds),
// so that the first suggestion does not keep the window waiting; the first
// suggestion waits only for what is left of it.
void prepareSyllables();

#pragma once

class Form1;
class QString;
class ResulCh;

// "Drucken …" in the main window (the word list's context menu and Strg+P)
// for the whole dictionary or its marked words, and in the search window
// (its button and Strg+P) for the list found.
void addPrintEntry(Form1& form);
void addPrintEntry(ResulCh& window, const QString& folder);

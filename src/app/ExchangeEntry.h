#pragma once

class Form1;

// "Exportieren …" and "Importieren …" in the main window's word list
// context menu, beside "Drucken …": the dictionary as a CSV file for other
// programs, and such a file's words into the dictionary.
void addExchangeEntries(Form1& form);

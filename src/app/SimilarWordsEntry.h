#pragma once

class Form1;

// Adds "Ähnliche Wörter suchen …" to the context menu of the word list: it
// opens the window of near words, whose double click shows a word in the
// main window as a click in the word list does.
void addSimilarWordsEntry(Form1& form);

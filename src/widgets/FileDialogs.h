#pragma once

class QFileDialog;

// Lets `dialog` show files by their names and kinds alone, before it first
// lists a folder. Qt's own icons and type names read the first bytes of a
// file whose name says nothing, such as LEXA.MDB-shm beside the dictionary:
// closing that descriptor again drops every lock SQLite holds on the file in
// this process, and another program may then rebuild it under LEXA.
void showByNameOnly(QFileDialog& dialog);

class QString;

// Shows `dialog` modally: the chosen file's full path, or an empty text when
// the user cancelled. Tests answer it through the seam below instead.
QString runFileDialog(QFileDialog& dialog);
// Testing seam: the next dialog run above is not shown but answered with
// `path` (empty: cancelled).
void setNextFileDialogAnswer(const QString& path);

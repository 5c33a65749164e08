#pragma once

class QFileDialog;

// Lets `dialog` show files by their names and kinds alone, before it first
// lists a folder. Qt's own icons and type names read the first bytes of a
// file whose name says nothing, such as LEXA.MDB-shm beside the dictionary:
// closing that descriptor again drops every lock SQLite holds on the file in
// this process, and another program may then rebuild it under LEXA.
void showByNameOnly(QFileDialog& dialog);

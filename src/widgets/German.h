#pragma once

class QCoreApplication;

// Makes Qt's own texts German whatever the user's locale: the buttons of
// question boxes, the file dialogs, the command-line help. Loads Qt's German
// translations into the application and makes German the default locale.
// False when the translations are not installed (the texts stay English).
bool installGermanTexts(QCoreApplication& app);

#pragma once

class Form1;

// Ends the program as closing the main window does, which stores what the
// fields hold for the word shown, on SIGTERM, SIGINT or SIGHUP; stores it
// too when the desktop session asks for the program's data before logout.
void closeOnSessionEnd(Form1& mainWindow);

#pragma once

#include <string>

// Readies the application object: its name (the title of message boxes; never a display
// name, which Qt would add to every caption), the screen's resolution and the message box.
void SetUpApplication();

// The program's run once the application object exists: the main window first, then
// the global settings from the tables in dataDirectory, then the event loop. Returns
// the exit code; 1 when the settings cannot be loaded (the window is then never shown).
int RunProgram(const std::string& dataDirectory);

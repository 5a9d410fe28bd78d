#pragma once

// Shows operator messages and errors in a modal message box with an OK button.
// Messages are the program's Windows-1252 text, turned into Qt's here.
void InstallMessageBox();

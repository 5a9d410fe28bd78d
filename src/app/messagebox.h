#pragma once

// Shows operator messages and errors in a modal message box with an OK button.
void InstallMessageBox();

// The command-line mode "--render-label BARCODE FILE.png": draws the label that
// Print sends for the item with that barcode, with the settings of the data
// directory's tables, into a PNG at the printer's resolution (one pixel a dot).
// It opens no window and needs no display; errors go to standard error.
#pragma once

#include <string>

inline constexpr char kRenderLabelOption[] = "--render-label";

// Renders the label; throws the error that stops it.
void RenderLabel(const std::string& dataDirectory, const std::string& barcode, const std::string& fileName);

// The mode's run from the program's arguments (argv[1] is the option): 0 when the
// file is written, 1 after an error, 2 for wrong arguments.
int RenderLabelMain(int argc, char** argv, const std::string& dataDirectory);

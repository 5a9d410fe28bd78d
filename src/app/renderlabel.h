// The command-line mode "--render-label BARCODE FILE.png": draws the label that
// --print-label sends for the item with that barcode, with the settings of the data
// directory's tables, into a PNG at the printer's resolution (one pixel a dot).
// It opens no window and needs no display.
#pragma once

#include <string>
#include <vector>

// Renders the label; throws the error that stops it.
void RenderLabel(const std::string& dataDirectory, const std::string& barcode, const std::string& fileName);

// The mode's row of the command-line table: the arguments after its name.
int RenderLabelMode(const std::vector<std::string>& arguments, const std::string& dataDirectory);

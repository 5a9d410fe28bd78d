// The items of one data directory's store copied into another's, whichever each is
// (table files or a server): moving a shop onto a server, or a backup back to files.
#pragma once

#include <string>

// Copies every item of FROM's item table into TO's in one write transaction, so the
// target ends with all of them or is left as it was. A target holding items is refused
// unless replace, which empties it in that same transaction. Returns the count copied.
int CopyItems(const std::string& from, const std::string& to, bool replace);

#pragma once
// What the window takes from whoever makes it: the desktop services that tests replace with
// recorders, and two timings.

#include "search/seams.h"
#include "web/seams.h"

namespace kestrix {

struct Services {
    MessageBoxes* messages = nullptr; // QMessageBox when null
    DocumentOpener* opener = nullptr; // the desktop's default programs when null
    int timeoutms = transfertimeoutms;
    double searchpause = 2; // seconds after a search that fetched its result page
};

} // namespace kestrix

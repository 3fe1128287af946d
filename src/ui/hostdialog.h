#pragma once
// The dialog in which the user names the server host once: it is kept for later runs
// (web/hostsetting.h) and becomes the host of this run, unless the environment names one.

class QWidget;

namespace kestrix {

class MessageBoxes;

// Asks until the text reads as a host or the user cancels; a problem is told in a message.
// True when the host in effect is then a real one, not the placeholder.
bool askforhost(QWidget* parent, MessageBoxes& messages);

} // namespace kestrix

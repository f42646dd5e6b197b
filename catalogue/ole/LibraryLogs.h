#pragma once

namespace catalogue {

// Silences GLib's log handlers and its printerr for the whole process.
// libgsf logs under its own domains and under GLib's default one, a damaged
// file makes GObject and GLib complain too, and its ZIP reader prints what
// it finds wrong straight to stderr; the readers report every damage
// themselves, so none of that may reach the user's terminal or the command
// line's stderr. It also quiets what Qt's GLib event dispatcher would log:
// each program's main calls it once, on purpose, before any document is
// read.
void QuietLibraryLogs();

}  // namespace catalogue

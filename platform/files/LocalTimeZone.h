#pragma once

namespace platform {

// When TZ is not set, sets it to ":/etc/localtime", the file the C library
// reads the local zone from without it: the zone is the same for every
// reader of it (the C library, Qt, GLib), but GLib then keeps it, where it
// otherwise reads where /etc/localtime points each time libgsf dates a
// compound file (three system calls a document). A TZ that is set stays.
// Call first thing in main, before any thread starts: it changes the
// environment.
void NameLocalTimeZoneFile();

}  // namespace platform

// The diagnostic log "logfile.txt" and the way a program ends on bad input.
//
// log1 is the stream every stage writes its diagnostic lines to; it is null
// until otevri_log() succeeds. ukonci_chybou() prints one message on standard
// error, closes the log and ends the process with status 1; library code uses
// it only where the input makes going on impossible.
#pragma once

#include <cstdio>

extern std::FILE* log1;

// Opens "logfile.txt" with mode "w" in the working directory and writes
// "spusteno\n". Returns false (log1 stays null) when the file cannot be made.
bool otevri_log();

// Closes the log if it is open; log1 becomes null.
void zavri_log();

// fprintf to the log, doing nothing while no log is open.
void zapis_log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints the formatted message and a line end on standard error, closes the
// log and calls exit(1).
[[noreturn]] void ukonci_chybou(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

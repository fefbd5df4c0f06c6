// The diagnostic log "logfile.txt".
//
// log1 is the stream every stage writes its diagnostic lines to; it is null
// until otevri_log() succeeds.
#pragma once

#include <cstdio>
#include <string>

extern std::FILE* log1;

// Opens "logfile.txt" for writing in the working directory, emptied, and
// writes "spusteno\n". Returns false (log1 stays null, and *problem says
// why, naming the file) when the file cannot be made, or when something
// that is not a regular file has its name (that is left as it is).
bool otevri_log(std::string* problem = nullptr);

// Closes the log if it is open; log1 becomes null.
void zavri_log();

// A problem the program goes on after: text + dodatek on standard error in
// the one message form (common/messages.h), "warning: " + text in the log.
void varuj(const std::string& text, const std::string& dodatek = "");

// fprintf to the log, doing nothing while no log is open.
void zapis_log(const char* format, ...) __attribute__((format(printf, 1, 2)));

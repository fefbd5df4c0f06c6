// Messages on standard error, all in one form:
//
//   program: subject: problem
//
// where the subject is the file the problem is about (or, where there is no
// file, the part of the set-up: "display", "turntable axis", "instruction
// pool"). Library code does not end the process: it returns false with a
// text "subject: problem" made by zprava(); main hands that text to ohlas()
// and picks the exit status. Warnings, after which the program goes on, take
// the same road.
#pragma once

#include <string>

// The name every message starts with; set once by main.
void nastav_jmeno_programu(const char* jmeno);

// "subject: problem".
std::string zprava(const std::string& predmet, const std::string& problem);

// Flushes standard output (so that the message follows what was printed
// before it), then prints "program: " + text and a line end on standard error.
void ohlas(const std::string& text);

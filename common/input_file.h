// Opening an input file that must be a regular file.
//
// otevri_vstup opens `cesta` for reading without ever blocking (a FIFO at
// the path would block a plain open until a writer comes), then refuses what
// is not a regular file. It returns the open stream, or null with the
// message "<cesta>: problem": "cannot be opened: <reason>", "is a directory,
// not <co>", "is not a regular file (a FIFO, socket or device)"; *velikost
// (when given) gets the file's size.
//
// precti_vstup reads such a file whole into *obsah, refusing one larger
// than `nejvic` bytes ("the file has N bytes, more than the M this program
// reads") and a read error.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

std::FILE* otevri_vstup(const std::string& cesta, const char* co, std::string* chyba,
                        long long* velikost = nullptr);

bool precti_vstup(const std::string& cesta, const char* co, std::size_t nejvic, std::string* obsah,
                  std::string* chyba);

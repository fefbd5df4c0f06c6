// Writing an output file so that it is either complete or not replaced.
//
// zapis_atomicky writes `obsah` to "<cesta>.tmp" in the same directory and
// renames it over `cesta` only when every byte was written and the file was
// closed without error; otherwise the temporary file is removed, an existing
// `cesta` is left as it was, and chyba says what went wrong (naming the
// file).
#pragma once

#include <string>

bool zapis_atomicky(const std::string& cesta, const std::string& obsah, std::string* chyba);

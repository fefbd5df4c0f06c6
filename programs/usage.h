// What --help says about the reconstruction program of this configuration:
// its purpose and the files it reads and writes.
#pragma once

#include "common/options.h"

PopisProgramu popis_prohlizece();

// Running the real programs from tests: a fresh temporary directory as the
// working directory, text on standard input, a time limit, and the exit
// status and both output streams afterwards.
#pragma once

#include <string>
#include <vector>

struct VysledekBehu {
  int kod = -1;          // exit status, or 128 + signal number
  bool vyprsel = false;  // killed at the time limit
  std::string vystup;    // standard output
  std::string chyby;     // standard error
};

// Runs `program` with `argumenty` (default none) in `adresar`. `prostredi`
// holds extra NAME=value settings; a bare NAME removes that variable.
VysledekBehu spust_program(const std::string& program, const std::string& adresar,
                           const std::string& vstup = "", int limit_sekund = 120,
                           const std::vector<std::string>& prostredi = {},
                           const std::vector<std::string>& argumenty = {});

// The same as an unprivileged user when the tests run as root (uid and gid
// 65534, no supplementary groups), so that file permissions apply; as any
// other user it is spust_program. The directory must let that user in.
VysledekBehu spust_program_bez_prav(const std::string& program, const std::string& adresar,
                                    const std::vector<std::string>& prostredi = {});

// Runs a reconstruction program without a display: everything up to the
// window happens, then opening the window fails.
VysledekBehu spust_bez_displeje(const std::string& program, const std::string& adresar,
                                const std::string& vstup = "", int limit_sekund = 120);

// True when a run went through the whole pipeline and stopped only because
// the window could not open: exit status 1 and one viewer line on stderr.
bool zastaveno_u_okna(const VysledekBehu& beh);

// A new empty directory under the system's temporary directory.
std::string novy_adresar(const std::string& predpona);

// The names of the entries of a directory (hidden ones too), sorted; empty
// when it cannot be read.
std::vector<std::string> jmena_v_adresari(const std::string& adresar);

std::string precti_soubor(const std::string& cesta);
bool existuje(const std::string& cesta);

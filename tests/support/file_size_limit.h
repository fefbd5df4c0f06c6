// Making file writes fail on purpose: while a LimitVelikostiSouboru lives,
// the process cannot grow any file beyond `bajtu` bytes (a write past it
// fails with EFBIG instead of raising SIGXFSZ). The old limit is restored
// when it ends. Works for root too, whom file permissions do not stop.
#pragma once

#include <sys/resource.h>

#include <csignal>

class LimitVelikostiSouboru {
 public:
  explicit LimitVelikostiSouboru(rlim_t bajtu) {
    puvodni_signal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &puvodni_);
    rlimit novy = puvodni_;
    novy.rlim_cur = bajtu;
    setrlimit(RLIMIT_FSIZE, &novy);
  }
  ~LimitVelikostiSouboru() {
    setrlimit(RLIMIT_FSIZE, &puvodni_);
    std::signal(SIGXFSZ, puvodni_signal_);
  }
  LimitVelikostiSouboru(const LimitVelikostiSouboru&) = delete;
  LimitVelikostiSouboru& operator=(const LimitVelikostiSouboru&) = delete;

 private:
  rlimit puvodni_{};
  void (*puvodni_signal_)(int) = SIG_DFL;
};

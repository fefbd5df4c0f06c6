// The drawing trace: the log lines that the polygon drawing writes.
//
// The drawing code runs every frame; in a run its lines are kept for the
// first frame only, so that the log shows one complete trace of the scene
// and then stops growing while the window stays open. The drawing is handed
// the stream its trace goes to, null for none: stopa_snimku gives the log
// while the run's state still traces (stopa_kresleni, viewer_state.h), and
// ukonci_stopu_kresleni turns that off after a drawn frame. The entry points
// without a state (such as Zobraz(polygon)) trace as the state they share
// says (stav_bez_behu).
#pragma once

#include <cstdio>

#include "viewer/viewer_state.h"

// fprintf to `stopa` unless it is null.
void zapis_stopu(std::FILE* stopa, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The trace of the run's current frame: the log until the first frame has
// been drawn, then none.
std::FILE* stopa_snimku(const StavProhlizece& stav);

// Ends the run's trace after a drawn frame; the log is flushed so that it
// holds the whole first frame on disk.
void ukonci_stopu_kresleni(StavProhlizece& stav);

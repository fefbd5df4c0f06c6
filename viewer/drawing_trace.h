// The drawing trace: the log lines that the polygon drawing writes.
//
// The drawing code runs every frame; its lines are kept for the first frame
// only, so that the log shows one complete trace of the scene and then stops
// growing while the window stays open. stopa_kresleni is true until the
// first frame has been drawn (and for code that draws outside the main loop,
// such as tests); ukonci_stopu_kresleni() turns it off and flushes the log.
#pragma once

extern bool stopa_kresleni;

// fprintf to the log while the drawing trace is on (and a log is open).
void zapis_stopu(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Ends the trace after a drawn frame; the log is flushed so that it holds the
// whole first frame on disk.
void ukonci_stopu_kresleni();

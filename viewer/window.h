// The viewer's main loop and input: one event per frame, a table of held
// keys, mouse look inside a warp box, W/S/A/D movement commands, Escape and
// the window's quit event.
//
// init() needs the OpenGL window (SDL_SetVideoMode) to exist. The loop draws
// as fast as buffer swaps allow; the camera moves once per drawn frame.
#pragma once

#include <cstdint>

constexpr int pocet_klaves = 324;  // every SDL 1.2 key symbol

extern unsigned char key[pocet_klaves];
extern int mousepos[2];
extern int lastpos[2];
extern std::int16_t editmod;
// Frames drawn since start (display and display2).
extern unsigned long pocet_snimku;

// Tessellator and callbacks, black background, the perspective projection
// (60 degrees, aspect xscr / yscr, near 0.1, far 200), model-view mode.
void init();

// Takes at most one event; false only for the quit event. Each press of M
// switches between the model and the surface (surface_drawing.h).
bool events();

// Mouse look: one degree per pixel of motion; a pointer more than 180 pixels
// from the window centre is warped to the opposite edge of that box.
void mouseMovement(int x, int y);

// A button press: accepted, no action.
void mouse(int button, int x, int y);

// Escape asks the loop to end (konec_prohlizeni); W/S and A/D set pohyb (S
// wins over W, D over A).
void controlsSDL();

// Set by Escape: the loop returns after the frame, as on the quit event.
extern bool konec_prohlizeni;

// One frame of the scene / an empty frame, then the buffer swap. The first
// frame drawn ends the drawing trace in the log.
void display();
void display2();

// Runs until the quit event or Escape.
void main_loop_function();

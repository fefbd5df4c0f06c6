// The viewer's main loop and input: one event per frame, a table of held
// keys, mouse look inside a warp box, W/S/A/D movement commands, Escape and
// the window's quit event.
//
// init() needs the OpenGL window (SDL_SetVideoMode) to exist. The loop draws
// as fast as buffer swaps allow; the camera moves once per drawn frame.
//
// The loop, the frames and the input work on the run's state
// (viewer_state.h), given to them by spust_prohlizec. Each of them also has
// a form without the state: the full-screen viewer of the model in the
// compiled-in set-up's frame, on the one state they share (stav_bez_behu,
// viewer_state.h), as a viewer that keeps its state between the calls.
#pragma once

#include <cstdint>
#include <vector>

#include "viewer/viewer_state.h"

constexpr int pocet_klaves = 324;  // every SDL 1.2 key symbol

extern unsigned char key[pocet_klaves];
extern int mousepos[2];
extern int lastpos[2];
extern std::int16_t editmod;

// Tessellator and callbacks, black background, the perspective projection
// (60 degrees, aspect xscr / yscr, near 0.1, far 200), model-view mode.
void init();

// Takes at most one event; false only for the quit event. Each press of M
// switches between the model and the surface (stav.zobrazena_plocha).
bool events(StavProhlizece& stav);
bool events();

// Whether the mouse turns the view. Full screen it always does. In a window
// (--windowed: the state's mys_po_kliknuti) the mouse starts free
// (mys_volna): it moves over the window without turning the view or being
// warped until a button is pressed in the window, which grabs it
// (SDL_WM_GrabInput); when the window loses the input focus the grab ends
// and the mouse is free again.
//
// Mouse look: one degree per pixel of motion; a pointer more than 180 pixels
// from the window centre is warped to the opposite edge of that box. A free
// mouse only moves lastpos and mousepos along.
void mouseMovement(const StavProhlizece& stav, int x, int y);
void mouseMovement(int x, int y);

// A button press: grabs a free mouse, the next motion measured from (x, y);
// otherwise accepted with no action.
void mouse(StavProhlizece& stav, int button, int x, int y);
void mouse(int button, int x, int y);

// The window gained or lost the input focus (SDL_ACTIVEEVENT): losing it
// frees the mouse of a window taken by a click.
void zmena_fokusu(StavProhlizece& stav, bool ziskal);

// W/S and A/D set pohyb (S wins over W, D over A).
void controlsSDL();

// Escape is held: the loop returns after the frame, as on the quit event.
bool zadan_konec();

// One frame of the scene / an empty frame, then the buffer swap; each
// counts in stav.pocet_snimku. The first frame drawn ends the drawing trace
// in the log.
void display(StavProhlizece& stav);
void display();

// display(stav), reading the drawn frame into *rgb before the buffer swap:
// xscr x yscr pixels, three bytes each, rows from the top.
void display_a_precti(StavProhlizece& stav, std::vector<unsigned char>* rgb);
void display2(StavProhlizece& stav);
void display2();

// Runs until the quit event or Escape.
void main_loop_function(StavProhlizece& stav);
void main_loop_function();

// The viewer's main loop and input: one event per frame, a table of held
// keys, mouse look inside a warp box, W/S/A/D movement commands, Escape and
// the window's quit event.
//
// init() needs the OpenGL window (SDL_SetVideoMode) to exist. The loop draws
// as fast as buffer swaps allow; the camera moves once per drawn frame.
#pragma once

#include <cstdint>
#include <vector>

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

// Takes at most one event; false only for the quit event.
bool events();

// Whether the mouse turns the view. Full screen it always does. In a window
// (--windowed: spust_prohlizec sets mys_po_kliknuti) the mouse starts free:
// it moves over the window without turning the view or being warped until a
// button is pressed in the window, which grabs it (SDL_WM_GrabInput); when
// the window loses the input focus the grab ends and the mouse is free again.
extern bool mys_po_kliknuti;
extern bool mys_volna;

// Mouse look: one degree per pixel of motion; a pointer more than 180 pixels
// from the window centre is warped to the opposite edge of that box. A free
// mouse only moves lastpos and mousepos along.
void mouseMovement(int x, int y);

// A button press: grabs a free mouse, the next motion measured from (x, y);
// otherwise accepted with no action.
void mouse(int button, int x, int y);

// The window gained or lost the input focus (SDL_ACTIVEEVENT): losing it
// frees the mouse of a window taken by a click.
void zmena_fokusu(bool ziskal);

// Escape asks the loop to end (konec_prohlizeni); W/S and A/D set pohyb (S
// wins over W, D over A).
void controlsSDL();

// Set by Escape: the loop returns after the frame, as on the quit event.
extern bool konec_prohlizeni;

// One frame of the scene / an empty frame, then the buffer swap. The first
// frame drawn ends the drawing trace in the log.
void display();

// display(), reading the drawn frame into *rgb before the buffer swap:
// xscr x yscr pixels, three bytes each, rows from the top.
void display_a_precti(std::vector<unsigned char>* rgb);
void display2();

// Runs until the quit event or Escape.
void main_loop_function();

// Whether the programs wait for Enter at their prompts ("pokracuj
// Enterem..."). They do unless main turns the waits off (batch mode and
// screenshots, which must not need anyone at the keyboard); then a stage
// prints neither the prompt nor anything in its place and reads nothing.
#pragma once

void vypni_cekani_na_enter();
bool ceka_na_enter();

// The one switch of the Enter prompts.
#include "common/enter_prompt.h"

namespace {
bool cekat = true;
}  // namespace

void vypni_cekani_na_enter() { cekat = false; }
bool ceka_na_enter() { return cekat; }

#include "shell/eksporty.h"

// Forwarders whose optional handlers nothing in this module installs, so
// they give their constant answers.
extern "C" int32_t HOSTCALL Eksport30009(void) { return 0; }

extern "C" uint32_t HOSTCALL Eksport30010(int32_t) { return 0xB669FD2Eu; }

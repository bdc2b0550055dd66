// Calling convention and basic types shared by the module and the host.
#pragma once

#include <stdint.h>

// x64 Windows has one calling convention, in which __cdecl means nothing.
#if defined(_WIN32) && !defined(_WIN64)
#define HOSTCALL __cdecl
#else
#define HOSTCALL
#endif

// A loaded module (HMODULE on Windows, a dlopen handle elsewhere).
typedef void* UchwytModuluHosta;

// The host callback, the host's export 30006; also what export 30001 receives.
typedef int32_t(HOSTCALL* FunkcjaZwrotnaHosta)(int32_t, int32_t);

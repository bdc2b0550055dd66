// torvel-sim's whole program. It lives in the host library, which exports
// it, so that the Windows launcher and TORVEL.dll stay one host.
#pragma once

#if defined(_WIN32)
#define TORVEL_API extern "C" __declspec(dllexport)
#else
#define TORVEL_API extern "C" __attribute__((visibility("default")))
#endif

// Command line in, exit status out.
TORVEL_API int TorvelUruchom(int argc, char** argv);

// torvel-sim: the stand-in host as a program. Everything lives in the host
// library, so the Windows launcher and TORVEL.dll stay one host.
#include "torvel/program/uruchom.h"

int main(int argc, char** argv) { return TorvelUruchom(argc, argv); }

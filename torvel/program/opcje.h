// torvel-sim's command line: a command and the options around it.
#pragma once

#include <string>
#include <vector>

namespace torvel {

struct Opcje {
    std::string polecenie, modul, katalog = ".", dane, slad;
    std::string dzisiaj, czas, od, do_;
    std::vector<int> brakujace;
};

// Reads the command line into *o and the host's state. False when the run
// ends here (help, version or a wrong option); *kodWyjscia is its status.
bool CzytajOpcje(int argc, char** argv, Opcje* o, int* kodWyjscia);

}  // namespace torvel

// Histories of one shop: random sequences of menu commands and host events
// over days and hours, some of them meeting a fault, run one after another
// in one host directory against one FTP server. Each run gets the fault
// runs' checks; after the history the driver checks what must hold across
// runs: no file replaced, and every card receipt that the automatic export
// counts as sent is on the server. The last line is the summary:
//   history: histories=<n> runs=<n> failed=<n>
#pragma once

#include <stdint.h>

namespace tortura {

struct OpcjeHistorii {
    uint64_t ziarno = 1;      // the histories' seeds are derived from it
    uint64_t liczba = 2000;   // how many histories
    bool jedna = false;       // only the history of seed jednaZiarno, with its steps shown
    uint64_t jednaZiarno = 0;
};

// Runs the histories in child processes; a failing one is shortened and
// printed with its seed and steps. True when none failed.
bool UruchomHistorie(const OpcjeHistorii& opcje);

}  // namespace tortura

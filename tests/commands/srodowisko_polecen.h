// The export tests' host environment plus what the command tests look at:
// days relative to the host's today, the period an export run received,
// the status texts shown.
#pragma once

#include <string>
#include <vector>

#include "tests/export/srodowisko_eksportu.h"

namespace testy {

// The host date text of the host's today moved by `dni` days.
std::string DzienHosta(int dni);

class SrodowiskoPolecen : public SrodowiskoEksportu {
protected:
    // Start and end date the export run was given (the two dates it has the
    // host display first); empty when no export ran.
    std::vector<std::string> OkresEksportu() const;
    // Texts shown in the status window, in order.
    std::vector<std::string> TekstyStatusu() const;
    // The traced ordinals that are among `wybrane`, in call order.
    std::vector<int> OrdinalySposrod(const std::vector<int>& wybrane) const;
    std::vector<uint32_t> CzasyPauz() const;
};

}  // namespace testy

#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

Stan& stan() {
    static Stan jedyny;
    return jedyny;
}

void Resetuj() {
    std::string katalog = stan().katalog;
    stan() = Stan();
    stan().katalog = katalog;
    ResetujTabele();
    ResetujPliki();
    OtworzSlad("");
    WyczyscSlad();
    WlaczAwarie(false);  // shows every ordinal again
}

}  // namespace torvel

// The host's exports by ordinal on POSIX: a table laid out like a Windows
// export directory (base ordinal, one slot per ordinal), which the module's
// platform layer reads. Hiding an ordinal empties its slot.
#include <vector>

#include "host/tabela_eksportow.h"
#include "torvel/uslugi/lista_eksportow.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace {

const uint32_t NAJNIZSZY = 22202;
const uint32_t NAJWYZSZY = 52541;

std::vector<void*>& Sloty() {
    static std::vector<void*> sloty(NAJWYZSZY - NAJNIZSZY + 1, nullptr);
    return sloty;
}

}  // namespace

extern "C" {
__attribute__((visibility("default"))) TabelaEksportow torvel_tabela_eksportow = {NAJNIZSZY, 0, nullptr};
}

namespace torvel {

void PokazWszystkieFunkcje() {
    std::vector<void*>& sloty = Sloty();
    for (void*& slot : sloty) slot = nullptr;
    for (const EksportHosta& e : EKSPORTY_HOSTA) {
        if (e.ordinal == 30006 && stan().brakFunkcjiZwrotnej) continue;
        void* zastepca = AwarieWlaczone() ? ZastepcaFunkcji(e.ordinal) : nullptr;
        sloty[e.ordinal - NAJNIZSZY] = zastepca != nullptr ? zastepca : e.adres;
    }
    torvel_tabela_eksportow.adresy = sloty.data();
    torvel_tabela_eksportow.liczba = static_cast<uint32_t>(sloty.size());
}

void UkryjFunkcje(const std::vector<int>& ordinaly) {
    for (int ordinal : ordinaly) {
        if (ordinal >= static_cast<int>(NAJNIZSZY) && ordinal <= static_cast<int>(NAJWYZSZY))
            Sloty()[ordinal - NAJNIZSZY] = nullptr;
    }
}

}  // namespace torvel

// The table is complete as soon as the library is loaded, before any module.
__attribute__((constructor)) static void WypelnijTabeleEksportow() { torvel::PokazWszystkieFunkcje(); }

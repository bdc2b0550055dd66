// The Windows build has no full-screen terminal: the form and the messages
// keep their line prompts.
#include "torvel/uslugi/ekran.h"

namespace torvel {

bool OtworzEkran(int, int) { return false; }
bool EkranOtwarty() { return false; }
const Element* EdytujNaEkranie(const Formularz&, char*) { return nullptr; }
void PokazNaEkranie(int, const std::string&, const std::string&, const std::string&, const std::string&, bool) {}
void ZamknijEkran() {}

}  // namespace torvel

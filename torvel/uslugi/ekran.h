// The full-screen terminal of an interactive run: the form drawn and edited
// in place, then status texts in a status line and messages as boxes that
// wait for Enter. ncurses on POSIX; the Windows build has none and keeps
// the line prompts.
#pragma once

#include <string>

#include "torvel/uslugi/opis_formularza.h"

namespace torvel {

// Starts the screen for a form of this frame: only in an interactive run on
// a terminal that holds the frame. False: the plain terminal goes on.
bool OtworzEkran(int wysokoscRamki, int szerokoscRamki);
bool EkranOtwarty();

// Edits the form's date fields in place; the button that closed it. The
// slots get the host date texts unless the form was cancelled (ESC).
const Element* EdytujNaEkranie(const Formularz& f, char* dane);

// A text the host shows: `wiersz` is its plain-terminal line ("[status] ...").
// Status texts go to the status line, modal texts into a box that waits for
// Enter, the form only into the record printed after the screen.
void PokazNaEkranie(int ordinal, const std::string& rodzaj, const std::string& tytul, const std::string& tekst,
                    const std::string& wiersz, bool modalne);

// Back to the plain terminal, where everything shown meanwhile is printed as lines.
void ZamknijEkran();

}  // namespace torvel

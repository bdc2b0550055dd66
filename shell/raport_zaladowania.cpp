#include "shell/raport_zaladowania.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "host/funkcje_hosta.h"
#include "host/mazovia.h"
#include "platform/platforma.h"
#include "shell/stan_modulu.h"
#include "shell/tablica_funkcji.h"
#include "shell/zgodnosc.h"

namespace {

enum { ROZMIAR_LISTY_FUNKCJI = 256 };

// Appends to the text in bufor without passing pojemnosc.
void Dopisz(char* bufor, size_t pojemnosc, const char* format, ...) {
    size_t dlugosc = strnlen(bufor, pojemnosc);
    if (dlugosc + 1 >= pojemnosc) return;
    va_list argumenty;
    va_start(argumenty, format);
    vsnprintf(bufor + dlugosc, pojemnosc - dlugosc, format, argumenty);
    va_end(argumenty);
}

// " 30018, 41611, 52081" after "funkcje o numerach", ascending.
void ListaFunkcji(char* lista, size_t pojemnosc) {
    if (liczbaBrakujacychFunkcji == 1) {
        snprintf(lista, pojemnosc, MAZ("funkcję o numerze %hu"), numeryBrakujacychFunkcji[0]);
        return;
    }
    uint16_t numery[LICZBA_ZAPAMIETANYCH_BRAKOW];
    size_t liczba = std::min<size_t>(liczbaBrakujacychFunkcji, LICZBA_ZAPAMIETANYCH_BRAKOW);
    std::copy(numeryBrakujacychFunkcji, numeryBrakujacychFunkcji + liczba, numery);
    std::sort(numery, numery + liczba);
    snprintf(lista, pojemnosc, "%s", MAZ("funkcje o numerach"));
    for (size_t i = 0; i < liczba; ++i) Dopisz(lista, pojemnosc, i + 1 < liczba ? " %hu," : " %hu", numery[i]);
}

const char* const TYTUL_RAPORTU = "STOP!!!";

// The report in the host's message window. A host that lacks the window
// itself (35802 missing) gets the text as debugger output, as the binding
// reports what is missing; a debug viewer shows it without a debugger.
void PokazRaport(const char* tekst) {
    if (TablicaFunkcjiHosta[INDEKS_35802] != nullptr) {
        H35802()(15000, TYTUL_RAPORTU, "%s", 61441, 28206, tekst);
        return;
    }
    platforma::TekstDlaDebuggera(tekst);
    size_t dlugosc = strlen(tekst);
    if (dlugosc == 0 || tekst[dlugosc - 1] != '\n') platforma::TekstDlaDebuggera("\n");
}

}  // namespace

uint32_t OpiszBrakujaceFunkcje(char* bufor, size_t pojemnosc) {
    if (pojemnosc > 0) bufor[0] = '\0';
    if (liczbaBrakujacychFunkcji == 0 || pojemnosc == 0) return liczbaBrakujacychFunkcji;

    char lista[ROZMIAR_LISTY_FUNKCJI];
    ListaFunkcji(lista, sizeof lista);
    snprintf(bufor, pojemnosc,
             MAZ("Wtyczka \"%s\" potrzebuje zaimportować\n%s z modułu głównego,\n"
                 "jednak moduł główny %s nie posiada. Aby naprawić tę sytuację\n"
                 "zainstaluj aktualizację programu oraz wtyczki.\n\nWTYCZKA NIE ZOSTANIE ZAŁADOWANA!!!\n"),
             NAZWA_WYSWIETLANA, lista, liczbaBrakujacychFunkcji == 1 ? "jej" : "ich");
    return liczbaBrakujacychFunkcji;
}

int32_t OpiszNiezgodneRekordy(char* bufor, size_t pojemnosc) {
    if (pojemnosc > 0) bufor[0] = '\0';
    if (niezgodneTabele == nullptr || pojemnosc == 0) return 0;

    // 0x01 encloses the tab-stop directive of the table that follows.
    snprintf(bufor, pojemnosc,
             MAZ("Rozmiary rekordów niektórych tabel nie zgadzają się\n"
                 "między programem a wtyczką '%s' (moduł '%s'):\n\n\x01tl18l33\x01TABELA\tWE WTYCZCE\tW PROGRAMIE\n"),
             NAZWA_WYSWIETLANA, nazwaPlikuModulu);
    for (const RozmiarTabeli* tabela = niezgodneTabele; tabela != nullptr; tabela = tabela->nastepny) {
        char rozmiarHosta[16] = "brak";
        if (tabela->rzeczywisty != 0) snprintf(rozmiarHosta, sizeof rozmiarHosta, "%d", static_cast<int>(tabela->rzeczywisty));
        Dopisz(bufor, pojemnosc, "\x01tp25p40\x01%s\t%d\t%s\n", tabela->nazwa, static_cast<int>(tabela->oczekiwany),
               rozmiarHosta);
    }
    // 0x02 starts the emphasised file name, 0x01 ends it.
    Dopisz(bufor, pojemnosc, MAZ("\nModuł \x02%s\x01\nNIE zostanie załadowany!"), nazwaPlikuModulu);
    return -1;
}

void PokazBladZaladowania() {
    if (funkcjaZwrotnaHosta != nullptr) funkcjaZwrotnaHosta(1, -1);
    char bufor[ROZMIAR_RAPORTU];
    bufor[0] = '\0';

    if (brakujaceCechy != 0) {
        snprintf(bufor, sizeof bufor, MAZ("Program nie obsługuje cech 0x%08X,\nktóre są niezbędne dla modułu '%s'."),
                 static_cast<unsigned>(brakujaceCechy), NAZWA_WYSWIETLANA);
        PokazRaport(bufor);
    } else if (OpiszBrakujaceFunkcje(bufor, sizeof bufor) != 0) {
        PokazRaport(bufor);
    } else if (OpiszNiezgodneRekordy(bufor, sizeof bufor) != 0) {
        // From here on every host function is bound: none was missing.
        PokazRaport(bufor);
    } else if (H30018()(uchwytModulu, bufor, sizeof bufor) != 0) {
        bufor[sizeof bufor - 1] = '\0';
        PokazRaport(bufor);
    } else if (SprawdzZgodnosc() != 0) {
        H35802()(15000, TYTUL_RAPORTU,
                 MAZ("Moduł \"%s\" i program występują w różnych wersjach!\n\n"
                     "Został zakualizowany tylko program albo tylko moduł,\na nie oba jednocześnie! "
                     "Aby naprawić tę sytuację\nzainstaluj aktualizację programu wraz z modułem \"%s\".\n\n"
                     "MODUŁ NIE ZOSTANIE ZAŁADOWANY!!!\n"),
                 61441, 28206, nazwaPlikuModulu, nazwaPlikuModulu);
    } else {
        H35802()(15000, TYTUL_RAPORTU, MAZ("Moduł \"%s\" nie został poprawnie zainicjowany,\nwięc NIE BĘDZIE AKTYWNY!"),
                 61441, 28206, nazwaPlikuModulu);
    }
}

#include "transmission/argumenty_curl.h"

#include <string.h>

namespace {

// Bounded text building; remembers whether anything did not fit.
class Pisarz {
public:
    Pisarz(char* bufor, size_t rozmiar) : bufor_(bufor), rozmiar_(rozmiar) {
        if (rozmiar_ > 0) bufor_[0] = '\0';
    }
    void Znak(char c) {
        if (dlugosc_ + 1 >= rozmiar_) {
            przepelniony_ = true;
            return;
        }
        bufor_[dlugosc_++] = c;
        bufor_[dlugosc_] = '\0';
    }
    void Powtorz(char c, size_t ile) {
        for (size_t i = 0; i < ile; ++i) Znak(c);
    }
    void Tekst(const char* tekst, size_t maks = static_cast<size_t>(-1)) {
        for (size_t i = 0; i < maks && tekst[i] != '\0'; ++i) Znak(tekst[i]);
    }
    const char* Wynik() const { return bufor_; }
    bool Przepelniony() const { return przepelniony_; }

private:
    char* bufor_;
    size_t rozmiar_;
    size_t dlugosc_ = 0;
    bool przepelniony_ = false;
};

// Writes tresc as one quoted argument. Inside quotation marks only a
// quotation mark and the backslashes right before it (or before the
// closing mark) are special: such backslashes are doubled, the mark is
// escaped. Everything else stays as it is, so ordinary values come out
// unchanged.
void ArgumentWCudzyslowie(Pisarz& wynik, const char* tresc) {
    wynik.Znak('"');
    size_t ukosniki = 0;
    for (const char* p = tresc; *p != '\0'; ++p) {
        if (*p == '\\') {
            ++ukosniki;
            continue;
        }
        if (*p == '"') {
            wynik.Powtorz('\\', 2 * ukosniki + 1);
        } else {
            wynik.Powtorz('\\', ukosniki);
        }
        ukosniki = 0;
        wynik.Znak(*p);
    }
    wynik.Powtorz('\\', 2 * ukosniki);
    wynik.Znak('"');
}

bool WymagaCudzyslowu(const char* tekst, size_t maks) {
    for (size_t i = 0; i < maks && tekst[i] != '\0'; ++i)
        if (tekst[i] == ' ' || tekst[i] == '\t' || tekst[i] == '"') return true;
    return false;
}

}  // namespace

bool ZbudujArgumentyCurl(char* bufor, size_t rozmiar, const ParametryFtp& p, const char* prefiksSciezki,
                         const char* nazwaPliku) {
    if (prefiksSciezki == nullptr) prefiksSciezki = "";

    // Each quoted argument is assembled first, then written with its escapes.
    char adres[sizeof "ftp://" + MAKS_SERWER_FTP + MAKS_KATALOG_FTP + sizeof "/"];
    Pisarz pisarzAdresu(adres, sizeof adres);
    pisarzAdresu.Tekst("ftp://");
    pisarzAdresu.Tekst(p.serwer, MAKS_SERWER_FTP);
    pisarzAdresu.Tekst(p.katalog, MAKS_KATALOG_FTP);
    pisarzAdresu.Znak('/');

    char logowanie[MAKS_UZYTKOWNIK_FTP + 1 + MAKS_HASLO_FTP + 1];
    Pisarz pisarzLogowania(logowanie, sizeof logowanie);
    pisarzLogowania.Tekst(p.uzytkownik, MAKS_UZYTKOWNIK_FTP);
    pisarzLogowania.Znak(':');
    pisarzLogowania.Tekst(p.haslo, MAKS_HASLO_FTP);

    Pisarz wynik(bufor, rozmiar);
    wynik.Tekst(" -k ");
    ArgumentWCudzyslowie(wynik, adres);
    wynik.Tekst(" -u ");
    if (WymagaCudzyslowu(logowanie, sizeof logowanie))
        ArgumentWCudzyslowie(wynik, logowanie);
    else
        wynik.Tekst(logowanie);
    wynik.Tekst(" -T ");
    // The path prefix is the host's and has no fixed limit; a path that does
    // not fit a scratch buffer of the output's size cannot fit the output.
    char sciezka[ROZMIAR_ARGUMENTOW_CURL];
    Pisarz pisarzSciezki(sciezka, sizeof sciezka);
    pisarzSciezki.Tekst(prefiksSciezki);
    pisarzSciezki.Tekst("BRENVIK\\");
    pisarzSciezki.Tekst(nazwaPliku);
    ArgumentWCudzyslowie(wynik, sciezka);

    if (pisarzAdresu.Przepelniony() || pisarzLogowania.Przepelniony() || pisarzSciezki.Przepelniony() ||
        wynik.Przepelniony()) {
        if (rozmiar > 0) bufor[0] = '\0';
        return false;
    }
    return true;
}

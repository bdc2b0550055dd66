// The host's mail service: the message file goes to the named SMTP server
// through curl, with the recipient taken from the message's "To:" line.
#include <string.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {

bool JestNaglowkiem(const std::string& linia, const char* nazwa) {
    size_t n = strlen(nazwa);
    if (linia.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        char a = linia[i], b = nazwa[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

// The address of the first "To:" line of the header block, empty when none.
std::string Adresat(const std::string& wiadomosc) {
    size_t poczatek = 0;
    while (poczatek < wiadomosc.size()) {
        size_t koniec = wiadomosc.find('\n', poczatek);
        if (koniec == std::string::npos) koniec = wiadomosc.size();
        std::string linia = wiadomosc.substr(poczatek, koniec - poczatek);
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        if (linia.empty()) break;  // end of the header block
        if (JestNaglowkiem(linia, "To:")) {
            size_t a = linia.find_first_not_of(" \t", 3);
            size_t b = linia.find_last_not_of(" \t");
            return a == std::string::npos ? std::string() : linia.substr(a, b - a + 1);
        }
        poczatek = koniec + 1;
    }
    return std::string();
}

int32_t Wyslij(const char* plik, const char* serwer, const char* login, const char* haslo) {
    if (plik == nullptr || serwer == nullptr || serwer[0] == '\0' || login == nullptr) return -1;
    std::string sciezka = SciezkaHosta(plik);
    std::string wiadomosc;
    if (!CzytajPlik(sciezka, &wiadomosc)) return -1;
    std::string adresat = Adresat(wiadomosc);
    if (adresat.empty()) return -1;
    return UruchomProgram(stan().programCurl,
                          {"--silent", "--show-error", "--url", std::string("smtp://") + serwer, "--mail-from", login,
                           "--mail-rcpt", adresat, "--upload-file", sciezka, "--user",
                           std::string(login) + ":" + (haslo == nullptr ? "" : haslo)});
}

}  // namespace

}  // namespace torvel

TORVEL_FUNKCJA(int32_t) Torvel51525(const char* plik, int32_t a, const char* serwer, const char* login, const char* haslo, int32_t b) {
    int32_t wynik = torvel::Wyslij(plik, serwer, login, haslo);
    using torvel::T;
    torvel::Zapisz(51525, torvel::json::array({T(plik), a, T(serwer), T(login), T(haslo), b}), wynik);
    return wynik;
}

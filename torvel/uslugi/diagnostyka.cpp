// What the host keeps of a program's own output: the terminal is the
// host's dialogue with the user, so a program's output is kept aside and
// only a failure's last error line is shown, under the next text the host
// shows (the module's message about that failure).
#include <ctype.h>

#include <string>

#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {

// Where "name: (N) text" starts in a line, or npos. A progress meter that
// ends without a line break leaves the error line right after its last
// figure ("...     0curl: (6) Could not resolve host"), so the name is the
// letters before ": (".
size_t PoczatekBledu(const std::string& w, size_t poczatek, size_t koniec) {
    size_t wynik = std::string::npos;
    for (size_t dwukropek = w.find(": (", poczatek); dwukropek < koniec; dwukropek = w.find(": (", dwukropek + 1)) {
        size_t nazwa = dwukropek;
        while (nazwa > poczatek && (isalpha(static_cast<unsigned char>(w[nazwa - 1])) || w[nazwa - 1] == '_' ||
                                    w[nazwa - 1] == '-' || w[nazwa - 1] == '.'))
            --nazwa;
        size_t cyfry = dwukropek + 3, p = cyfry;
        while (p < koniec && isdigit(static_cast<unsigned char>(w[p]))) ++p;
        if (nazwa < dwukropek && p > cyfry && p < koniec && w[p] == ')') wynik = nazwa;
    }
    return wynik;
}

}  // namespace

std::string OstatniaLiniaBledu(const std::string& wyjscie) {
    std::string wynik;
    size_t poczatek = 0;
    // A progress meter rewrites its line with CR; each piece counts as a line.
    while (poczatek < wyjscie.size()) {
        size_t koniec = wyjscie.find_first_of("\r\n", poczatek);
        if (koniec == std::string::npos) koniec = wyjscie.size();
        size_t blad = PoczatekBledu(wyjscie, poczatek, koniec);
        if (blad != std::string::npos) wynik = wyjscie.substr(blad, koniec - blad);
        poczatek = koniec + 1;
    }
    return wynik;
}

void ZachowajWyjscieProgramu(int kodWyjscia, const std::string& wyjscie) {
    stan().diagnostyka = kodWyjscia == 0 ? std::string() : OstatniaLiniaBledu(wyjscie);
}

}  // namespace torvel

// What the host keeps of a program's own output: the terminal is the
// host's dialogue with the user, so a program's output is kept aside and
// only a failure's last error line is shown, under the next text the host
// shows (the module's message about that failure).
#include <string>

#include "torvel/wewnetrzne.h"

namespace torvel {

namespace {

// "curl: (7) Failed to connect ...": a name without blanks, ": (", a number, ")".
bool LiniaBledu(const std::string& w, size_t poczatek, size_t koniec) {
    size_t dwukropek = w.find(": (", poczatek);
    if (dwukropek == std::string::npos || dwukropek == poczatek || dwukropek >= koniec) return false;
    if (w.find_first_of(" \t", poczatek) < dwukropek) return false;
    size_t cyfry = dwukropek + 3, p = cyfry;
    while (p < koniec && w[p] >= '0' && w[p] <= '9') ++p;
    return p > cyfry && p < koniec && w[p] == ')';
}

}  // namespace

std::string OstatniaLiniaBledu(const std::string& wyjscie) {
    std::string wynik;
    size_t poczatek = 0;
    // A progress meter rewrites its line with CR; each piece counts as a line.
    while (poczatek < wyjscie.size()) {
        size_t koniec = wyjscie.find_first_of("\r\n", poczatek);
        if (koniec == std::string::npos) koniec = wyjscie.size();
        if (LiniaBledu(wyjscie, poczatek, koniec)) wynik = wyjscie.substr(poczatek, koniec - poczatek);
        poczatek = koniec + 1;
    }
    return wynik;
}

void ZachowajWyjscieProgramu(int kodWyjscia, const std::string& wyjscie) {
    stan().diagnostyka = kodWyjscia == 0 ? std::string() : OstatniaLiniaBledu(wyjscie);
}

}  // namespace torvel

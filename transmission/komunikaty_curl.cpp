#include "transmission/komunikaty_curl.h"

#include "host/mazovia.h"
#include "transmission/okno_komunikatu.h"

namespace {

enum class Wartosc { NazwaPliku, Serwer };

struct KomunikatCurl {
    int kod;
    const char* format;
    Wartosc wartosc;
};

// curl's exit codes as curl documents them.
const KomunikatCurl KOMUNIKATY[] = {
    {3, MAZ("Niepoprawny URL podczas wysyłania pliku\n%s"), Wartosc::NazwaPliku},                    // malformed URL
    {62, MAZ("Niepoprawny URL podczas wysyłania pliku\n%s"), Wartosc::NazwaPliku},                   // bad login options
    {6, MAZ("Nie można odnaleźć serwera %s"), Wartosc::Serwer},                                       // host not resolved
    {7, MAZ("Nie można połączyć się z serwerem podczas wysyłania pliku\n%s"), Wartosc::NazwaPliku},   // connect failed
    {8, MAZ("Brak uprawnień do zapisu plików na serwer FTP podczas wysyłania pliku\n%s"), Wartosc::NazwaPliku},
    {67, MAZ("Błąd logowania na serwerze podczas wysyłania pliku\n%s"), Wartosc::NazwaPliku},        // login denied
    {74, MAZ("Błąd logowania na serwerze podczas wysyłania pliku\n%s"), Wartosc::NazwaPliku},
    {70, MAZ("Brak miejsca na serwerze FTP podczas wysyłania pliku\n%s"), Wartosc::NazwaPliku},       // disk full
};

}  // namespace

void PokazBladCurl(int kodWyjscia, const char* nazwaPliku, const char* serwer) {
    const char* tytul = "Uwaga";
    for (const KomunikatCurl& k : KOMUNIKATY) {
        if (k.kod != kodWyjscia) continue;
        PokazKomunikat(tytul, k.format, k.wartosc == Wartosc::Serwer ? serwer : nazwaPliku);
        return;
    }
    PokazKomunikat(tytul, MAZ("Błąd CURL (%d)\n\nPodczas wysyłania pliku\n%s"), kodWyjscia, nazwaPliku);
}

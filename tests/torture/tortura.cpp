// Fault runs at every host call. Each scenario (a menu export or a host
// event with the host connecting first) runs once to count its host calls,
// then once for every call and every way that call can fail, each run in a
// child process of its own, so that a crash or a sanitizer report is one
// failed run. After every run the child checks what the host and the user
// are left with. Then every host function in turn, and all of them, go
// missing for connect, the load-failure report, the host event and
// disconnect. The last line is the summary:
//   torture: points=<fault points> runs=<runs> failed=<failed runs>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platforma.h"
#include "shell/eksporty.h"
#include "shell/tablica_funkcji.h"
#include "tests/torture/sklep_tortury.h"
#include "torvel/funkcje_torvel.h"
#include "torvel/torvel.h"

namespace tortura {
namespace {

// ------------------------------------------------------------ scenarios

const char* const SERWER_FTP = "127.0.0.1:2121";
const char* const ADRES_FTP = "ftp://127.0.0.1:2121/lumera/";
const char* const LOGOWANIE_FTP = "lumera:tajne";
const char* const KONIEC_OKRESU = "C6.12.07";  // yesterday: the host's today is 8 December 2026

struct Scenariusz {
    const char* nazwa;
    bool zdarzenie;           // the host event (automatic export); otherwise the menu command
    bool serwerDziala;        // the FTP server answers
    bool email;               // hostSMTP is set
    uint16_t slowoOpcji;      // the host's option word before the run
    const char* zapisanaData;  // DataOstatniegoEksportu before the run, null for none
    const char* hasloFTP;
};

const Scenariusz SCENARIUSZE[] = {
    {"menu, upload succeeds", false, true, false, 0, nullptr, "tajne"},
    {"menu, server down", false, false, false, 0, nullptr, "tajne"},
    {"menu, wrong password", false, true, false, 0, nullptr, "zle"},
    {"menu with e-mail report", false, true, true, 0, nullptr, "tajne"},
    {"event, upload succeeds", true, true, false, 0, "C6.12.03", "tajne"},
    {"event, server down", true, false, false, 0x8000, "C6.12.03", "tajne"},
    {"event, no date stored yet", true, true, false, 0, nullptr, "tajne"},
    {"event with e-mail, server down", true, false, true, 0, "C6.12.03", "tajne"},
};

// The first day of the period the run exports (the last is KONIEC_OKRESU).
std::string PoczatekOkresu(const Scenariusz& s, bool zapisanaDataNieodczytana) {
    if (!s.zdarzenie) return "C6.12.01";  // what the user types into the form
    // Without a stored date: the day before yesterday.
    return s.zapisanaData != nullptr && !zapisanaDataNieodczytana ? s.zapisanaData : "C6.12.06";
}

// The settings file before a run. Some keys are missing on purpose, so that
// the module writes their defaults (and those writes can fail too).
std::string UstawieniaPoczatkowe(const Scenariusz& s) {
    std::string ini =
        "[ustawieniaRaportu]\r\nidSklepu=15\r\nidSpoldzielni=7\r\nnazwaSklepu=Sklep tortury\r\nwykluczonaGrupa=5\r\n"
        "[ustawieniaTransmisji]\r\nhostFTP=" + std::string(SERWER_FTP) +
        "\r\nuserFTP=lumera\r\npassFTP=" + s.hasloFTP + "\r\ndirFTP=/lumera\r\n";
    if (s.zapisanaData != nullptr) ini += "[danePomocnicze]\r\nDataOstatniegoEksportu=" + std::string(s.zapisanaData) + "\r\n";
    if (s.email) ini += "[ustawieniaEmail]\r\nhostSMTP=127.0.0.1:2525\r\n";
    return ini;
}

// ------------------------------------------------------- one run (child)

struct Przebieg {
    const Scenariusz* scenariusz = nullptr;
    std::map<std::string, std::string> wyslane;  // files the FTP server received
    int listy = 0;                               // messages the mail server received
    std::string bledy;
};

Przebieg* biezacy = nullptr;

void Blad(const std::string& tekst) {
    if (biezacy != nullptr) biezacy->bledy += "  " + tekst + "\n";
}

// curl and the mail service's curl, in process: an FTP server that takes a
// file only with the configured address and login, and a mail server that
// takes any message.
int ProgramWProcesie(const std::string&, const std::vector<std::string>& argumenty) {
    for (const std::string& a : argumenty)
        if (a == "--mail-rcpt") {
            ++biezacy->listy;
            return 0;
        }
    std::string adres, logowanie, plik;
    for (size_t i = 0; i < argumenty.size(); ++i) {
        if (argumenty[i] == "-u" && i + 1 < argumenty.size()) logowanie = argumenty[i + 1];
        if (argumenty[i] == "-T" && i + 1 < argumenty.size()) plik = argumenty[i + 1];
        if (argumenty[i].compare(0, 6, "ftp://") == 0) adres = argumenty[i];
    }
    if (!biezacy->scenariusz->serwerDziala) return 7;
    if (adres.compare(0, 6 + strlen(SERWER_FTP), std::string("ftp://") + SERWER_FTP) != 0) return 6;
    if (logowanie != LOGOWANIE_FTP) return 67;
    if (adres != ADRES_FTP) return 9;
    // Without the host's directory prefix the path is the module's own,
    // relative to the host's directory.
    for (char& c : plik)
        if (c == '\\') c = '/';
    std::ifstream wejscie(plik, std::ios::binary);
    if (!wejscie) return 26;
    std::ostringstream tresc;
    tresc << wejscie.rdbuf();
    biezacy->wyslane[std::filesystem::path(plik).filename().string()] = tresc.str();
    return 0;
}

std::string CzytajPlik(const std::string& sciezka) {
    std::ifstream plik(sciezka, std::ios::binary);
    std::ostringstream tresc;
    tresc << plik.rdbuf();
    return tresc.str();
}

// A value of the settings file as it lies on disk, "" when missing.
std::string WartoscIni(const std::string& ini, const std::string& sekcja, const std::string& klucz) {
    std::istringstream linie(ini);
    std::string linia, biezaca;
    while (std::getline(linie, linia)) {
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        if (!linia.empty() && linia[0] == '[') {
            biezaca = linia.substr(1, linia.find(']') - 1);
        } else if (biezaca == sekcja && linia.compare(0, klucz.size() + 1, klucz + "=") == 0) {
            return linia.substr(klucz.size() + 1);
        }
    }
    return "";
}

// What the module binds at load: every entry in table order, from no misses.
void PowiazModul() {
    liczbaBrakujacychFunkcji = 0;
    for (uint16_t& n : numeryBrakujacychFunkcji) n = 0;
    for (uint32_t i = 0; i < LICZBA_FUNKCJI_HOSTA; ++i) PodlaczWpisTablicy(i);
}

std::string NowyKatalog() {
    char wzor[] = "/tmp/brenvik-tortura-XXXXXX";
    if (mkdtemp(wzor) == nullptr) {
        perror("mkdtemp");
        _exit(3);
    }
    return wzor;
}

bool Pokazano(int ordinal, const std::string& poczatek, int32_t styl = -1) {
    for (const torvel::Komunikat& k : torvel::stan().komunikaty)
        if (k.ordinal == ordinal && k.tekst.compare(0, poczatek.size(), poczatek) == 0 && (styl < 0 || k.styl == styl))
            return true;
    return false;
}

// The failed call, as the child sees it after the run.
struct Awaria {
    int ordinal = 0, sposob = 0;
    std::string sekcja, klucz;  // 41399
    int trybUstawien = 0;
};

// The file the module should have sent, given what the host delivered and
// what the failed call changed. Lines of receipts that the host delivered
// only in part may stand in the file at most once, as they came.
void SprawdzPlik(const std::string& tresc, const Awaria& awaria, const std::string& dataOd) {
    const torvel::Dostawa& dostawa = torvel::DostarczoneRekordy();
    bool odczytBrak = awaria.ordinal == 41399 && awaria.trybUstawien == 8;
    std::string sklep = odczytBrak && awaria.klucz == "idSklepu" ? "001" : "015";
    std::string naglowek = odczytBrak && awaria.klucz == "idSpoldzielni" ? "01" : "07";
    bool bezWykluczen = odczytBrak && awaria.klucz == "wykluczonaGrupa";

    std::vector<std::string> linie;
    for (size_t p = 0; p < tresc.size();) {
        size_t koniec = tresc.find("\r\n", p);
        if (koniec == std::string::npos) {
            Blad("the uploaded file does not end with CR LF");
            return;
        }
        linie.push_back(tresc.substr(p, koniec - p));
        p = koniec + 2;
    }
    if (linie.empty() || linie[0] != naglowek) {
        Blad("the uploaded file does not start with the cooperative number " + naglowek);
        return;
    }
    std::multiset<std::string> reszta(linie.begin() + 1, linie.end());
    for (const ParagonSklepu& p : SklepTortury()) {
        const char* wzor = bezWykluczen ? p.wierszBezWykluczen : p.wiersz;
        bool wOkresie = p.data[0] != '\0' && dataOd <= p.data && std::string(p.data) <= KONIEC_OKRESU;
        if (wzor == nullptr || !wOkresie) continue;
        std::string wiersz = WierszZeSklepem(wzor, sklep);
        std::string karta = wiersz.substr(0, wiersz.find(';') + 1);
        if (dostawa.niepelnePozycje.count(p.numer)) {
            // Delivered in part: its line, if any, once.
            int ile = 0;
            for (auto it = reszta.begin(); it != reszta.end();) {
                if (it->compare(0, karta.size(), karta) == 0) {
                    ++ile;
                    it = reszta.erase(it);
                } else {
                    ++it;
                }
            }
            if (ile > 1) Blad("receipt " + std::to_string(p.numer) + " written more than once");
            continue;
        }
        if (!dostawa.paragony.count(p.numer)) continue;  // the host never delivered it
        size_t ile = reszta.count(wiersz);
        if (ile != 1) Blad("line \"" + wiersz + "\" found " + std::to_string(ile) + " times");
        reszta.erase(wiersz);
    }
    for (const std::string& l : reszta) Blad("unexpected line \"" + l + "\"");
}

// Runs one scenario with the planned failure; true when every check held.
bool UruchomScenariusz(const Scenariusz& s, uint64_t wywolanie, int sposob, std::vector<uint16_t>* ordinaly) {
    Przebieg przebieg;
    przebieg.scenariusz = &s;
    biezacy = &przebieg;

    std::string katalog = NowyKatalog();
    torvel::Resetuj();
    if (chdir(katalog.c_str()) != 0) _exit(3);
    torvel::stan().katalog = katalog;
    torvel::stan().cichy = true;
    torvel::stan().rok = 2026, torvel::stan().miesiac = 12, torvel::stan().dzien = 8;
    torvel::stan().godzina = 13, torvel::stan().minuta = 42;
    torvel::stan().formularzOd = "C6.12.01";
    torvel::stan().formularzDo = KONIEC_OKRESU;
    torvel::stan().slowoOpcji = s.slowoOpcji;
    torvel::stan().stanHosta = 5;
    torvel::stan().programWProcesie = ProgramWProcesie;
    torvel::UstawSladWPamieci(false);
    std::string blad;
    if (!torvel::WczytajDaneZTekstu(DaneSklepu(), &blad)) {
        fprintf(stderr, "fixture: %s\n", blad.c_str());
        _exit(3);
    }
    std::string ini = UstawieniaPoczatkowe(s);
    std::ofstream(katalog + "/brenvik.ini", std::ios::binary) << ini;
    torvel::WlaczAwarie(true);
    PowiazModul();
    torvel::ZaplanujAwarie(wywolanie, sposob);

    char rekordHosta[256] = {};
    bool polaczony = Eksport30001(&TorvelFunkcjaZwrotna, rekordHosta) == 0;
    if (polaczony) {
        if (s.zdarzenie) {
            Eksport30008(0);
        } else if (torvel::stan().polecenie == nullptr) {
            Blad("connected, but no menu command registered");
        } else {
            torvel::stan().polecenie->obsluga();
        }
    } else {
        Eksport30008(1);
    }

    if (ordinaly != nullptr) *ordinaly = torvel::WywolaniaHosta();
    Awaria awaria;
    if (torvel::AwariaNastapila()) {
        awaria.ordinal = torvel::WywolaniaHosta()[wywolanie - 1];
        awaria.sposob = sposob;
    }
    const std::string& kontekst = torvel::KontekstAwarii();
    if (awaria.ordinal == 41399) {
        std::istringstream k(kontekst);
        k >> awaria.trybUstawien >> awaria.sekcja >> awaria.klucz;
    }

    // ---- what the host and the user are left with
    const torvel::Stan& h = torvel::stan();
    std::string iniPo = CzytajPlik(katalog + "/brenvik.ini");
    std::string dataPrzed = WartoscIni(ini, "danePomocnicze", "DataOstatniegoEksportu");
    std::string dataPo = WartoscIni(iniPo, "danePomocnicze", "DataOstatniegoEksportu");
    bool sukces = Pokazano(52028, "Wyeksportowano raport na serwer do pliku ");
    bool anulowany = awaria.ordinal == 52026;
    bool porazkaPokazana = Pokazano(35804, "") || Pokazano(52030, "") || Pokazano(52028, "", 1) || Pokazano(35802, "");

    if (!polaczony) {
        if (!Pokazano(35802, "")) Blad("connect refused without a report");
    } else {
        if (h.flagaWsadowa != 0) Blad("batch flag left at " + std::to_string(h.flagaWsadowa));
        if ((h.slowoOpcji & 0x8000) != (s.slowoOpcji & 0x8000)) Blad("option bit 0x8000 changed");
        if (h.stanHosta != 5) Blad("host state left at " + std::to_string(h.stanHosta));
    }
    if (sukces) {
        std::string nazwa;
        for (const torvel::Komunikat& k : h.komunikaty)
            if (k.ordinal == 52028 && k.tekst.compare(0, 41, "Wyeksportowano raport na serwer do pliku ") == 0)
                nazwa = k.tekst.substr(41);
        auto plik = przebieg.wyslane.find(nazwa);
        if (plik == przebieg.wyslane.end()) {
            Blad("success shown, but " + nazwa + " never reached the server");
        } else {
            bool bezDaty = awaria.ordinal == 41399 && awaria.trybUstawien == 8 && awaria.klucz == "DataOstatniegoEksportu";
            SprawdzPlik(plik->second, awaria, PoczatekOkresu(s, bezDaty));
        }
        bool zapisNieudany = awaria.ordinal == 41399 && awaria.trybUstawien == 9;
        if (s.zdarzenie && !zapisNieudany && dataPo != KONIEC_OKRESU)
            Blad("automatic export succeeded, but DataOstatniegoEksportu is \"" + dataPo + "\"");
    } else {
        if (!przebieg.wyslane.empty()) Blad("a file reached the server, but no success was shown");
        if (polaczony && !anulowany && !porazkaPokazana) Blad("the run neither succeeded nor showed a failure");
    }
    if (dataPo != dataPrzed && !(s.zdarzenie && sukces && dataPo == KONIEC_OKRESU))
        Blad("DataOstatniegoEksportu moved from \"" + dataPrzed + "\" to \"" + dataPo + "\"");

    std::error_code e;
    std::filesystem::remove_all(katalog, e);
    biezacy = nullptr;
    if (!przebieg.bledy.empty()) {
        fprintf(stderr, "torture: FAILED %s, call %llu (%d, %s):\n%s", s.nazwa, static_cast<unsigned long long>(wywolanie),
                awaria.ordinal, torvel::OpisAwarii(awaria.ordinal, sposob), przebieg.bledy.c_str());
        return false;
    }
    return true;
}

// ------------------------------------------- missing functions (child)

std::string wyjscieDebuggera;

bool UruchomBrak(const std::vector<int>& brakujace) {
    std::string katalog = NowyKatalog();
    torvel::Resetuj();
    if (chdir(katalog.c_str()) != 0) _exit(3);
    torvel::stan().katalog = katalog;
    torvel::stan().cichy = true;
    torvel::UstawSladWPamieci(false);
    torvel::UkryjFunkcje(brakujace);
    PowiazModul();
    platforma::zastepstwa.tekstDlaDebuggera = [](const char* t) { wyjscieDebuggera += t; };

    std::string bledy;
    char rekordHosta[256] = {};
    if (Eksport30001(&TorvelFunkcjaZwrotna, rekordHosta) != -1) bledy += "  connect not refused\n";
    if (Eksport30008(1) != 0) bledy += "  report did not return 0\n";
    std::string tekst;
    for (const torvel::Komunikat& k : torvel::stan().komunikaty)
        if (k.ordinal == 35802) tekst += k.tekst;
    bool bezOkna = std::find(brakujace.begin(), brakujace.end(), 35802) != brakujace.end();
    if (bezOkna) tekst = torvel::ZMazovii(wyjscieDebuggera.c_str());
    std::string oczekiwane = brakujace.size() == 1 ? "funkcję o numerze " + std::to_string(brakujace[0]) : "funkcje o numerach";
    if (tekst.find(oczekiwane) == std::string::npos) bledy += "  report lacks \"" + oczekiwane + "\": " + tekst + "\n";
    size_t komunikaty = torvel::stan().komunikaty.size();
    if (Eksport30008(0) != 0) bledy += "  host event did not return 0\n";
    if (torvel::stan().komunikaty.size() != komunikaty || torvel::stan().stanHosta != 0 || torvel::stan().flagaWsadowa != 0)
        bledy += "  host event ran the automatic export\n";
    if (Eksport30001(nullptr, nullptr) != 0) bledy += "  disconnect did not return 0\n";

    std::error_code e;
    std::filesystem::remove_all(katalog, e);
    if (!bledy.empty()) {
        fprintf(stderr, "torture: FAILED missing %s:\n%s", brakujace.size() == 1 ? std::to_string(brakujace[0]).c_str() : "all",
                bledy.c_str());
        return false;
    }
    return true;
}

// ------------------------------------------------------------- driver

struct Wyniki {
    uint64_t punkty = 0, przebiegi = 0, nieudane = 0;
};

// Runs the children two at a time (the machine's cores); a child that does
// not end with 0 (a failed check, a crash, a sanitizer report) is a failure.
class Dzieci {
public:
    explicit Dzieci(Wyniki* w) : wyniki_(w) {}
    template <typename Zadanie>
    void Uruchom(Zadanie zadanie) {
        while (dzialajace_ >= 2) Czekaj();
        fflush(stdout);
        fflush(stderr);
        pid_t pid = fork();
        if (pid == 0) _exit(zadanie() ? 0 : 1);
        if (pid < 0) {
            perror("fork");
            ++wyniki_->nieudane;
            return;
        }
        ++dzialajace_;
        ++wyniki_->przebiegi;
    }
    void CzekajNaWszystkie() {
        while (dzialajace_ > 0) Czekaj();
    }

private:
    void Czekaj() {
        int status = 0;
        pid_t pid = wait(&status);
        if (pid < 0) return;
        --dzialajace_;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            ++wyniki_->nieudane;
            if (WIFSIGNALED(status)) fprintf(stderr, "torture: a run ended by signal %d\n", WTERMSIG(status));
        }
    }
    Wyniki* wyniki_;
    int dzialajace_ = 0;
};

// The counting run: the ordinals of the scenario's host calls, passed back
// through a pipe.
bool PoliczWywolania(const Scenariusz& s, std::vector<uint16_t>* ordinaly, Wyniki* wyniki) {
    int rura[2];
    if (pipe(rura) != 0) return false;
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) {
        close(rura[0]);
        std::vector<uint16_t> wynik;
        bool dobrze = UruchomScenariusz(s, 0, 0, &wynik);
        size_t n = wynik.size();
        if (write(rura[1], &n, sizeof n) != sizeof n) _exit(4);
        if (n > 0 && write(rura[1], wynik.data(), n * sizeof(uint16_t)) != static_cast<ssize_t>(n * sizeof(uint16_t))) _exit(4);
        _exit(dobrze ? 0 : 1);
    }
    close(rura[1]);
    size_t n = 0;
    bool dobrze = read(rura[0], &n, sizeof n) == sizeof n;
    if (dobrze) {
        ordinaly->resize(n);
        size_t przeczytane = 0;
        while (przeczytane < n * sizeof(uint16_t)) {
            ssize_t r = read(rura[0], reinterpret_cast<char*>(ordinaly->data()) + przeczytane, n * sizeof(uint16_t) - przeczytane);
            if (r <= 0) break;
            przeczytane += static_cast<size_t>(r);
        }
        dobrze = przeczytane == n * sizeof(uint16_t);
    }
    close(rura[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ++wyniki->przebiegi;
    if (!dobrze || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ++wyniki->nieudane;
        return false;
    }
    return true;
}

}  // namespace
}  // namespace tortura

int main() {
    using namespace tortura;
    // The module's pauses are skipped: thousands of runs of 5 s each otherwise.
    platforma::zastepstwa.pauza = [](uint32_t) {};
    timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);

    Wyniki wyniki;
    Dzieci dzieci(&wyniki);
    for (const Scenariusz& s : SCENARIUSZE) {
        std::vector<uint16_t> ordinaly;
        if (!PoliczWywolania(s, &ordinaly, &wyniki)) {
            fprintf(stderr, "torture: the counting run of \"%s\" failed\n", s.nazwa);
            continue;
        }
        uint64_t punkty = 0;
        for (size_t i = 0; i < ordinaly.size(); ++i) {
            for (int sposob = 1; sposob <= torvel::LiczbaSposobowAwarii(ordinaly[i]); ++sposob) {
                ++punkty;
                dzieci.Uruchom([&s, i, sposob] { return UruchomScenariusz(s, i + 1, sposob, nullptr); });
            }
        }
        dzieci.CzekajNaWszystkie();
        wyniki.punkty += punkty;
        printf("torture: %-26s %4zu host calls, %4llu fault points\n", s.nazwa, ordinaly.size(),
               static_cast<unsigned long long>(punkty));
    }

    std::vector<int> wszystkie;
    for (uint32_t i = 0; i < LICZBA_FUNKCJI_HOSTA; ++i) wszystkie.push_back(OrdinalyFunkcjiHosta[i]);
    for (int ordinal : wszystkie) dzieci.Uruchom([ordinal] { return UruchomBrak({ordinal}); });
    dzieci.Uruchom([&wszystkie] { return UruchomBrak(wszystkie); });
    dzieci.CzekajNaWszystkie();
    printf("torture: missing host functions: each of %zu alone and all at once\n", wszystkie.size());

    timespec koniec;
    clock_gettime(CLOCK_MONOTONIC, &koniec);
    printf("torture: %.1f s\n", (koniec.tv_sec - start.tv_sec) + (koniec.tv_nsec - start.tv_nsec) / 1e9);
    printf("torture: points=%llu runs=%llu failed=%llu\n", static_cast<unsigned long long>(wyniki.punkty),
           static_cast<unsigned long long>(wyniki.przebiegi), static_cast<unsigned long long>(wyniki.nieudane));
    return wyniki.nieudane == 0 ? 0 : 1;
}

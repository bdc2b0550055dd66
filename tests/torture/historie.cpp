#include "tests/torture/historie.h"

#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/eksporty.h"
#include "shell/tablica_funkcji.h"
#include "tests/torture/dzieci_tortury.h"
#include "tests/torture/serwer_tortury.h"
#include "tests/torture/sklep_tortury.h"
#include "tests/torture/sprawdzenia_tortury.h"
#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/torvel.h"

namespace tortura {
namespace {

// ------------------------------------------------------------ the clock

// Days count from 8 December 2026, the host's clock in minutes from its midnight.
const int ROK = 2026, MIESIAC = 12, DZIEN = 8;
const int PIERWSZY_DZIEN_SKLEPU = -10, DNI_SKLEPU = 72;  // as far as any history reaches
const int MINUT_W_DOBIE = 24 * 60;

struct tm DataDnia(int dzien) {
    struct tm t = {};
    t.tm_year = ROK - 1900, t.tm_mon = MIESIAC - 1, t.tm_mday = DZIEN + dzien, t.tm_hour = 12;
    timegm(&t);
    return t;
}

std::string TekstDnia(int dzien) {
    struct tm t = DataDnia(dzien);
    return torvel::TekstDaty(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

// The day of a host date text; false when it is none.
bool DzienTekstu(const std::string& tekst, int* dzien) {
    int r = 0, m = 0, d = 0;
    if (!torvel::CzytajDate(tekst, &r, &m, &d)) return false;
    struct tm t = {}, zero = DataDnia(0);
    t.tm_year = r - 1900, t.tm_mon = m - 1, t.tm_mday = d, t.tm_hour = 12;
    *dzien = static_cast<int>((timegm(&t) - timegm(&zero)) / (24 * 3600));
    return true;
}

int DzienMinuty(int64_t minuta) {
    return static_cast<int>(minuta >= 0 ? minuta / MINUT_W_DOBIE : -((-minuta + MINUT_W_DOBIE - 1) / MINUT_W_DOBIE));
}

// As the form shows a date, and as the steps are listed.
std::string Wyswietl(int dzien) {
    struct tm t = DataDnia(dzien);
    char tekst[32];
    snprintf(tekst, sizeof tekst, "%02d.%02d.%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    return tekst;
}

std::string DataKroku(int dzien) {
    struct tm t = DataDnia(dzien);
    char tekst[32];
    snprintf(tekst, sizeof tekst, "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    return tekst;
}

// ------------------------------------------------------ random histories

// splitmix64: the same histories from a seed on every machine.
struct Los {
    uint64_t stan;
    uint64_t Nastepna() {
        uint64_t z = (stan += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Do(int n) { return static_cast<int>(Nastepna() % static_cast<uint64_t>(n)); }  // 0 .. n-1
};

enum class Zaklocenie { Brak, SerwerNiedostepny, ZleHaslo, OdmowaZapisu, AwariaHosta };

struct Krok {
    int64_t minuta = 0;       // the host's clock
    bool zdarzenie = false;   // the host event; otherwise the menu command
    bool esc = false;         // menu: the form closed with ESC
    int od = 0, do_ = 0;      // menu: the form's dates, in days from the step's day
    Zaklocenie zaklocenie = Zaklocenie::Brak;
    int ordinal = 0, sposob = 0;  // AwariaHosta: the ktore-th call of this host function fails so
    uint64_t ktore = 0;
};

struct Historia {
    uint64_t ziarno = 0;
    bool kompletneUstawienia = true;  // otherwise the first run writes the defaults
    bool zapisanaData = false;        // DataOstatniegoEksportu before the first step
    int dzienZapisany = 0;
    bool email = false;
    uint16_t slowoOpcji = 0;
    std::vector<Krok> kroki;
};

std::vector<int> FunkcjeZAwariami() {
    std::vector<int> wynik;
    for (uint32_t i = 0; i < LICZBA_FUNKCJI_HOSTA; ++i)
        if (torvel::LiczbaSposobowAwarii(OrdinalyFunkcjiHosta[i]) > 0) wynik.push_back(OrdinalyFunkcjiHosta[i]);
    return wynik;
}

Historia Losuj(uint64_t ziarno) {
    static const std::vector<int> FUNKCJE = FunkcjeZAwariami();
    Los los{ziarno};
    Historia h;
    h.ziarno = ziarno;
    int zapis = los.Do(20);
    h.zapisanaData = zapis >= 5;
    h.dzienZapisany = zapis < 18 ? -1 - los.Do(7) : los.Do(3);  // mostly the week before, at times today or later
    h.kompletneUstawienia = los.Do(4) != 0;
    h.email = los.Do(2) == 0;
    h.slowoOpcji = los.Do(2) == 0 ? 0x8000 : 0;
    int kroki = 5 + los.Do(16);
    int64_t minuta = los.Do(MINUT_W_DOBIE);
    for (int i = 0; i < kroki; ++i) {
        if (i > 0) {
            static const int DNI[] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 3};
            minuta += MINUT_W_DOBIE * DNI[los.Do(10)];
            switch (los.Do(3)) {
                case 0: {  // forward: a minute, an hour, or up to three hours
                    static const int KROK[] = {1, 60, 0};
                    int o = KROK[los.Do(3)];
                    minuta += o != 0 ? o : 1 + los.Do(180);
                    break;
                }
                case 1: break;  // the same minute
                default: minuta -= 60; break;  // the clock put back an hour
            }
        }
        Krok k;
        k.minuta = minuta;
        k.zdarzenie = los.Do(2) == 0;
        k.esc = !k.zdarzenie && los.Do(10) == 0;
        k.do_ = -los.Do(4);
        k.od = los.Do(20) == 0 ? k.do_ + 1 : k.do_ - los.Do(7);  // now and then in the wrong order
        int z = los.Do(10);
        if (z == 4) k.zaklocenie = Zaklocenie::SerwerNiedostepny;
        if (z == 5) k.zaklocenie = Zaklocenie::ZleHaslo;
        if (z == 6) k.zaklocenie = Zaklocenie::OdmowaZapisu;
        if (z == 7) {  // a write or the close of the export file fails
            k.zaklocenie = Zaklocenie::AwariaHosta;
            k.ordinal = los.Do(2) == 0 ? 52541 : 52305;
            k.ktore = k.ordinal == 52541 ? 1 + los.Do(4) : 1;
            k.sposob = 1;
        }
        if (z >= 8) {  // any fault point of the stand-in host
            k.zaklocenie = Zaklocenie::AwariaHosta;
            k.ordinal = FUNKCJE[los.Do(static_cast<int>(FUNKCJE.size()))];
            bool czesta = k.ordinal == 52279 || k.ordinal == 41399 || k.ordinal == 52541;
            k.ktore = 1 + los.Do(czesta ? 40 : 3);
            k.sposob = 1 + los.Do(torvel::LiczbaSposobowAwarii(k.ordinal));
        }
        h.kroki.push_back(k);
    }
    return h;
}

std::string OpisKroku(const Krok& k) {
    int dzien = DzienMinuty(k.minuta);
    int64_t m = k.minuta - static_cast<int64_t>(dzien) * MINUT_W_DOBIE;
    char czas[16];
    snprintf(czas, sizeof czas, " %02d:%02d  ", static_cast<int>(m / 60), static_cast<int>(m % 60));
    std::string opis = DataKroku(dzien) + czas;
    if (k.zdarzenie) opis += "event";
    else if (k.esc) opis += "menu, ESC";
    else opis += "menu " + Wyswietl(dzien + k.od) + "-" + Wyswietl(dzien + k.do_);
    switch (k.zaklocenie) {
        case Zaklocenie::Brak: break;
        case Zaklocenie::SerwerNiedostepny: opis += ", server down"; break;
        case Zaklocenie::ZleHaslo: opis += ", login refused (wrong password)"; break;
        case Zaklocenie::OdmowaZapisu: opis += ", server refuses to store the file"; break;
        case Zaklocenie::AwariaHosta:
            opis += ", call " + std::to_string(k.ktore) + " of " + std::to_string(k.ordinal) + " fails (" +
                    torvel::OpisAwarii(k.ordinal, k.sposob) + ")";
            break;
    }
    return opis;
}

std::string OpisHistorii(const Historia& h, const char* wciecie) {
    std::string opis = std::string(wciecie) + "start: " +
                       (h.zapisanaData ? "DataOstatniegoEksportu=" + TekstDnia(h.dzienZapisany) : "no date stored") +
                       (h.kompletneUstawienia ? "" : ", settings file without the default keys") +
                       (h.email ? ", e-mail report" : "") + (h.slowoOpcji ? ", option bit 0x8000 set" : "") + "\n";
    for (size_t i = 0; i < h.kroki.size(); ++i)
        opis += std::string(wciecie) + std::to_string(i + 1) + ". " + OpisKroku(h.kroki[i]) + "\n";
    return opis;
}

// ------------------------------------------------- one history (child)

struct Sklep {
    std::vector<ParagonSklepu> paragony;
    std::vector<torvel::RekordParagonu> rekordyParagonow;  // the same as the host's tables
    std::vector<torvel::RekordPozycji> rekordyPozycji;
    std::map<int, int> dzienParagonu;  // receipt number -> day
};

// What a step left for the checks after the history.
struct PoKroku {
    bool eksport = false;  // an export run was due
    bool zdarzenie = false;
    int od = 0, do_ = 0;   // the period, in days
    bool sukces = false;
    std::string nazwa, tresc;  // the file the success named, as it lay after the step
    torvel::Dostawa dostawa;  // what the host delivered, kept for a successful automatic run
};

std::map<std::string, std::string> PlikiEksportu() {
    std::map<std::string, std::string> pliki;
    std::error_code e;
    for (const auto& w : std::filesystem::directory_iterator("BRENVIK", e))
        pliki[w.path().filename().string()] = CzytajPlik(w.path().string());
    return pliki;
}

// Runs one step; returns what the step left, the run's own checks done.
PoKroku UruchomKrok(const Krok& k, const Historia& h, const Sklep& sklep, SerwerTortury* serwer) {
    torvel::Stan& s = torvel::stan();
    int dzien = DzienMinuty(k.minuta);
    int64_t minuta = k.minuta - static_cast<int64_t>(dzien) * MINUT_W_DOBIE;
    struct tm data = DataDnia(dzien);
    s.rok = data.tm_year + 1900, s.miesiac = data.tm_mon + 1, s.dzien = data.tm_mday;
    s.godzina = static_cast<int>(minuta / 60), s.minuta = static_cast<int>(minuta % 60);
    s.formularzOd = TekstDnia(dzien + k.od);
    s.formularzDo = TekstDnia(dzien + k.do_);
    s.formularzPrzycisk = k.esc ? "ESC" : "F12";
    s.komunikaty.clear();
    serwer->odpowiedz = k.zaklocenie == Zaklocenie::SerwerNiedostepny ? OdpowiedzSerwera::Niedostepny
                        : k.zaklocenie == Zaklocenie::ZleHaslo        ? OdpowiedzSerwera::OdrzucaLogowanie
                        : k.zaklocenie == Zaklocenie::OdmowaZapisu    ? OdpowiedzSerwera::OdrzucaZapis
                                                                      : OdpowiedzSerwera::Przyjmuje;
    if (k.zaklocenie == Zaklocenie::AwariaHosta) torvel::ZaplanujAwarieFunkcji(k.ordinal, k.ktore, k.sposob);
    else torvel::ZaplanujAwarie(0, 0);
    std::string iniPrzed = CzytajPlik("brenvik.ini");
    size_t odebranePrzed = serwer->odebrane.size();

    if (k.zdarzenie) {
        Eksport30008(0);
    } else if (s.polecenie != nullptr) {
        s.polecenie->obsluga();
    }

    OczekiwanyPrzebieg o;
    o.zdarzenie = k.zdarzenie;
    o.slowoOpcji = h.slowoOpcji;
    o.stanHosta = 5;
    o.iniPrzed = iniPrzed;
    o.awaria = OdczytajAwarie(k.ordinal, k.sposob);
    PoKroku po;
    po.zdarzenie = k.zdarzenie;
    if (k.zdarzenie) {
        // The automatic export's period, worked out from the stored date as
        // the host reported it: from that day, the day before yesterday when
        // there is none, the three days up to yesterday when it is later;
        // nothing when it is yesterday.
        int wczoraj = dzien - 1, start = wczoraj - 1;
        std::string zapisana = WartoscIni(iniPrzed, "danePomocnicze", "DataOstatniegoEksportu");
        if (!o.awaria.OdczytBrak("DataOstatniegoEksportu") && !zapisana.empty() && !DzienTekstu(zapisana, &start))
            Blad("DataOstatniegoEksportu is no date: \"" + zapisana + "\"");
        po.eksport = start != wczoraj;
        po.od = start > wczoraj ? wczoraj - 2 : start;
        po.do_ = wczoraj;
        o.bezEksportu = !po.eksport;
    } else {
        po.od = dzien + k.od, po.do_ = dzien + k.do_;
        bool anulowany = k.esc || o.awaria.ordinal == 52026;
        po.eksport = !anulowany && po.od <= po.do_;
        o.bezEksportu = anulowany;  // dates in the wrong order are a warning
    }
    o.plik = PlikWgUstawien(sklep.paragony, iniPrzed, o.awaria, TekstDnia(po.od), TekstDnia(po.do_));
    WynikPrzebiegu wynik = SprawdzPrzebieg(o, CzytajPlik("brenvik.ini"), serwer->Pliki(odebranePrzed));
    if (wynik.sukces && !po.eksport) Blad("a success shown where no export was due");
    po.sukces = wynik.sukces;
    po.nazwa = wynik.nazwa;
    if (po.sukces) po.tresc = CzytajPlik("BRENVIK/" + po.nazwa);
    if (po.sukces && po.zdarzenie) po.dostawa = torvel::DostarczoneRekordy();
    return po;
}

// The expected line of a receipt in any form a run may have written it:
// shop 15 or the default 1, goods group 5 excluded or not.
bool NaSerwerze(const ParagonSklepu& p, const std::map<std::string, std::string>& pliki) {
    for (const std::string* wzor : {&p.wiersz, &p.wierszBezWykluczen}) {
        if (wzor->empty()) continue;
        for (const char* numer : {"015", "001"}) {
            std::string linia = "\r\n" + WierszZeSklepem(*wzor, numer) + "\r\n";
            for (const auto& plik : pliki)
                if (("\r\n" + plik.second).find(linia) != std::string::npos) return true;
        }
    }
    return false;
}

// What must hold across the runs of the history.
void SprawdzHistorie(const std::vector<PoKroku>& kroki, const Sklep& sklep, const SerwerTortury& serwer,
                     const std::string& iniPoczatkowe) {
    // No name received twice.
    std::map<std::string, int> razy;
    for (const OdebranyPlik& p : serwer.odebrane)
        if (++razy[p.nazwa] == 2) Blad("the server received a second file under " + p.nazwa);

    // Every file shown as sent is on the server as it lies in BRENVIK, and
    // as it was when its run ended.
    std::map<std::string, std::string> naSerwerze = serwer.Pliki();
    std::map<std::string, std::string> lokalne = PlikiEksportu();
    for (size_t i = 0; i < kroki.size(); ++i) {
        const PoKroku& k = kroki[i];
        if (!k.sukces) continue;
        std::string krok = "step " + std::to_string(i + 1) + "'s file " + k.nazwa;
        if (naSerwerze.count(k.nazwa) == 0) Blad(krok + " is not on the server");
        else if (naSerwerze[k.nazwa] != lokalne[k.nazwa]) Blad(krok + " on the server differs from the one in BRENVIK");
        if (lokalne[k.nazwa] != k.tresc) Blad(krok + " changed after its run");
    }

    // Every well-formed card receipt from the first automatic period's start
    // to the final DataOstatniegoEksportu is in a file the server holds,
    // unless the host itself withheld it from every successful automatic
    // run that covered its day (a cursor that ended early, a stored date
    // reported missing: the per-run checks allow for both).
    std::string przed = WartoscIni(iniPoczatkowe, "danePomocnicze", "DataOstatniegoEksportu");
    std::string po = WartoscIni(CzytajPlik("brenvik.ini"), "danePomocnicze", "DataOstatniegoEksportu");
    const PoKroku* pierwszy = nullptr;
    for (const PoKroku& k : kroki)
        if (pierwszy == nullptr && k.zdarzenie && k.eksport) pierwszy = &k;
    int koniec = 0;
    if (pierwszy == nullptr || po == przed || !DzienTekstu(po, &koniec)) return;
    int poczatek = pierwszy->od;
    for (const ParagonSklepu& p : sklep.paragony) {
        auto dzien = sklep.dzienParagonu.find(p.numer);
        if (p.wiersz.empty() || dzien == sklep.dzienParagonu.end()) continue;
        if (dzien->second < poczatek || dzien->second > koniec || NaSerwerze(p, naSerwerze)) continue;
        for (size_t i = 0; i < kroki.size(); ++i) {
            const PoKroku& k = kroki[i];
            bool objety = k.zdarzenie && k.sukces && k.od <= dzien->second && dzien->second <= k.do_;
            if (objety && k.dostawa.paragony.count(p.numer) && !k.dostawa.niepelnePozycje.count(p.numer)) {
                Blad("receipt " + std::to_string(p.numer) + " of " + p.data + " is in no file the server holds, though step " +
                     std::to_string(i + 1) + " sent it and the date has moved past it");
                break;
            }
        }
    }
}

// Runs the history in this process; true when every check held. The
// findings go to stderr when asked.
bool PrzebiegHistorii(const Historia& h, const Sklep& sklep, bool wypisz) {
    SerwerTortury serwer;
    UstawSerwer(&serwer);
    WyczyscBledy();
    std::string katalog = NowyKatalog();
    torvel::Resetuj();
    torvel::WczytajRekordy(sklep.rekordyParagonow, sklep.rekordyPozycji);
    torvel::UstawSladWPamieci(false);
    if (chdir(katalog.c_str()) != 0) _exit(3);
    torvel::stan().katalog = katalog;
    torvel::stan().cichy = true;
    torvel::stan().slowoOpcji = h.slowoOpcji;
    torvel::stan().stanHosta = 5;
    torvel::stan().programWProcesie = ProgramWProcesie;
    std::string ini = UstawieniaSklepu("tajne", h.zapisanaData ? TekstDnia(h.dzienZapisany) : "", h.email, h.kompletneUstawienia);
    std::ofstream(katalog + "/brenvik.ini", std::ios::binary) << ini;
    torvel::WlaczAwarie(true);
    PowiazModul();
    torvel::ZaplanujAwarie(0, 0);

    std::string raport;
    char rekordHosta[256] = {};
    if (Eksport30001(&TorvelFunkcjaZwrotna, rekordHosta) != 0 || torvel::stan().polecenie == nullptr) {
        raport = "  the module did not connect\n";
    } else {
        std::vector<PoKroku> kroki;
        std::map<std::string, std::string> lokalne;
        for (size_t i = 0; i < h.kroki.size(); ++i) {
            kroki.push_back(UruchomKrok(h.kroki[i], h, sklep, &serwer));
            // No export file changes once its run has ended.
            std::map<std::string, std::string> teraz = PlikiEksportu();
            for (const auto& plik : lokalne)
                if (teraz[plik.first] != plik.second) Blad("BRENVIK/" + plik.first + " was replaced");
            lokalne = teraz;
            if (!Bledy().empty()) raport += "  step " + std::to_string(i + 1) + ", " + OpisKroku(h.kroki[i]) + ":\n" + Bledy();
            WyczyscBledy();
        }
        SprawdzHistorie(kroki, sklep, serwer, ini);
        if (!Bledy().empty()) raport += "  after the history:\n" + Bledy();
    }

    std::error_code e;
    std::filesystem::remove_all(katalog, e);
    UstawSerwer(nullptr);
    if (wypisz && !raport.empty()) fprintf(stderr, "%s", raport.c_str());
    return raport.empty();
}

// ------------------------------------------------------------- driver

bool Zawodzi(const Historia& h, const Sklep& sklep) {
    return !WDziecku([&h, &sklep] { return PrzebiegHistorii(h, sklep, false); });
}

// Drops steps one at a time while the history still fails, then the faults
// of the steps left that it fails without.
Historia Skroc(Historia h, const Sklep& sklep) {
    for (bool krotsza = true; krotsza;) {
        krotsza = false;
        for (size_t i = 0; i < h.kroki.size() && h.kroki.size() > 1;) {
            Historia bez = h;
            bez.kroki.erase(bez.kroki.begin() + static_cast<std::ptrdiff_t>(i));
            if (Zawodzi(bez, sklep)) {
                h = bez;
                krotsza = true;
            } else {
                ++i;
            }
        }
    }
    for (Krok& k : h.kroki) {
        if (k.zaklocenie == Zaklocenie::Brak) continue;
        Krok z = k;
        k = Krok();
        k.minuta = z.minuta, k.zdarzenie = z.zdarzenie, k.esc = z.esc, k.od = z.od, k.do_ = z.do_;
        if (!Zawodzi(h, sklep)) k = z;
    }
    return h;
}

void PokazNieudana(const Historia& h, const Sklep& sklep) {
    Historia krotka = Skroc(h, sklep);
    printf("history: FAILED seed %llu (%zu steps), shortened to %zu steps:\n%s",
           static_cast<unsigned long long>(h.ziarno), h.kroki.size(), krotka.kroki.size(),
           OpisHistorii(krotka, "history:   ").c_str());
    fflush(stdout);
    WDziecku([&krotka, &sklep] { return PrzebiegHistorii(krotka, sklep, true); });
    printf("history: repeat with: tests/torture/run --history %llu\n", static_cast<unsigned long long>(h.ziarno));
}

Sklep PrzygotujSklep() {
    struct tm pierwszy = DataDnia(PIERWSZY_DZIEN_SKLEPU);
    Sklep sklep;
    sklep.paragony = SklepHistorii(pierwszy.tm_year + 1900, pierwszy.tm_mon + 1, pierwszy.tm_mday, DNI_SKLEPU);
    RekordySklepu(sklep.paragony, &sklep.rekordyParagonow, &sklep.rekordyPozycji);
    for (const ParagonSklepu& p : sklep.paragony) {
        int dzien = 0;
        if (DzienTekstu(p.data, &dzien)) sklep.dzienParagonu[p.numer] = dzien;
    }
    return sklep;
}

}  // namespace

bool UruchomHistorie(const OpcjeHistorii& opcje) {
    timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    const Sklep sklep = PrzygotujSklep();
    uint64_t historie = 0, przebiegi = 0;
    std::vector<uint64_t> nieudane;
    if (opcje.jedna) {
        Historia h = Losuj(opcje.jednaZiarno);
        printf("history: seed %llu\n%s", static_cast<unsigned long long>(h.ziarno), OpisHistorii(h, "history:   ").c_str());
        historie = 1, przebiegi = h.kroki.size();
        if (!WDziecku([&h, &sklep] { return PrzebiegHistorii(h, sklep, true); })) nieudane.push_back(h.ziarno);
    } else {
        // Histories go to the children in batches: a fork and a cold start
        // cost as much as a whole history. A batch that fails is run again
        // one history per child, to tell which failed.
        const uint64_t PACZKA = 50;
        std::vector<Historia> wszystkie;
        Los ziarna{opcje.ziarno};
        for (uint64_t i = 0; i < opcje.liczba; ++i) {
            wszystkie.push_back(Losuj(ziarna.Nastepna()));
            przebiegi += wszystkie.back().kroki.size();
        }
        historie = wszystkie.size();
        Wyniki wyniki;
        Dzieci dzieci(&wyniki);
        for (uint64_t p = 0; p < wszystkie.size(); p += PACZKA) {
            dzieci.Uruchom(
                [p, &wszystkie, &sklep] {
                    bool dobrze = true;
                    for (uint64_t i = p; i < wszystkie.size() && i < p + PACZKA; ++i)
                        dobrze = PrzebiegHistorii(wszystkie[i], sklep, false) && dobrze;
                    return dobrze;
                },
                p);
        }
        dzieci.CzekajNaWszystkie();
        for (uint64_t p : dzieci.Nieudane()) {
            size_t przed = nieudane.size();
            for (uint64_t i = p; i < wszystkie.size() && i < p + PACZKA; ++i) {
                const Historia& h = wszystkie[i];
                if (!WDziecku([&h, &sklep] { return PrzebiegHistorii(h, sklep, false); })) nieudane.push_back(h.ziarno);
            }
            // Failing only after other histories in the same process: a
            // finding of its own, counted for the batch's first history.
            if (nieudane.size() == przed) {
                printf("history: the batch from seed %llu failed, but none of its histories alone\n",
                       static_cast<unsigned long long>(wszystkie[p].ziarno));
                nieudane.push_back(wszystkie[p].ziarno);
            }
        }
    }

    // The first few failures shortened; the rest by seed.
    const size_t POKAZANE = 3;
    for (size_t i = 0; i < nieudane.size() && i < POKAZANE; ++i) PokazNieudana(Losuj(nieudane[i]), sklep);
    if (nieudane.size() > POKAZANE) {
        printf("history: %zu more failed, seeds", nieudane.size() - POKAZANE);
        for (size_t i = POKAZANE; i < nieudane.size() && i < 20; ++i) printf(" %llu", static_cast<unsigned long long>(nieudane[i]));
        printf("%s\n", nieudane.size() > 20 ? " ..." : "");
    }
    timespec koniec;
    clock_gettime(CLOCK_MONOTONIC, &koniec);
    printf("history: %llu histories of 5 to 20 steps from seed %llu, %.1f s\n", static_cast<unsigned long long>(historie),
           static_cast<unsigned long long>(opcje.jedna ? opcje.jednaZiarno : opcje.ziarno),
           (koniec.tv_sec - start.tv_sec) + (koniec.tv_nsec - start.tv_nsec) / 1e9);
    printf("history: histories=%llu runs=%llu failed=%zu\n", static_cast<unsigned long long>(historie),
           static_cast<unsigned long long>(przebiegi), nieudane.size());
    return nieudane.empty();
}

}  // namespace tortura

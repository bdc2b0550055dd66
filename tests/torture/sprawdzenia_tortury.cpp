#include "tests/torture/sprawdzenia_tortury.h"

#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <set>
#include <sstream>

#include "torvel/uslugi/torvel.h"

namespace tortura {

namespace {
std::string bledy;
}

void Blad(const std::string& tekst) { bledy += "  " + tekst + "\n"; }
const std::string& Bledy() { return bledy; }
void WyczyscBledy() { bledy.clear(); }

std::string CzytajPlik(const std::string& sciezka) {
    std::ifstream plik(sciezka, std::ios::binary);
    std::ostringstream tresc;
    tresc << plik.rdbuf();
    return tresc.str();
}

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

bool Pokazano(int ordinal, const std::string& poczatek, int32_t styl) {
    for (const torvel::Komunikat& k : torvel::stan().komunikaty)
        if (k.ordinal == ordinal && k.tekst.compare(0, poczatek.size(), poczatek) == 0 && (styl < 0 || k.styl == styl))
            return true;
    return false;
}

bool Awaria::OdczytBrak(const char* nazwaKlucza) const {
    return ordinal == 41399 && trybUstawien == 8 && klucz == nazwaKlucza;
}

Awaria OdczytajAwarie(int ordinal, int sposob) {
    Awaria awaria;
    if (!torvel::AwariaNastapila()) return awaria;
    awaria.ordinal = ordinal;
    awaria.sposob = sposob;
    if (ordinal == 41399) {
        std::istringstream k(torvel::KontekstAwarii());
        k >> awaria.trybUstawien >> awaria.sekcja >> awaria.klucz;
    }
    return awaria;
}

OczekiwanyPlik PlikWgUstawien(const std::vector<ParagonSklepu>& sklep, const std::string& iniPrzed, const Awaria& awaria,
                              const std::string& dataOd, const std::string& dataDo) {
    // A key reported missing has its default, 1 for both numbers and -1
    // (none) for the excluded group.
    auto liczba = [&](const char* klucz) {
        std::string wartosc = WartoscIni(iniPrzed, "ustawieniaRaportu", klucz);
        return awaria.OdczytBrak(klucz) || wartosc.empty() ? 1 : atoi(wartosc.c_str());
    };
    char tekst[16];
    OczekiwanyPlik o;
    o.sklep = &sklep;
    snprintf(tekst, sizeof tekst, "%03d", liczba("idSklepu"));
    o.numerSklepu = tekst;
    snprintf(tekst, sizeof tekst, "%02d", liczba("idSpoldzielni"));
    o.naglowek = tekst;
    std::string grupa = WartoscIni(iniPrzed, "ustawieniaRaportu", "wykluczonaGrupa");
    o.bezWykluczen = awaria.OdczytBrak("wykluczonaGrupa") || grupa.empty() || atoi(grupa.c_str()) <= 0;
    o.dataOd = dataOd;
    o.dataDo = dataDo;
    return o;
}

void SprawdzPlik(const std::string& tresc, const OczekiwanyPlik& o) {
    const torvel::Dostawa& dostawa = torvel::DostarczoneRekordy();
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
    if (linie.empty() || linie[0] != o.naglowek) {
        Blad("the uploaded file does not start with the cooperative number " + o.naglowek);
        return;
    }
    std::multiset<std::string> reszta(linie.begin() + 1, linie.end());
    for (const ParagonSklepu& p : *o.sklep) {
        const std::string& wzor = o.bezWykluczen ? p.wierszBezWykluczen : p.wiersz;
        bool wOkresie = !p.data.empty() && o.dataOd <= p.data && p.data <= o.dataDo;
        if (wzor.empty() || !wOkresie) continue;
        std::string wiersz = WierszZeSklepem(wzor, o.numerSklepu);
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

WynikPrzebiegu SprawdzPrzebieg(const OczekiwanyPrzebieg& o, const std::string& iniPo,
                               const std::map<std::string, std::string>& wyslane) {
    const torvel::Stan& h = torvel::stan();
    const Awaria& awaria = o.awaria;
    std::string dataPrzed = WartoscIni(o.iniPrzed, "danePomocnicze", "DataOstatniegoEksportu");
    std::string dataPo = WartoscIni(iniPo, "danePomocnicze", "DataOstatniegoEksportu");
    const std::string SUKCES = "Wyeksportowano raport na serwer do pliku ";
    WynikPrzebiegu wynik;
    wynik.sukces = Pokazano(52028, SUKCES);
    bool porazkaPokazana = Pokazano(35804, "") || Pokazano(52030, "") || Pokazano(52028, "", 1) || Pokazano(35802, "");

    if (!o.polaczony) {
        if (!Pokazano(35802, "")) Blad("connect refused without a report");
    } else {
        if (h.flagaWsadowa != 0) Blad("batch flag left at " + std::to_string(h.flagaWsadowa));
        if ((h.slowoOpcji & 0x8000) != (o.slowoOpcji & 0x8000)) Blad("option bit 0x8000 changed");
        if (h.stanHosta != o.stanHosta) Blad("host state left at " + std::to_string(h.stanHosta));
    }
    if (wynik.sukces) {
        for (const torvel::Komunikat& k : h.komunikaty)
            if (k.ordinal == 52028 && k.tekst.compare(0, SUKCES.size(), SUKCES) == 0) wynik.nazwa = k.tekst.substr(SUKCES.size());
        auto plik = wyslane.find(wynik.nazwa);
        if (plik == wyslane.end()) {
            Blad("success shown, but " + wynik.nazwa + " never reached the server");
        } else {
            SprawdzPlik(plik->second, o.plik);
        }
        bool zapisNieudany = awaria.ordinal == 41399 && awaria.trybUstawien == 9;
        if (o.zdarzenie && !zapisNieudany && dataPo != o.plik.dataDo)
            Blad("automatic export succeeded, but DataOstatniegoEksportu is \"" + dataPo + "\"");
    } else {
        if (!wyslane.empty()) Blad("a file reached the server, but no success was shown");
        if (o.polaczony && !o.bezEksportu && !porazkaPokazana) Blad("the run neither succeeded nor showed a failure");
    }
    if (dataPo != dataPrzed && !(o.zdarzenie && wynik.sukces && dataPo == o.plik.dataDo))
        Blad("DataOstatniegoEksportu moved from \"" + dataPrzed + "\" to \"" + dataPo + "\"");
    return wynik;
}

}  // namespace tortura

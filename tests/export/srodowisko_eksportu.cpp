#include "tests/export/srodowisko_eksportu.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/platforma.h"

namespace testy {

namespace {

std::vector<ZapisanaPauza> pauzy;

void NagrajPauze(uint32_t milisekundy) {
    pauzy.push_back({milisekundy, torvel::stan().komunikaty.size(), torvel::Slad().size()});
}

}  // namespace

void PrintTo(const WpisIni& w, std::ostream* os) { *os << "[" << w.sekcja << "] " << w.klucz << "=" << w.wartosc; }

void SrodowiskoEksportu::SetUp() {
    torvel::Resetuj();
    torvel::WyczyscSlad();
    char wzor[] = "/tmp/brenvik-eksport-XXXXXX";
    ASSERT_NE(mkdtemp(wzor), nullptr);
    katalog_ = wzor;
    char biezacy[4096];
    ASSERT_NE(getcwd(biezacy, sizeof biezacy), nullptr);
    poprzedniKatalog_ = biezacy;
    ASSERT_EQ(chdir(katalog_.c_str()), 0);
    torvel::stan().katalog = katalog_;
    torvel::stan().cichy = true;
    pauzy.clear();
    platforma::zastepstwa.pauza = NagrajPauze;
    Curl(0);
}

void SrodowiskoEksportu::TearDown() {
    platforma::zastepstwa.pauza = nullptr;
    platforma::zastepstwa.plikIstnieje = nullptr;
    if (!poprzedniKatalog_.empty()) {
        EXPECT_EQ(chdir(poprzedniKatalog_.c_str()), 0);
    }
    std::error_code blad;
    if (!katalog_.empty()) std::filesystem::remove_all(katalog_, blad);
}

std::string SrodowiskoEksportu::CzytajPlik(const std::string& wzgledna) const {
    std::ifstream plik(Sciezka(wzgledna), std::ios::binary);
    std::ostringstream tresc;
    tresc << plik.rdbuf();
    return tresc.str();
}

bool SrodowiskoEksportu::PlikIstnieje(const std::string& wzgledna) const {
    struct stat s;
    return stat(Sciezka(wzgledna).c_str(), &s) == 0;
}

void SrodowiskoEksportu::ZapiszPlik(const std::string& wzgledna, const std::string& tresc) const {
    std::ofstream plik(Sciezka(wzgledna), std::ios::binary | std::ios::trunc);
    plik << tresc;
}

void SrodowiskoEksportu::Dane(const json& dane) {
    std::string blad;
    ASSERT_TRUE(torvel::WczytajDaneZTekstu(dane.dump(), &blad)) << blad;
}

std::vector<WpisIni> SrodowiskoEksportu::Ini() const {
    std::vector<WpisIni> wpisy;
    std::istringstream tresc(CzytajPlik("brenvik.ini"));
    std::string linia, sekcja;
    while (std::getline(tresc, linia)) {
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        if (linia.empty() || linia[0] == ';') continue;
        if (linia[0] == '[') {
            sekcja = linia.substr(1, linia.find(']') - 1);
            continue;
        }
        size_t rowna = linia.find('=');
        if (rowna == std::string::npos) continue;
        auto przytnij = [](std::string s) {
            size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
            return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
        };
        wpisy.push_back({sekcja, przytnij(linia.substr(0, rowna)), przytnij(linia.substr(rowna + 1))});
    }
    return wpisy;
}

std::string SrodowiskoEksportu::WartoscIni(const std::string& sekcja, const std::string& klucz) const {
    for (const WpisIni& w : Ini())
        if (w.sekcja == sekcja && w.klucz == klucz) return w.wartosc;
    return "<brak>";
}

void SrodowiskoEksportu::Curl(int kod) {
    std::string skrypt = Sciezka("curl-zastepczy.sh");
    ZapiszPlik("curl-zastepczy.sh", "#!/bin/sh\n"
                                    "for a in \"$@\"; do printf '%s\\001' \"$a\"; done > '" + Sciezka("curl-argumenty") + "'\n"
                                    "echo x >> '" + Sciezka("curl-uruchomienia") + "'\n"
                                    "exit " + std::to_string(kod) + "\n");
    chmod(skrypt.c_str(), 0755);
    torvel::stan().programCurl = skrypt;
}

std::vector<std::string> SrodowiskoEksportu::ArgumentyCurl() const {
    std::vector<std::string> argumenty;
    std::string tresc = CzytajPlik("curl-argumenty"), biezacy;
    for (char c : tresc) {
        if (c == '\001') {
            argumenty.push_back(biezacy);
            biezacy.clear();
        } else {
            biezacy += c;
        }
    }
    return argumenty;
}

int SrodowiskoEksportu::UruchomieniaCurl() const {
    std::string tresc = CzytajPlik("curl-uruchomienia");
    return static_cast<int>(std::count(tresc.begin(), tresc.end(), '\n'));
}

std::vector<json> SrodowiskoEksportu::Wywolania(int ordinal) const {
    std::vector<json> wynik;
    for (const std::string& linia : torvel::Slad()) {
        json wpis = json::parse(linia);
        if (wpis["ord"] == ordinal) wynik.push_back(wpis);
    }
    return wynik;
}

std::vector<int> SrodowiskoEksportu::Ordinaly() const {
    std::vector<int> wynik;
    for (const std::string& linia : torvel::Slad()) wynik.push_back(json::parse(linia)["ord"].get<int>());
    return wynik;
}

const std::vector<ZapisanaPauza>& SrodowiskoEksportu::Pauzy() const { return pauzy; }

json Paragon(int numer, const std::string& data, const std::string& opis, double kwota1, double kwota2) {
    return {{"numerParagonu", numer}, {"dataParagonu", data}, {"minutaParagonu", 600}, {"kwota1", kwota1},
            {"kwota2", kwota2},       {"opisParagonu", opis}, {"stanParagonu", 0},     {"trybKwot", 0}};
}

json Pozycja(int numer, const std::string& kod, int ilosc, double kwotaSumy0, double kwotaWykazu0, int grupa) {
    return {{"numerParagonu", numer},  {"kodPozycji", kod},          {"ilosc", ilosc},        {"grupa", grupa},
            {"kwotaSumy0", kwotaSumy0}, {"kwotaSumy1", 0},            {"kwotaWykazu0", kwotaWykazu0},
            {"kwotaWykazu1", 0},        {"znacznikPozycji", 1}};
}

}  // namespace testy

// Settings values of any length and content (Mazovia bytes, blanks,
// quotation marks, percent signs, backslashes, leading hyphens) through the
// settings read helpers, a whole export run and the curl argument text:
// curl receives exactly the configured host, directory, user and password
// (cut to their fields), no value becomes an option of its own, the
// report e-mail carries its values cut to their buffers, and every missing
// key is written back with its default.
//
// Input: a control byte (bits 0-1 choose curl's exit code 0, 6, 7 or 67),
// then the values of KLUCZE in order, separated by NUL bytes. A value that
// is the single byte 0x01, or that the input does not reach, is missing.
#include <string.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "commands/znaczniki_kas.h"
#include "export/eksport_sprzedazy.h"
#include "host/ustawienia.h"
#include "tests/fuzz/srodowisko_fuzz.h"

namespace {

struct Klucz {
    const char* sekcja;
    const char* nazwa;
};
const Klucz KLUCZE[] = {
    {"ustawieniaTransmisji", "hostFTP"},  {"ustawieniaTransmisji", "userFTP"}, {"ustawieniaTransmisji", "passFTP"},
    {"ustawieniaTransmisji", "dirFTP"},   {"ustawieniaRaportu", "nazwaSklepu"}, {"ustawieniaRaportu", "idSklepu"},
    {"ustawieniaRaportu", "idSpoldzielni"}, {"ustawieniaTransmisji", "portFTP"}, {"ustawieniaEmail", "hostSMTP"},
    {"ustawieniaEmail", "login"},         {"ustawieniaEmail", "haslo"},         {"ustawieniaEmail", "adresat"},
    {"odczytParagonowZKas", "Kasa01"},    {"odczytParagonowZKas", "Kasa10"},   {"ustawieniaRaportu", "wykluczonaGrupa"},
};
enum { HOST, USER, PASS, DIR, NAZWA_SKLEPU, ID_SKLEPU, ID_SPOLDZIELNI, PORT, SMTP, LOGIN, HASLO, ADRESAT, KASA01, KASA10, GRUPA,
       LICZBA_KLUCZY };
const int32_t KODY_CURL[4] = {0, 6, 7, 67};

struct Wartosc {
    bool jest = false;
    std::string tekst;
};

// The value the module works with: the configured one, or the default.
std::string Tekst(const Wartosc& w, const char* domyslny) { return w.jest ? w.tekst : std::string(domyslny); }

bool Zapisano(const std::string& klucz, const std::string& wartosc) {
    for (const auto& z : fuzz::ustawienia().zapisy)
        if (z.first == klucz && z.second == wartosc) return true;
    return false;
}

bool ZapisanoKlucz(const std::string& klucz) {
    for (const auto& z : fuzz::ustawienia().zapisy)
        if (z.first == klucz) return true;
    return false;
}

const fuzz::Zapis* ZapisFormatu(const char* format) {
    for (const auto& z : fuzz::zapisy())
        if (z.format == format) return &z;
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    if (rozmiar == 0) return 0;
    fuzz::NoweWejscieEksportu();
    fuzz::kodCurl = KODY_CURL[dane[0] & 3];

    Wartosc w[LICZBA_KLUCZY];
    std::string reszta(reinterpret_cast<const char*>(dane + 1), rozmiar - 1);
    size_t poczatek = 0;
    for (int i = 0; i < LICZBA_KLUCZY && poczatek <= reszta.size(); ++i) {
        size_t koniec = std::min(reszta.find('\0', poczatek), reszta.size());
        std::string tekst = reszta.substr(poczatek, koniec - poczatek);
        poczatek = koniec + 1;
        if (tekst == "\x01") continue;
        w[i].jest = true;
        w[i].tekst = tekst;
        fuzz::ustawienia().wartosci[{KLUCZE[i].sekcja, KLUCZE[i].nazwa}] = tekst;
    }

    // The read helpers, into destinations of several sizes.
    for (size_t n : {size_t(1), size_t(2), size_t(61)}) {
        char cel[61];
        memset(cel, 'x', sizeof cel);
        CzytajTekstZDomyslna("ustawieniaTransmisji", "userFTP", cel, n, "nazwauzytkownika");
        std::string oczekiwany = fuzz::Utnij(Tekst(w[USER], "nazwauzytkownika"), n - 1);
        WYMAGAJ(strnlen(cel, n) < n && cel == oczekiwany, "user read into %zu bytes", n);
        bool jest = CzytajTekst("ustawieniaEmail", "hostSMTP", cel, n);
        WYMAGAJ(jest == w[SMTP].jest && cel == fuzz::Utnij(w[SMTP].tekst, n - 1), "hostSMTP read into %zu bytes", n);
    }
    int16_t znaczniki[LICZBA_KAS];
    WczytajZnacznikiKas(znaczniki);
    WYMAGAJ(znaczniki[0] == (w[KASA01].jest ? fuzz::Liczba16(w[KASA01].tekst) : 1), "Kasa01 %d", znaczniki[0]);
    WYMAGAJ(znaczniki[9] == (w[KASA10].jest ? fuzz::Liczba16(w[KASA10].tekst) : 1), "Kasa10 %d", znaczniki[9]);
    for (int i = 1; i < 9; ++i) WYMAGAJ(znaczniki[i] == 1, "Kasa%02d %d", i + 1, znaczniki[i]);
    fuzz::ustawienia().zapisy.clear();

    WYMAGAJ(EksportSprzedazy(1, "", "") == 1, "export run stopped");

    // Missing keys come back with their defaults.
    WYMAGAJ(w[HOST].jest || Zapisano("hostFTP", "ftp.sklep.example"), "hostFTP default");
    WYMAGAJ(w[USER].jest || Zapisano("userFTP", "nazwauzytkownika"), "userFTP default");
    WYMAGAJ(w[PASS].jest || Zapisano("passFTP", "kwintoru"), "passFTP default");
    WYMAGAJ(w[DIR].jest || Zapisano("dirFTP", "katalogFTP"), "dirFTP default");
    WYMAGAJ(w[ID_SKLEPU].jest || Zapisano("idSklepu", "1"), "idSklepu default");
    WYMAGAJ(w[GRUPA].jest != Zapisano("wykluczonaGrupa", "-1"), "wykluczonaGrupa default");
    WYMAGAJ(!ZapisanoKlucz("DataOstatniegoEksportu"), "a menu run records no period");

    // curl's command line, split as curl's runtime splits it.
    const auto& uruchomienia = fuzz::uruchomienia();
    WYMAGAJ(uruchomienia.size() == 1 && uruchomienia[0].program == "curl", "%zu runs", uruchomienia.size());
    const std::string& tekst = uruchomienia[0].argumenty;
    std::vector<std::string> argv = fuzz::PodzielWierszPolecen(tekst);
    WYMAGAJ(argv.size() == 6, "%zu arguments in [%s]", argv.size(), tekst.c_str());
    WYMAGAJ(argv[0] == "-k" && argv[2] == "-u" && argv[4] == "-T", "options in [%s]", tekst.c_str());
    std::string serwer = fuzz::Utnij(Tekst(w[HOST], "ftp.sklep.example"), 60);
    std::string adres = "ftp://" + serwer + fuzz::Utnij(Tekst(w[DIR], "katalogFTP"), 128) + "/";
    WYMAGAJ(argv[1] == adres, "address [%s] in [%s]", argv[1].c_str(), tekst.c_str());
    std::string logowanie =
        fuzz::Utnij(Tekst(w[USER], "nazwauzytkownika"), 60) + ":" + fuzz::Utnij(Tekst(w[PASS], "kwintoru"), 60);
    WYMAGAJ(argv[3] == logowanie, "login [%s] in [%s]", argv[3].c_str(), tekst.c_str());
    char nazwa[256];
    snprintf(nazwa, sizeof nazwa, "%02d_%03d_2026_12_07_1342.csv", w[ID_SPOLDZIELNI].jest ? fuzz::Liczba16(w[ID_SPOLDZIELNI].tekst) : 1,
             w[ID_SKLEPU].jest ? fuzz::Liczba16(w[ID_SKLEPU].tekst) : 1);
    std::string plik = std::string(H37980()(nazwa)) + "BRENVIK\\" + nazwa;
    WYMAGAJ(argv[5] == plik, "file [%s] in [%s]", argv[5].c_str(), tekst.c_str());
    // Values stand only where an option expects them: the address and the
    // file begin with the module's own text, the login follows -u.
    WYMAGAJ(argv[1][0] != '-' && argv[5][0] != '-', "[%s]", tekst.c_str());

    // The outcome: nothing shown after a success; after a failure one
    // "curl.log" record with the whole argument text and one message.
    const fuzz::Zapis* log = ZapisFormatu("Data:%s Komenda CURL zakonczyla sie niepowodzeniem, blad nr %d:\r\nCURL %s\r\n-------------\r\n");
    if (fuzz::kodCurl == 0) {
        WYMAGAJ(log == nullptr && fuzz::okna().empty(), "failure reported after a success");
    } else {
        WYMAGAJ(log != nullptr && log->tekst.find("\r\nCURL " + tekst + "\r\n") != std::string::npos, "log record");
        WYMAGAJ(fuzz::okna().size() == 1 && fuzz::okna()[0].tytul == "Uwaga", "%zu messages", fuzz::okna().size());
        const std::string& komunikat = fuzz::okna()[0].tekst;
        if (fuzz::kodCurl == 6)
            WYMAGAJ(komunikat.size() >= serwer.size() && komunikat.compare(komunikat.size() - serwer.size(), serwer.size(), serwer) == 0,
                    "server name in [%s]", komunikat.c_str());
        else
            WYMAGAJ(komunikat.size() >= strlen(nazwa) && komunikat.compare(komunikat.size() - strlen(nazwa), strlen(nazwa), nazwa) == 0,
                    "file name in [%s]", komunikat.c_str());
    }

    // The report e-mail, only with a mail server; its values cut to their buffers.
    if (!w[SMTP].jest) {
        WYMAGAJ(fuzz::poczta().empty() && !ZapisanoKlucz("login") && !ZapisanoKlucz("uwierzytelnienie"), "mail without hostSMTP");
    } else {
        WYMAGAJ(fuzz::poczta().size() == 1, "%zu mails", fuzz::poczta().size());
        const fuzz::Poczta& p = fuzz::poczta()[0];
        WYMAGAJ(p.serwer == fuzz::Utnij(w[SMTP].tekst, 199), "mail server");
        WYMAGAJ(p.login == fuzz::Utnij(Tekst(w[LOGIN], "raporty@sklep.example"), 49), "mail login");
        WYMAGAJ(p.haslo == fuzz::Utnij(Tekst(w[HASLO], "580342"), 49), "mail password");
        const fuzz::Zapis* do_ = ZapisFormatu("To: %s\n");
        WYMAGAJ(do_ != nullptr && do_->tekst == "To: " + fuzz::Utnij(Tekst(w[ADRESAT], "lumera@sklep.example"), 149) + "\n", "To line");
        const fuzz::Zapis* temat = ZapisFormatu("Subject: Raport ze sklepu %s.\n");
        WYMAGAJ(temat != nullptr &&
                    temat->tekst == "Subject: Raport ze sklepu " + fuzz::Utnij(Tekst(w[NAZWA_SKLEPU], "nazwasklepu"), 99) + ".\n",
                "Subject line");
    }
    return 0;
}

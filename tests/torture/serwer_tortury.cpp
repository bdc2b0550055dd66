#include "tests/torture/serwer_tortury.h"

#include <string.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tortura {

const char* const SERWER_FTP = "127.0.0.1:2121";
const char* const ADRES_FTP = "ftp://127.0.0.1:2121/lumera/";
const char* const LOGOWANIE_FTP = "lumera:tajne";

namespace {
SerwerTortury* serwer = nullptr;
}

std::map<std::string, std::string> SerwerTortury::Pliki(size_t odNumeru) const {
    std::map<std::string, std::string> pliki;
    for (size_t i = odNumeru; i < odebrane.size(); ++i) pliki[odebrane[i].nazwa] = odebrane[i].tresc;
    return pliki;
}

void UstawSerwer(SerwerTortury* s) { serwer = s; }

int ProgramWProcesie(const std::string&, const std::vector<std::string>& argumenty) {
    for (const std::string& a : argumenty)
        if (a == "--mail-rcpt") {
            ++serwer->listy;
            return 0;
        }
    std::string adres, logowanie, plik;
    for (size_t i = 0; i < argumenty.size(); ++i) {
        if (argumenty[i] == "-u" && i + 1 < argumenty.size()) logowanie = argumenty[i + 1];
        if (argumenty[i] == "-T" && i + 1 < argumenty.size()) plik = argumenty[i + 1];
        if (argumenty[i].compare(0, 6, "ftp://") == 0) adres = argumenty[i];
    }
    if (serwer->odpowiedz == OdpowiedzSerwera::Niedostepny) return 7;
    if (adres.compare(0, 6 + strlen(SERWER_FTP), std::string("ftp://") + SERWER_FTP) != 0) return 6;
    if (logowanie != LOGOWANIE_FTP || serwer->odpowiedz == OdpowiedzSerwera::OdrzucaLogowanie) return 67;
    if (adres != ADRES_FTP) return 9;
    if (serwer->odpowiedz == OdpowiedzSerwera::OdrzucaZapis) return 25;
    // Without the host's directory prefix the path is the module's own,
    // relative to the host's directory.
    for (char& c : plik)
        if (c == '\\') c = '/';
    std::ifstream wejscie(plik, std::ios::binary);
    if (!wejscie) return 26;
    std::ostringstream tresc;
    tresc << wejscie.rdbuf();
    serwer->odebrane.push_back({std::filesystem::path(plik).filename().string(), tresc.str()});
    return 0;
}

}  // namespace tortura

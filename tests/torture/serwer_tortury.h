// The servers of the fault runs, in process: curl's upload goes to a fake
// FTP server that keeps every file it was given, also a second one under a
// name it already had, and the mail service's curl to a mail server that
// takes any message.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tortura {

extern const char* const SERWER_FTP;     // hostFTP of the fixture's settings
extern const char* const ADRES_FTP;      // the upload address those settings give
extern const char* const LOGOWANIE_FTP;  // the only login the server takes

// How the FTP server answers an upload.
enum class OdpowiedzSerwera {
    Przyjmuje,         // stores the file when address and login are right
    Niedostepny,       // down: curl's exit code 7
    OdrzucaLogowanie,  // refuses the login, as for a wrong password: 67
    OdrzucaZapis,      // logged in, but refuses to store the file: 25
};

struct OdebranyPlik {
    std::string nazwa, tresc;
};

struct SerwerTortury {
    OdpowiedzSerwera odpowiedz = OdpowiedzSerwera::Przyjmuje;
    std::vector<OdebranyPlik> odebrane;  // every file, in the order received
    int listy = 0;                       // messages the mail server received

    // What the server holds: the last file received under each name.
    std::map<std::string, std::string> Pliki(size_t odNumeru = 0) const;
};

// The server that curl reaches from now on.
void UstawSerwer(SerwerTortury* serwer);

// curl and the mail service's curl for the stand-in host, in process
// (torvel::stan().programWProcesie).
int ProgramWProcesie(const std::string& program, const std::vector<std::string>& argumenty);

}  // namespace tortura

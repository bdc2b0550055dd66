// The host's program runner on Windows: the program name and the argument
// text form the command line, as the host hands it to CreateProcess. With no
// application name the search starts in the host program's directory.
#include <windows.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {

std::string NazwaWWierszu(const std::string& program) {
    return program.find_first_of(" \t") == std::string::npos ? program : "\"" + program + "\"";
}

// Where a program's output goes: an inheritable temporary file, deleted
// when closed, or, in a verbose run, the host's stderr.
class WyjscieProgramu {
public:
    WyjscieProgramu() {
        if (stan().gadatliwy) return;
        char katalog[MAX_PATH], nazwa[MAX_PATH];
        if (!GetTempPathA(sizeof katalog, katalog) || !GetTempFileNameA(katalog, "tvl", 0, nazwa)) return;
        SECURITY_ATTRIBUTES dziedziczony = {sizeof dziedziczony, nullptr, TRUE};
        plik_ = CreateFileA(nazwa, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            &dziedziczony, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    ~WyjscieProgramu() {
        if (plik_ != INVALID_HANDLE_VALUE) CloseHandle(plik_);
    }
    WyjscieProgramu(const WyjscieProgramu&) = delete;
    WyjscieProgramu& operator=(const WyjscieProgramu&) = delete;

    HANDLE Uchwyt() const { return plik_ != INVALID_HANDLE_VALUE ? plik_ : GetStdHandle(STD_ERROR_HANDLE); }

    std::string Tresc() {
        std::string tresc;
        if (plik_ == INVALID_HANDLE_VALUE || SetFilePointer(plik_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
            return tresc;
        char bufor[4096];
        DWORD n = 0;
        while (ReadFile(plik_, bufor, sizeof bufor, &n, nullptr) && n > 0) tresc.append(bufor, n);
        return tresc;
    }

private:
    HANDLE plik_ = INVALID_HANDLE_VALUE;
};

int UruchomWiersz(const std::string& wiersz) {
    // The program's output belongs to the host's diagnostics, not to its terminal dialogue.
    WyjscieProgramu wyjscie;
    STARTUPINFOA start;
    ZeroMemory(&start, sizeof start);
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = wyjscie.Uchwyt();
    start.hStdError = wyjscie.Uchwyt();
    PROCESS_INFORMATION proces;
    ZeroMemory(&proces, sizeof proces);
    std::vector<char> bufor(wiersz.begin(), wiersz.end());
    bufor.push_back('\0');
    if (!CreateProcessA(nullptr, bufor.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &proces)) return -1;
    WaitForSingleObject(proces.hProcess, INFINITE);
    DWORD kod = static_cast<DWORD>(-1);
    if (!GetExitCodeProcess(proces.hProcess, &kod)) kod = static_cast<DWORD>(-1);
    CloseHandle(proces.hThread);
    CloseHandle(proces.hProcess);
    ZachowajWyjscieProgramu(static_cast<int>(kod), wyjscie.Tresc());
    return static_cast<int>(kod);
}

}  // namespace

int UruchomProgram(const std::string& program, const std::vector<std::string>& argumenty) {
    if (stan().programWProcesie) return stan().programWProcesie(program, argumenty);
    if (program.empty()) return -1;
    return UruchomWiersz(NazwaWWierszu(program) + " " + ZlozWierszPolecen(argumenty));
}

}  // namespace torvel

TORVEL_FUNKCJA(int32_t) Torvel52011(int32_t a, const char* program, const char* nazwa, const char* argumenty, int32_t b) {
    int32_t wynik = -1;
    if (program != nullptr && program[0] != '\0') {
        std::string plikProgramu = std::string(program) == "curl" ? torvel::stan().programCurl : std::string(program);
        // The argument text begins with its own blank.
        wynik = torvel::UruchomWiersz(torvel::NazwaWWierszu(plikProgramu) + (argumenty == nullptr ? "" : argumenty));
    }
    using torvel::T;
    torvel::Zapisz(52011, torvel::json::array({a, T(program), T(nazwa), T(argumenty), b}), wynik);
    return wynik;
}

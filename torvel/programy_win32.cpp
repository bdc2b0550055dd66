// The host's program runner on Windows: the program name and the argument
// text form the command line, as the host hands it to CreateProcess. With no
// application name the search starts in the host program's directory.
#include <windows.h>

#include "torvel/funkcje_torvel.h"
#include "torvel/wewnetrzne.h"

namespace torvel {

namespace {

std::string NazwaWWierszu(const std::string& program) {
    return program.find_first_of(" \t") == std::string::npos ? program : "\"" + program + "\"";
}

int UruchomWiersz(const std::string& wiersz) {
    STARTUPINFOA start;
    ZeroMemory(&start, sizeof start);
    start.cb = sizeof start;
    // The program's output belongs to the host's diagnostics.
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = GetStdHandle(STD_ERROR_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
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

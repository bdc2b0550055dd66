// curl.exe for the Windows build's tests under Wine: placed beside
// torvel-sim.exe, it is what the host's "curl" finds first. It hands its
// arguments to the machine's curl, turning each Windows path (X:\...) into
// the Unix path Wine maps it to, which a Linux program understands.
// Wine does not pass a Unix program's exit code back to CreateProcess's
// caller, so a shell runs curl and leaves the code in a file.
#include <windows.h>

#include <stdlib.h>

#include <string>
#include <vector>

namespace {

typedef char*(CDECL* WineNaUnix)(LPCWSTR);

// Quotes an argument so that the Windows command-line rules give it back.
std::string Zacytuj(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string wynik = "\"";
    size_t ukosniki = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++ukosniki;
            continue;
        }
        wynik.append(c == '"' ? 2 * ukosniki + 1 : ukosniki, '\\');
        ukosniki = 0;
        wynik += c;
    }
    wynik.append(2 * ukosniki, '\\');
    return wynik + "\"";
}

bool SciezkaWindows(const std::string& a) {
    return a.size() >= 3 && ((a[0] >= 'A' && a[0] <= 'Z') || (a[0] >= 'a' && a[0] <= 'z')) && a[1] == ':' &&
           (a[2] == '\\' || a[2] == '/');
}

std::string NaUnix(const std::string& sciezka, WineNaUnix mapuj) {
    if (mapuj == nullptr || !SciezkaWindows(sciezka)) return sciezka;
    int n = MultiByteToWideChar(CP_ACP, 0, sciezka.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> szeroka(n);
    MultiByteToWideChar(CP_ACP, 0, sciezka.c_str(), -1, szeroka.data(), n);
    char* unixowa = mapuj(szeroka.data());
    if (unixowa == nullptr) return sciezka;
    std::string wynik(unixowa);
    HeapFree(GetProcessHeap(), 0, unixowa);
    return wynik;
}

}  // namespace

int main(int argc, char** argv) {
    auto mapuj = reinterpret_cast<WineNaUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char katalogTymczasowy[MAX_PATH], plikKodu[MAX_PATH];
    if (!GetTempPathA(sizeof katalogTymczasowy, katalogTymczasowy) ||
        !GetTempFileNameA(katalogTymczasowy, "crl", 0, plikKodu))
        return 126;
    DeleteFileA(plikKodu);
    std::string kodUnix = NaUnix(plikKodu, mapuj);
    std::string skrypt = "/usr/bin/curl \"$@\"; echo $? > '" + kodUnix + ".t' && mv '" + kodUnix + ".t' '" + kodUnix + "'";
    std::string wiersz = "Z:\\bin\\sh -c " + Zacytuj(skrypt) + " sh";
    for (int i = 1; i < argc; ++i) wiersz += " " + Zacytuj(NaUnix(argv[i], mapuj));

    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION proces = {};
    std::vector<char> bufor(wiersz.begin(), wiersz.end());
    bufor.push_back('\0');
    if (!CreateProcessA(nullptr, bufor.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &proces)) return 127;
    WaitForSingleObject(proces.hProcess, INFINITE);
    CloseHandle(proces.hThread);
    CloseHandle(proces.hProcess);
    // The shell may outlive the handle Wine gave back: wait for its file.
    for (int proba = 0; proba < 6000; ++proba) {
        HANDLE plik = CreateFileA(plikKodu, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (plik != INVALID_HANDLE_VALUE) {
            char tekst[16] = {};
            DWORD przeczytane = 0;
            ReadFile(plik, tekst, sizeof tekst - 1, &przeczytane, nullptr);
            CloseHandle(plik);
            DeleteFileA(plikKodu);
            return atoi(tekst);
        }
        Sleep(100);
    }
    return 125;
}

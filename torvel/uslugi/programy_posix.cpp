// The host's program runner on POSIX: the argument text is split as the
// Windows runtime would split it, the host's own paths in it are turned into
// this platform's paths, and the program is started without a shell.
#include <errno.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"
#include "torvel/uslugi/wyjscie_programu_posix.h"

extern char** environ;

namespace torvel {

int UruchomProgram(const std::string& program, const std::vector<std::string>& argumenty) {
    if (stan().programWProcesie) return stan().programWProcesie(program, argumenty);
    if (program.empty()) return -1;
    std::vector<std::string> wszystkie;
    wszystkie.reserve(argumenty.size() + 1);
    wszystkie.push_back(program);
    wszystkie.insert(wszystkie.end(), argumenty.begin(), argumenty.end());
    std::vector<char*> argv;
    for (std::string& a : wszystkie) argv.push_back(&a[0]);
    argv.push_back(nullptr);

    // The program's output belongs to the host's diagnostics, not to its terminal dialogue.
    WyjscieProgramu wyjscie;
    posix_spawn_file_actions_t akcje;
    if (posix_spawn_file_actions_init(&akcje) != 0) return -1;
    wyjscie.Przekieruj(&akcje);
    fflush(stdout);
    fflush(stderr);
    pid_t pid;
    int blad = posix_spawnp(&pid, program.c_str(), &akcje, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&akcje);
    if (blad != 0) return -1;

    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    int kod = -1;
    if (WIFEXITED(status))
        kod = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        kod = 128 + WTERMSIG(status);
    ZachowajWyjscieProgramu(kod, wyjscie.Tresc());
    return kod;
}

}  // namespace torvel

TORVEL_FUNKCJA(int32_t) Torvel52011(int32_t a, const char* program, const char* nazwa, const char* argumenty, int32_t b) {
    int32_t wynik = -1;
    if (program != nullptr) {
        std::string plikProgramu = std::string(program) == "curl" ? torvel::stan().programCurl : std::string(program);
        std::vector<std::string> lista = torvel::PodzielWierszPolecen(argumenty == nullptr ? "" : argumenty);
        // The host's directory reaches the module in its own form; what
        // follows it is the module's path with Windows separators.
        const std::string katalog = torvel::KatalogHosta();
        for (std::string& argument : lista) {
            if (argument.compare(0, katalog.size(), katalog) != 0) continue;
            for (char& c : argument)
                if (c == '\\') c = '/';
        }
        wynik = torvel::UruchomProgram(plikProgramu, lista);
    }
    using torvel::T;
    torvel::Zapisz(52011, torvel::json::array({a, T(program), T(nazwa), T(argumenty), b}), wynik);
    return wynik;
}

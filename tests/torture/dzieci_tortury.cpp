#include "tests/torture/dzieci_tortury.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/tablica_funkcji.h"

namespace tortura {

void PowiazModul() {
    liczbaBrakujacychFunkcji = 0;
    for (uint16_t& n : numeryBrakujacychFunkcji) n = 0;
    for (uint32_t i = 0; i < LICZBA_FUNKCJI_HOSTA; ++i) PodlaczWpisTablicy(i);
}

std::string NowyKatalog() {
    // In memory where the machine offers it: every run writes and reads
    // its settings file dozens of times.
    char wPamieci[] = "/dev/shm/brenvik-tortura-XXXXXX";
    if (mkdtemp(wPamieci) != nullptr) return wPamieci;
    char wzor[] = "/tmp/brenvik-tortura-XXXXXX";
    if (mkdtemp(wzor) == nullptr) {
        perror("mkdtemp");
        _exit(3);
    }
    return wzor;
}

// The task in a forked child whose exit status is the task's result; the
// buffered output goes out first so that the child does not repeat it.
static pid_t Rozwidl(const std::function<bool()>& zadanie) {
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) _exit(zadanie() ? 0 : 1);
    return pid;
}

void Dzieci::Uruchom(const std::function<bool()>& zadanie, uint64_t znacznik) {
    while (dzialajace_ >= 2) Czekaj();
    pid_t pid = Rozwidl(zadanie);
    if (pid < 0) {
        perror("fork");
        ++wyniki_->nieudane;
        return;
    }
    ++dzialajace_;
    ++wyniki_->przebiegi;
    znaczniki_[pid] = znacznik;
}

void Dzieci::CzekajNaWszystkie() {
    while (dzialajace_ > 0) Czekaj();
}

void Dzieci::Czekaj() {
    int status = 0;
    pid_t pid = wait(&status);
    if (pid < 0) return;
    --dzialajace_;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ++wyniki_->nieudane;
        nieudane_.push_back(znaczniki_[pid]);
        if (WIFSIGNALED(status)) fprintf(stderr, "torture: a run ended by signal %d\n", WTERMSIG(status));
    }
    znaczniki_.erase(pid);
}

bool WDziecku(const std::function<bool()>& zadanie) {
    pid_t pid = Rozwidl(zadanie);
    if (pid < 0) {
        perror("fork");
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tortura

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
    char wzor[] = "/tmp/brenvik-tortura-XXXXXX";
    if (mkdtemp(wzor) == nullptr) {
        perror("mkdtemp");
        _exit(3);
    }
    return wzor;
}

void Dzieci::Uruchom(const std::function<bool()>& zadanie) {
    while (dzialajace_ >= 2) Czekaj();
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) _exit(zadanie() ? 0 : 1);
    if (pid < 0) {
        perror("fork");
        ++wyniki_->nieudane;
        return;
    }
    ++dzialajace_;
    ++wyniki_->przebiegi;
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
        if (WIFSIGNALED(status)) fprintf(stderr, "torture: a run ended by signal %d\n", WTERMSIG(status));
    }
}

}  // namespace tortura

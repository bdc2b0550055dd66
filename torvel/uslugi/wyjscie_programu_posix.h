// The POSIX program runner's destination for a program's output.
#pragma once

#include <spawn.h>
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "torvel/uslugi/torvel.h"

namespace torvel {

// Where a program's stdout and stderr go: a temporary file kept aside, or,
// in a verbose run, the host's stderr.
class WyjscieProgramu {
public:
    WyjscieProgramu() : plik_(stan().gadatliwy ? nullptr : tmpfile()) {}
    ~WyjscieProgramu() {
        if (plik_ != nullptr) fclose(plik_);
    }
    WyjscieProgramu(const WyjscieProgramu&) = delete;
    WyjscieProgramu& operator=(const WyjscieProgramu&) = delete;

    void Przekieruj(posix_spawn_file_actions_t* akcje) {
        if (plik_ == nullptr) {
            posix_spawn_file_actions_adddup2(akcje, STDERR_FILENO, STDOUT_FILENO);
            return;
        }
        posix_spawn_file_actions_adddup2(akcje, fileno(plik_), STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(akcje, fileno(plik_), STDERR_FILENO);
    }

    std::string Tresc() {
        std::string tresc;
        if (plik_ == nullptr || fseek(plik_, 0, SEEK_SET) != 0) return tresc;
        char bufor[4096];
        size_t n;
        while ((n = fread(bufor, 1, sizeof bufor, plik_)) > 0) tresc.append(bufor, n);
        return tresc;
    }

private:
    FILE* plik_;
};


}  // namespace torvel

// The Windows C runtime's reading of a command line, which is how curl on
// Windows receives the module's argument text: blanks separate arguments,
// quotation marks group, and backslashes escape only before a quotation
// mark (2n backslashes and a mark: n backslashes and the mark groups;
// 2n+1: n backslashes and a literal mark). Inside a group "" is a literal
// mark and the group goes on, as in the current runtime.
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {

bool Odstep(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> PodzielWierszPolecen(const std::string& tekst) {
    std::vector<std::string> argumenty;
    const size_t n = tekst.size();
    size_t i = 0;
    for (;;) {
        while (i < n && Odstep(tekst[i])) ++i;
        if (i >= n) break;
        std::string argument;
        bool wGrupie = false;
        while (i < n) {
            char c = tekst[i];
            if (!wGrupie && Odstep(c)) break;
            if (c == '\\') {
                size_t j = i;
                while (j < n && tekst[j] == '\\') ++j;
                size_t ile = j - i;
                if (j < n && tekst[j] == '"') {
                    argument.append(ile / 2, '\\');
                    if (ile % 2 == 1) {
                        argument += '"';
                        i = j + 1;
                    } else {
                        i = j;  // the mark itself groups, below
                    }
                } else {
                    argument.append(ile, '\\');
                    i = j;
                }
                continue;
            }
            if (c == '"') {
                if (wGrupie && i + 1 < n && tekst[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    wGrupie = !wGrupie;
                    ++i;
                }
                continue;
            }
            argument += c;
            ++i;
        }
        argumenty.push_back(std::move(argument));
    }
    return argumenty;
}

std::string ZlozWierszPolecen(const std::vector<std::string>& argumenty) {
    std::string wiersz;
    for (const std::string& argument : argumenty) {
        if (!wiersz.empty()) wiersz += ' ';
        if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
            wiersz += argument;
            continue;
        }
        wiersz += '"';
        size_t ukosniki = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++ukosniki;
                continue;
            }
            // Backslashes before a mark are doubled, and the mark escaped.
            wiersz.append(c == '"' ? 2 * ukosniki + 1 : ukosniki, '\\');
            ukosniki = 0;
            wiersz += c;
        }
        wiersz.append(2 * ukosniki, '\\');  // before the closing mark
        wiersz += '"';
    }
    return wiersz;
}

}  // namespace torvel

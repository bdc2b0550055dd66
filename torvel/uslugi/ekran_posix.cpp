// The full-screen terminal of an interactive run, with ncurses: the form
// drawn from its description's records, centred, and edited in place; after
// it, a record of what the host showed, the latest status text in the
// bottom line and messages as boxes that wait for Enter.
#include <curses.h>
#include <langinfo.h>
#include <locale.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <vector>

#include "torvel/uslugi/ekran.h"
#include "torvel/uslugi/torvel.h"

namespace torvel {

namespace {

// The host's key codes in a button's record.
enum : uint16_t { KLAWISZ_F12 = 0x8600, KLAWISZ_ESC = 0x001B };
enum { ZNAK_ESC = 27, OPOZNIENIE_ESC_MS = 25, NAJDLUZSZA_DATA = 10 };

SCREEN* ekran = nullptr;
std::vector<std::string> przebieg;  // what was shown, as plain-terminal lines
std::string status;

size_t Znaki(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

// The first `znaki` characters of a UTF-8 text.
std::string Utnij(const std::string& utf8, size_t znaki) {
    size_t n = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && n++ == znaki) return utf8.substr(0, i);
    }
    return utf8;
}

void Napisz(WINDOW* okno, int wiersz, int kolumna, const std::string& utf8, int najwyzej) {
    if (najwyzej <= 0) return;
    mvwaddstr(okno, wiersz, kolumna, Utnij(utf8, static_cast<size_t>(najwyzej)).c_str());
}

// The record above the status line, the status line, and nothing else.
void RysujTlo() {
    werase(stdscr);
    int miejsce = LINES - 1;
    size_t od = przebieg.size() > static_cast<size_t>(miejsce) ? przebieg.size() - static_cast<size_t>(miejsce) : 0;
    int wiersz = 0;
    for (size_t i = od; i < przebieg.size() && wiersz < miejsce; ++i) {
        // Only the first line of a many-line text is kept on the screen.
        std::string linia = przebieg[i].substr(0, przebieg[i].find('\n'));
        Napisz(stdscr, wiersz++, 0, linia, COLS);
    }
    attron(A_REVERSE);
    mvhline(LINES - 1, 0, ' ', COLS);
    Napisz(stdscr, LINES - 1, 0, status, COLS);
    attroff(A_REVERSE);
    wnoutrefresh(stdscr);
}

bool Enter(int klawisz) { return klawisz == '\n' || klawisz == '\r' || klawisz == KEY_ENTER; }

// ---------------------------------------------------------------- the form

class Edycja {
public:
    Edycja(const Formularz& f, char* dane) : f_(f), dane_(dane) {
        for (const Element& e : f.elementy) {
            if (e.typ != POLE_DATY && e.typ != PRZYCISK) continue;
            kolejnosc_.push_back(&e);
            teksty_.push_back(e.typ == POLE_DATY ? DataDoWyswietlenia(TekstSlotu(dane, e)) : std::string());
        }
        okno_ = newwin(f.ramka.wysokosc, f.ramka.szerokosc, 0, 0);
        keypad(okno_, TRUE);
        Wysrodkuj();
    }
    ~Edycja() { delwin(okno_); }
    Edycja(const Edycja&) = delete;
    Edycja& operator=(const Edycja&) = delete;

    const Element* Prowadz() {
        if (kolejnosc_.empty()) return nullptr;
        for (;;) {
            Rysuj();
            int k = wgetch(okno_);
            if (k == ERR) return Przycisk(KLAWISZ_ESC);  // the terminal went away
            blad_.clear();
            if (k == KEY_RESIZE) {
                Wysrodkuj();
            } else if (k == '\t' || k == KEY_DOWN || k == KEY_RIGHT) {
                Przejdz(1);
            } else if (k == KEY_BTAB || k == KEY_UP || k == KEY_LEFT) {
                Przejdz(-1);
            } else if (Enter(k)) {
                if (Biezacy()->typ == PRZYCISK) {
                    if (const Element* e = Nacisnij(Biezacy())) return e;
                } else {
                    Przejdz(1);
                }
            } else if (k == KEY_F(12) || k == ZNAK_ESC) {
                const Element* e = Przycisk(k == ZNAK_ESC ? KLAWISZ_ESC : KLAWISZ_F12);
                if (e != nullptr && (e = Nacisnij(e)) != nullptr) return e;
            } else if (Biezacy()->typ == POLE_DATY) {
                Edytuj(k);
            }
        }
    }

private:
    const Element* Biezacy() const { return kolejnosc_[fokus_]; }

    const Element* Przycisk(uint16_t klawisz) const {
        for (const Element* e : kolejnosc_)
            if (e->typ == PRZYCISK && e->klawisz == klawisz) return e;
        return nullptr;
    }

    // Typing into a selected text replaces it; Backspace removes the
    // selection or the last character.
    void Edytuj(int k) {
        std::string& tekst = teksty_[fokus_];
        if (k == KEY_BACKSPACE || k == 127 || k == 8) {
            if (zaznaczony_)
                tekst.clear();
            else if (!tekst.empty())
                tekst.pop_back();
            zaznaczony_ = false;
        } else if ((k >= '0' && k <= '9') || k == '.' || k == '-') {
            if (zaznaczony_) tekst.clear();
            zaznaczony_ = false;
            if (tekst.size() < NAJDLUZSZA_DATA) tekst += static_cast<char>(k);
        }
    }

    // A date field is left only with a date in it.
    bool Sprawdz(size_t i) {
        if (kolejnosc_[i]->typ != POLE_DATY) return true;
        std::string tekstDaty;
        if (!DataUzytkownika(teksty_[i], &tekstDaty, &blad_)) {
            fokus_ = i;
            return false;
        }
        teksty_[i] = DataDoWyswietlenia(tekstDaty);
        return true;
    }

    void Przejdz(int krok) {
        if (!Sprawdz(fokus_)) return;
        size_t n = kolejnosc_.size();
        fokus_ = (fokus_ + static_cast<size_t>(static_cast<int>(n) + krok)) % n;
        zaznaczony_ = true;
    }

    // The cancel button closes the form as it is; any other one only with
    // every date valid, and writes them into the slots.
    const Element* Nacisnij(const Element* przycisk) {
        if (przycisk->klawisz == KLAWISZ_ESC) return przycisk;
        for (size_t i = 0; i < kolejnosc_.size(); ++i)
            if (!Sprawdz(i)) return nullptr;
        std::string tekstDaty;
        for (size_t i = 0; i < kolejnosc_.size(); ++i)
            if (kolejnosc_[i]->typ == POLE_DATY && DataUzytkownika(teksty_[i], &tekstDaty))
                WpiszDoSlotu(dane_, *kolejnosc_[i], tekstDaty);
        return przycisk;
    }

    void Wysrodkuj() {
        mvwin(okno_, LINES > f_.ramka.wysokosc ? (LINES - f_.ramka.wysokosc) / 2 : 0,
              COLS > f_.ramka.szerokosc ? (COLS - f_.ramka.szerokosc) / 2 : 0);
    }

    void RysujPrzycisk(const Element& e, bool fokus) {
        int miejsce = e.szerokosc - 2;
        if (fokus) wattron(okno_, A_REVERSE);
        mvwaddch(okno_, e.wiersz, e.kolumna, '[');
        // 0x05 ... 0x01 emphasise the key name.
        std::string kawalek;
        bool wyroznienie = false;
        auto dopisz = [&]() {
            std::string utf8 = Utnij(ZMazovii(kawalek.c_str()), static_cast<size_t>(miejsce > 0 ? miejsce : 0));
            if (wyroznienie) wattron(okno_, A_BOLD | A_UNDERLINE);
            waddstr(okno_, utf8.c_str());
            if (wyroznienie) wattroff(okno_, A_BOLD | A_UNDERLINE);
            miejsce -= static_cast<int>(Znaki(utf8));
            kawalek.clear();
        };
        for (char c : e.tekst) {
            if (c == '\x05' || c == '\x02' || c == '\x01') {
                dopisz();
                wyroznienie = c != '\x01';
            } else {
                kawalek += c;
            }
        }
        dopisz();
        waddch(okno_, ']');
        if (fokus) wattroff(okno_, A_REVERSE);
    }

    void Rysuj() {
        int szerokosc = f_.ramka.szerokosc;
        werase(okno_);
        box(okno_, 0, 0);
        std::string tytul = " " + ZMazovii(f_.ramka.tekst.c_str()) + " ";
        Napisz(okno_, 0, (szerokosc - static_cast<int>(Znaki(tytul))) / 2, tytul, szerokosc - 2);
        int kursorWiersz = -1, kursorKolumna = 0;
        for (const Element& e : f_.elementy) {
            size_t i = 0;
            while (i < kolejnosc_.size() && kolejnosc_[i] != &e) ++i;
            bool fokus = i == fokus_;
            int miejsce = (e.kolumna + e.szerokosc < szerokosc ? e.szerokosc : szerokosc - 1 - e.kolumna);
            if (e.typ == ETYKIETA) {
                Napisz(okno_, e.wiersz, e.kolumna, ZMazovii(e.tekst.c_str()), miejsce);
            } else if (e.typ == POLE_DATY) {
                std::string tekst = Utnij(teksty_[i], static_cast<size_t>(e.szerokosc - 2));
                mvwaddch(okno_, e.wiersz, e.kolumna, '[');
                attr_t wyglad = fokus && zaznaczony_ ? A_REVERSE : A_UNDERLINE;
                wattron(okno_, wyglad);
                waddstr(okno_, (tekst + std::string(static_cast<size_t>(e.szerokosc - 2) - tekst.size(), ' ')).c_str());
                wattroff(okno_, wyglad);
                waddch(okno_, ']');
                if (fokus) {
                    kursorWiersz = e.wiersz;
                    kursorKolumna = e.kolumna + 1 + static_cast<int>(tekst.size());
                }
            } else if (e.typ == PRZYCISK) {
                RysujPrzycisk(e, fokus);
            }
        }
        if (!blad_.empty()) {
            wattron(okno_, A_BOLD);
            Napisz(okno_, f_.ramka.wysokosc - 2, 2, blad_, szerokosc - 4);
            wattroff(okno_, A_BOLD);
        }
        status = "[formularz] " + ZMazovii(f_.ramka.tekst.c_str()) + ": Tab, Shift-Tab, strzałki - następne pole; " +
                 Skroty();
        RysujTlo();
        curs_set(kursorWiersz < 0 ? 0 : 1);
        if (kursorWiersz >= 0) wmove(okno_, kursorWiersz, kursorKolumna);
        wnoutrefresh(okno_);
        doupdate();
    }

    // "F12 Wykonaj, ESC Anuluj" from the buttons' captions.
    std::string Skroty() const {
        std::string wynik;
        for (const Element* e : kolejnosc_) {
            if (e->typ != PRZYCISK) continue;
            std::string podpis;
            for (char c : e->tekst)
                if (c != '\x05' && c != '\x02' && c != '\x01') podpis += c;
            wynik += (wynik.empty() ? "" : ", ") + ZMazovii(podpis.c_str());
        }
        return wynik;
    }

    const Formularz& f_;
    char* dane_;
    WINDOW* okno_ = nullptr;
    std::vector<const Element*> kolejnosc_;  // date fields and buttons, as the description lists them
    std::vector<std::string> teksty_;         // the date fields' texts as typed
    size_t fokus_ = 0;
    bool zaznaczony_ = true;
    std::string blad_;
};

// ---------------------------------------------------------------- messages

std::vector<std::string> Linie(const std::string& tekst) {
    std::vector<std::string> linie;
    size_t poczatek = 0;
    for (;;) {
        size_t koniec = tekst.find('\n', poczatek);
        linie.push_back(tekst.substr(poczatek, koniec == std::string::npos ? std::string::npos : koniec - poczatek));
        if (koniec == std::string::npos) return linie;
        poczatek = koniec + 1;
    }
}

void Okno(const std::string& naglowek, const std::string& tekst) {
    const std::string podpowiedz = " Enter ";
    std::vector<std::string> linie = Linie(tekst);
    size_t szerokosc = Znaki(naglowek) + 4;
    for (const std::string& l : linie) szerokosc = std::max(szerokosc, Znaki(l) + 4);
    int w = std::min(static_cast<int>(szerokosc), COLS);
    int h = std::min(static_cast<int>(linie.size()) + 4, LINES - 1);
    WINDOW* okno = newwin(h, w, (LINES - 1 - h) / 2, (COLS - w) / 2);
    keypad(okno, TRUE);
    box(okno, 0, 0);
    Napisz(okno, 0, 2, " " + naglowek + " ", w - 4);
    for (size_t i = 0; i < linie.size() && static_cast<int>(i) + 2 < h - 1; ++i)
        Napisz(okno, static_cast<int>(i) + 2, 2, linie[i], w - 4);
    wattron(okno, A_REVERSE);
    Napisz(okno, h - 1, w - 2 - static_cast<int>(podpowiedz.size()), podpowiedz, w - 2);
    wattroff(okno, A_REVERSE);
    curs_set(0);
    wnoutrefresh(okno);
    doupdate();
    int k;
    while ((k = wgetch(okno)) != ERR && !Enter(k)) {
    }
    delwin(okno);
}

}  // namespace

bool OtworzEkran(int wysokoscRamki, int szerokoscRamki) {
    if (ekran != nullptr) return true;
    const Stan& s = stan();
    if (!s.interaktywny || s.cichy || !isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return false;
    // The host's texts reach the terminal as UTF-8.
    setlocale(LC_CTYPE, "");
    if (strcmp(nl_langinfo(CODESET), "UTF-8") != 0) setlocale(LC_CTYPE, "C.UTF-8");
    ekran = newterm(nullptr, stdout, stdin);
    if (ekran == nullptr) return false;
    if (LINES < wysokoscRamki + 1 || COLS < szerokoscRamki) {
        endwin();
        delscreen(ekran);
        ekran = nullptr;
        return false;
    }
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(OPOZNIENIE_ESC_MS);
    przebieg.clear();
    status.clear();
    atexit(ZamknijEkran);
    return true;
}

bool EkranOtwarty() { return ekran != nullptr; }

const Element* EdytujNaEkranie(const Formularz& f, char* dane) {
    const Element* przycisk = nullptr;
    {
        Edycja edycja(f, dane);
        przycisk = edycja.Prowadz();
    }
    status.clear();
    RysujTlo();
    doupdate();
    return przycisk;
}

void PokazNaEkranie(int ordinal, const std::string& rodzaj, const std::string& tytul, const std::string& tekst,
                    const std::string& wiersz, bool modalne) {
    przebieg.push_back(wiersz);
    if (ordinal == 52026) return;
    if (modalne) {
        RysujTlo();
        Okno("[" + rodzaj + "]" + (tytul.empty() ? "" : " ") + tytul, tekst);
    } else {
        status = wiersz.substr(0, wiersz.find('\n'));
    }
    RysujTlo();
    doupdate();
}

void ZamknijEkran() {
    if (ekran == nullptr) return;
    endwin();
    delscreen(ekran);
    ekran = nullptr;
    for (const std::string& w : przebieg) fputs((w + "\n").c_str(), stdout);
    fflush(stdout);
    przebieg.clear();
}

}  // namespace torvel

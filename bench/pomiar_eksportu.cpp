// Times the module's export over a generated shop in the in-process
// stand-in host, against the reference export of the same records, and
// measures the export's peak memory. One size per process, so that each
// size's memory is its own.
//
//   pomiar-eksportu --paragony N --katalog DIR --ftp HOST:PORT [--powtorzenia R] [--ziarno S]
//
// DIR becomes the host's directory; the FTP server takes user "pomiar",
// password "pomiar" and has a directory "eksport". Prints one line of
// key=value figures; exits non-zero when the two files differ or the
// export did not go through.
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "bench/dane_syntetyczne.h"
#include "bench/eksport_wzorcowy.h"
#include "bench/pamiec_procesu.h"
#include "export/eksport_sprzedazy.h"
#include "platform/platforma.h"
#include "torvel/uslugi/torvel.h"

namespace {

using Zegar = std::chrono::steady_clock;

enum { MAKS_PAUZ = 16 };

// The export's pauses mark its phases: the second comes when the file is
// closed, the third when the upload has ended.
Zegar::time_point chwilePauz[MAKS_PAUZ];
int liczbaPauz = 0;

void ZapamietajPauze(uint32_t) {
    if (liczbaPauz < MAKS_PAUZ) chwilePauz[liczbaPauz] = Zegar::now();
    ++liczbaPauz;
}

double Sekundy(Zegar::time_point od, Zegar::time_point do_) { return std::chrono::duration<double>(do_ - od).count(); }

struct Opcje {
    size_t paragony = 10000;
    std::string katalog;
    std::string ftp;
    int powtorzenia = 1;
    uint64_t ziarno = 20261207;
};

bool CzytajOpcje(int argc, char** argv, Opcje* o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string nazwa = argv[i];
        const char* wartosc = argv[i + 1];
        if (nazwa == "--paragony") o->paragony = strtoull(wartosc, nullptr, 10);
        else if (nazwa == "--katalog") o->katalog = wartosc;
        else if (nazwa == "--ftp") o->ftp = wartosc;
        else if (nazwa == "--powtorzenia") o->powtorzenia = std::max(1, atoi(wartosc));
        else if (nazwa == "--ziarno") o->ziarno = strtoull(wartosc, nullptr, 10);
        else return false;
    }
    return argc % 2 == 1 && o->paragony > 0 && !o->katalog.empty() && !o->ftp.empty();
}

bool ZapiszUstawienia(const pomiar::UstawieniaSklepu& u, const std::string& ftp) {
    FILE* f = fopen("brenvik.ini", "wb");
    if (f == nullptr) return false;
    fprintf(f, "[ustawieniaRaportu]\r\nidSklepu=%d\r\nidSpoldzielni=%d\r\nnazwaSklepu=Pomiar\r\n", u.idSklepu,
            u.idSpoldzielni);
    for (int i = 0; i < pomiar::LICZBA_GRUP; ++i) {
        if (i == 0) fprintf(f, "wykluczonaGrupa=%d\r\n", u.wykluczoneGrupy[i]);
        else fprintf(f, "wykluczonaGrupa%d=%d\r\n", i + 1, u.wykluczoneGrupy[i]);
    }
    fprintf(f, "[ustawieniaTransmisji]\r\nhostFTP=%s\r\nuserFTP=pomiar\r\npassFTP=pomiar\r\ndirFTP=/eksport\r\n", ftp.c_str());
    return fclose(f) == 0;
}

// The one file the export left in BRENVIK.
std::string PlikEksportu() {
    std::string wynik;
    DIR* d = opendir("BRENVIK");
    if (d == nullptr) return wynik;
    while (dirent* w = readdir(d)) {
        if (w->d_name[0] != '.') wynik = std::string("BRENVIK/") + w->d_name;
    }
    closedir(d);
    return wynik;
}

// Offset of the first differing byte, -1 when the files are the same.
long long PierwszaRoznica(const std::string& a, const std::string& b) {
    FILE* fa = fopen(a.c_str(), "rb");
    FILE* fb = fopen(b.c_str(), "rb");
    long long wynik = (fa == nullptr || fb == nullptr) ? 0 : -1;
    if (wynik < 0) {
        static char ba[1 << 16], bb[1 << 16];
        long long przesuniecie = 0;
        for (;;) {
            size_t na = fread(ba, 1, sizeof ba, fa), nb = fread(bb, 1, sizeof bb, fb);
            size_t n = std::min(na, nb);
            size_t i = 0;
            while (i < n && ba[i] == bb[i]) ++i;
            if (i < n || na != nb) {
                wynik = przesuniecie + static_cast<long long>(i);
                break;
            }
            if (na == 0) break;
            przesuniecie += static_cast<long long>(n);
        }
    }
    if (fa != nullptr) fclose(fa);
    if (fb != nullptr) fclose(fb);
    return wynik;
}

long long RozmiarPliku(const std::string& sciezka) {
    FILE* f = fopen(sciezka.c_str(), "rb");
    if (f == nullptr) return -1;
    fseek(f, 0, SEEK_END);
    long long n = ftell(f);
    fclose(f);
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    Opcje o;
    if (!CzytajOpcje(argc, argv, &o)) {
        fprintf(stderr, "usage: %s --paragony N --katalog DIR --ftp HOST:PORT [--powtorzenia R] [--ziarno S]\n", argv[0]);
        return 2;
    }
    if (chdir(o.katalog.c_str()) != 0) {
        fprintf(stderr, "cannot enter %s\n", o.katalog.c_str());
        return 2;
    }
    char katalog[4096];
    if (getcwd(katalog, sizeof katalog) == nullptr) return 2;

    const pomiar::UstawieniaSklepu ustawienia;
    Zegar::time_point t = Zegar::now();
    pomiar::DaneSyntetyczne dane = pomiar::GenerujDane(o.paragony, o.ziarno);
    double czasGenerowania = Sekundy(t, Zegar::now());

    // The host holds a copy of the records: the reference keeps reading the
    // generated ones, so that the two can take turns.
    if (!ZapiszUstawienia(ustawienia, o.ftp)) {
        fprintf(stderr, "cannot write brenvik.ini\n");
        return 1;
    }
    torvel::Resetuj();
    torvel::stan().katalog = katalog;
    torvel::stan().cichy = true;
    torvel::UstawSladWPamieci(false);
    t = Zegar::now();
    torvel::WczytajRekordy(dane.paragony, dane.pozycje);
    double czasLadowania = Sekundy(t, Zegar::now());
    platforma::zastepstwa.pauza = ZapamietajPauze;

    // Turns of the reference and the module, the best of each: a busy
    // machine slows single runs, never speeds them up.
    const char* const PLIK_WZORCA = "wzorzec.csv";
    double czasWzorca = 1e30, czasEksportu = 1e30, czasPrzygotowania = 1e30, czasWysylki = 1e30, rssPrzed = -1, szczyt = -1;
    long linie = -1;
    bool szczytZerowany = false;
    for (int i = 0; i < o.powtorzenia; ++i) {
        t = Zegar::now();
        linie = pomiar::EksportWzorcowy(dane, ustawienia, pomiar::POCZATEK_ROKU, pomiar::KONIEC_ROKU, PLIK_WZORCA);
        czasWzorca = std::min(czasWzorca, Sekundy(t, Zegar::now()));
        if (linie < 0) {
            fprintf(stderr, "cannot write %s\n", PLIK_WZORCA);
            return 1;
        }

        // Every turn exports in the host's same minute; a run never replaces
        // an earlier run's file, so the previous turn's file goes first.
        std::string poprzedni = PlikEksportu();
        if (!poprzedni.empty()) remove(poprzedni.c_str());
        liczbaPauz = 0;
        size_t komunikatyPrzed = torvel::stan().komunikaty.size();
        if (i == 0) {
            szczytZerowany = pomiar::ZerujSzczytRss();
            rssPrzed = pomiar::RssMb();
        }
        Zegar::time_point poczatek = Zegar::now();
        int32_t wynik = EksportSprzedazy(TRYB_Z_MENU, pomiar::POCZATEK_ROKU, pomiar::KONIEC_ROKU);
        if (i == 0) szczyt = pomiar::SzczytRssMb();
        if (wynik != 1 || liczbaPauz < 3) {
            fprintf(stderr, "the export did not go through (result %d, %d pauses)\n", wynik, liczbaPauz);
            return 1;
        }
        for (size_t k = komunikatyPrzed; k < torvel::stan().komunikaty.size(); ++k) {
            const torvel::Komunikat& m = torvel::stan().komunikaty[k];
            if (m.ordinal == 52030 || m.ordinal == 35804) {
                fprintf(stderr, "the export reported a failure: %s\n", m.tekst.c_str());
                return 1;
            }
        }
        czasEksportu = std::min(czasEksportu, Sekundy(poczatek, chwilePauz[1]));
        // Settings, file name and opening: what the export costs before its first receipt.
        czasPrzygotowania = std::min(czasPrzygotowania, Sekundy(poczatek, chwilePauz[0]));
        czasWysylki = std::min(czasWysylki, Sekundy(chwilePauz[1], chwilePauz[2]));
    }

    std::string plik = PlikEksportu();
    long long roznica = plik.empty() ? 0 : PierwszaRoznica(plik, PLIK_WZORCA);
    if (roznica >= 0) {
        fprintf(stderr, "%s and %s differ at byte %lld\n", plik.empty() ? "(no export file)" : plik.c_str(), PLIK_WZORCA,
                roznica);
        return 1;
    }
    if (!szczytZerowany) fprintf(stderr, "warning: the kernel did not reset the peak; peak_growth_mb is an upper bound\n");

    printf("receipts=%zu lines=%ld bytes=%lld generate_s=%.3f load_s=%.3f export_s=%.4f setup_s=%.4f reference_s=%.4f "
           "ratio=%.3f upload_s=%.4f rss_before_mb=%.1f peak_growth_mb=%.2f file=%s/%s\n",
           o.paragony, linie, RozmiarPliku(plik), czasGenerowania, czasLadowania, czasEksportu, czasPrzygotowania, czasWzorca,
           czasEksportu / czasWzorca, czasWysylki, rssPrzed, szczyt - rssPrzed, katalog, plik.c_str());
    return 0;
}

"""The real brenvik.dll in the Win32 stand-in host under Wine: binding,
refusal with missing host functions, and the same menu and event runs as
the Linux build, with byte-identical export and settings files and the same
host calls. BRENVIK_WINE is the Wine that runs the build (scripts/wine32
for the 32-bit build, the 64-bit Wine for the 64-bit one)."""

import json
import os
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import harness  # noqa: E402

WIN_BIN = os.environ.get("BRENVIK_WIN_BIN", os.path.join(os.path.dirname(__file__), "../../build/windows/bin"))
SIM_EXE = os.path.join(WIN_BIN, "torvel-sim.exe")
WINE = os.environ.get("BRENVIK_WINE", "wine")


def windowsowa(sciezka):
    return "Z:" + os.path.abspath(sciezka).replace("/", "\\")


def pod_wine(katalog, *argumenty, sim=SIM_EXE):
    """torvel-sim.exe under Wine; paths handed over in their Windows form."""
    slad = os.path.join(katalog, "slad.jsonl")
    polecenie = [WINE, sim, "--dir", windowsowa(katalog), "--trace", windowsowa(slad)] + list(argumenty)
    proces = subprocess.run(polecenie, capture_output=True, text=True, timeout=600,
                            stdin=subprocess.DEVNULL, errors="replace")
    wpisy = []
    if os.path.exists(slad):
        with open(slad, encoding="utf-8") as f:
            wpisy = [json.loads(l) for l in f if l.strip()]
    return harness.Wynik(proces, wpisy)


def wywolania_hosta(wynik, katalog):
    """The host calls of a run with the host directory, its Windows form and
    the FTP server's port replaced, so that two runs' calls compare. A
    formatted write that reports its whole text written says so instead of
    the count, which the port's digits would change."""
    wpisy = [dict(w, ret="the text's length") if w["ord"] == 52541 and w["ret"] == len(w["args"][-1]) else w
             for w in wynik.slad]
    tekst = json.dumps(wpisy, ensure_ascii=False)
    for forma in (json.dumps(windowsowa(katalog))[1:-1], katalog):
        tekst = tekst.replace(forma, "<katalog>")
    tekst = re.sub(r"127\.0\.0\.1:\d+", "127.0.0.1:PORT", tekst).replace("\\\\", "/")
    return json.loads(tekst)


def pliki_wyniku(katalog):
    """Export files and settings file of a host directory, by name."""
    wynik = {}
    brenvik = os.path.join(katalog, "BRENVIK")
    for nazwa in sorted(os.listdir(brenvik)) if os.path.isdir(brenvik) else []:
        with open(os.path.join(brenvik, nazwa), "rb") as f:
            wynik["BRENVIK/" + nazwa] = f.read()
    with open(os.path.join(katalog, "brenvik.ini"), "rb") as f:
        # Each run has its own FTP server: only the port may differ.
        wynik["brenvik.ini"] = re.sub(rb"(?m)^hostFTP=127\.0\.0\.1:\d+$", b"hostFTP=127.0.0.1:PORT", f.read())
    return wynik


class ModulPodWine(harness.ScenariuszTestowy):
    def test_laczy_sie_gdy_host_ma_wszystkie_funkcje(self):
        wynik = pod_wine(self.katalog, "connect")
        self.assertEqual(wynik.kod, 0, wynik.bledy + wynik.wyjscie)
        self.assertIn('connected module "Brenvik"', wynik.wyjscie)
        self.assertEqual(len(wynik.wywolania(52081)), 1, "menu command registered")

    def test_odmawia_i_wymienia_brakujace_funkcje(self):
        wynik = pod_wine(self.katalog, "--missing", "41611,52081", "connect")
        self.assertNotEqual(wynik.kod, 0)
        raport = [w for w in wynik.wywolania(35802)]
        self.assertEqual(len(raport), 1)
        tekst = raport[0]["args"][5]
        self.assertIn("funkcje o numerach 41611, 52081 z modułu głównego", tekst)
        self.assertIn("jednak moduł główny ich nie posiada", tekst)
        self.assertEqual(wynik.wywolania(52081), [])


class TeSameWynikiCoNaLinuksie(harness.ScenariuszTestowy):
    def uruchom_oba(self, przygotuj, *argumenty, serwer_dziala=True):
        wyniki = {}
        for nazwa in ("linux", "wine"):
            katalog = os.path.join(self.katalog, nazwa)
            os.makedirs(katalog)
            serwer = harness.SerwerFtp(katalogi=("katalogFTP",))
            self.addCleanup(serwer.usun)
            harness.pisz_ini(katalog, przygotuj(serwer))
            if not serwer_dziala:
                serwer.zatrzymaj()
            if nazwa == "linux":
                wynik = harness.torvel_sim(katalog, *argumenty)
            else:
                wynik = pod_wine(katalog, *argumenty)
            self.assertEqual(wynik.kod, 0, nazwa + ": " + wynik.bledy + wynik.wyjscie)
            pliki = pliki_wyniku(katalog)
            wyslane = {n: serwer.czytaj("katalogFTP", n) for n in serwer.pliki("katalogFTP")}
            wyniki[nazwa] = (pliki, wyslane, wywolania_hosta(wynik, katalog))
        return wyniki

    def ustawienia(self, serwer, **dodatkowe):
        sekcje = {"ustawieniaRaportu": {"idSklepu": 15, "idSpoldzielni": 7},
                  "ustawieniaTransmisji": {"hostFTP": serwer.adres, "userFTP": harness.UZYTKOWNIK,
                                           "passFTP": harness.HASLO, "dirFTP": "/katalogFTP"}}
        sekcje.update(dodatkowe)
        return sekcje

    def sprawdz_zgodnosc(self, wyniki, wyslanych=1):
        linux, wine = wyniki["linux"], wyniki["wine"]
        self.assertEqual(sorted(linux[0]), sorted(wine[0]))
        for nazwa in linux[0]:
            self.assertEqual(linux[0][nazwa].decode("latin-1"), wine[0][nazwa].decode("latin-1"), nazwa)
        self.assertEqual(linux[1], wine[1])
        self.assertGreater(len(wine[2]), 100, "host calls traced")
        for numer, (na_linuksie, pod_wine) in enumerate(zip(linux[2], wine[2])):
            self.assertEqual(na_linuksie, pod_wine, "host call %d" % numer)
        self.assertEqual(len(linux[2]), len(wine[2]), "host calls")
        self.assertEqual(len(wine[1]), wyslanych, "files uploaded")
        eksporty = [tresc for nazwa, tresc in wine[0].items() if nazwa.startswith("BRENVIK/")]
        self.assertEqual(len(eksporty), 1)
        self.assertTrue(eksporty[0].startswith(b"07\r\n"))
        self.assertGreater(eksporty[0].count(b"\r\n"), 1, "card receipts exported")

    def test_polecenie_z_menu(self):
        wyniki = self.uruchom_oba(self.ustawienia, "--today", "2026-12-08", "--time", "09:15",
                                  "--od", "2026-12-01", "--do", "2026-12-07", "menu")
        self.sprawdz_zgodnosc(wyniki)

    def test_zdarzenie_hosta(self):
        wyniki = self.uruchom_oba(
            lambda s: self.ustawienia(s, danePomocnicze={"DataOstatniegoEksportu": "C6.12.04"}),
            "--today", "2026-12-08", "--time", "00:00", "event")
        self.sprawdz_zgodnosc(wyniki)
        self.assertIn(b"DataOstatniegoEksportu=C6.12.07", wyniki["wine"][0]["brenvik.ini"])

    def test_polecenie_z_flaga_wsadowa(self):
        wyniki = self.uruchom_oba(self.ustawienia, "--today", "2026-12-06", "--time", "18:05", "--batch", "1", "menu")
        self.sprawdz_zgodnosc(wyniki)

    def test_zdarzenie_gdy_serwer_nie_odpowiada(self):
        wyniki = self.uruchom_oba(
            lambda s: self.ustawienia(s, danePomocnicze={"DataOstatniegoEksportu": "C6.12.02"}),
            "--today", "2026-12-08", "--time", "23:59", "event", serwer_dziala=False)
        self.sprawdz_zgodnosc(wyniki, wyslanych=0)
        self.assertIn(b"DataOstatniegoEksportu=C6.12.02", wyniki["wine"][0]["brenvik.ini"])
        self.assertNotIn(b"OstatniOdczyt", wyniki["wine"][0]["brenvik.ini"])


if __name__ == "__main__":
    unittest.main()

"""Faults end to end: torvel-sim with the built module, the real curl and a
real FTP server. Each scenario checks what the user sees and that no card
receipt is lost: after a failed upload the export file stays complete in
BRENVIK, the period is not recorded, and once the fault is gone the next
automatic export sends every receipt from the same start date."""

import json
import os
import random
import re
import shutil
import stat
import subprocess
import threading
import time
import unittest

import harness

DZIS = ("--today", "2026-12-08")
ZAPISANY_POCZATEK = "C6.12.03"
DNI = ["C6.12.%02d" % d for d in range(1, 8)]


def sklep(liczba, ziarno, udzial_wadliwych=0.0):
    """A fixture of `liczba` receipts over 1-7 December and, worked out as
    it is built, what must come of it: {card: (date, listed items)} of the
    well-formed card receipts, and the cards that must never be written."""
    los = random.Random(ziarno)
    paragony, pozycje, dobre, nigdy = [], [], {}, set()
    wadliwe = 0
    for i in range(liczba):
        numer = i + 1
        data = los.choice(DNI)
        karta = "44%08d" % numer
        opis = "Karta: %s" % karta
        rodzaj = "dobry" if los.random() >= udzial_wadliwych else los.choice(
            ["opis", "opis", "data", "data", "kod", "kwota", "stan", "numer", "okres"])
        kody = [str(5900000000000 + numer * 10 + k) for k in range(los.randint(1, 3))]
        if rodzaj == "opis":
            opis = los.choice([
                "karta: %s" % karta,                       # lower-case k
                "Karta %s" % karta,                        # no colon
                "x" * 104 + "Karta: " + karta,             # the mark cut off by the field's end
                "ąćęłńóśźż \"%s%n\\ " * 8,                # Mazovia bytes, quotes, percent signs
                "Karta:",                                  # the mark and nothing after it
                "Karta:\t  " + karta + "0" * 60,           # longer than the card buffer, unterminated field
            ])
        elif rodzaj == "data":
            data = los.choice(["", "XX.99.99", "C6.13.45", "C6.12.0512345", "ZZZZZZZZZZZZ", "\u0105\u0107"])
        elif rodzaj == "kod":
            kody = [los.choice(["ABC", "", "1" * 30, "-5", "12AB", "\"%s\""]) for _ in kody]
        elif rodzaj == "okres":
            data = los.choice(["C6.11.30", "C6.12.08", "C5.12.05"])
        if rodzaj != "dobry":
            wadliwe += 1
        ujemne = rodzaj == "kwota"
        paragony.append({
            "numerParagonu": 0 if rodzaj == "numer" else numer, "dataParagonu": data,
            "minutaParagonu": los.randint(0, 1439), "kwota1": los.randint(1, 10 ** 6), "kwota2": 0,
            "opisParagonu": opis, "stanParagonu": 1 if rodzaj == "stan" else los.choice([0, 0, -1]), "trybKwot": 0})
        for kod in kody:
            pozycje.append({"numerParagonu": numer, "kodPozycji": kod, "ilosc": los.randint(1, 5000), "grupa": 1,
                            "kwotaSumy0": -los.randint(1, 10 ** 5) if ujemne else los.randint(1, 10 ** 5),
                            "kwotaWykazu0": los.randint(1, 10 ** 5), "znacznikPozycji": 1})
        if rodzaj in ("dobry", "kod"):
            dobre[karta] = (data, len(kody))
        elif rodzaj in ("kwota", "stan", "numer", "okres"):
            nigdy.add(karta)
    return {"Tspr": paragony, "Tspr_dok": pozycje}, dobre, nigdy, wadliwe


def wiersze(plik):
    """{card: [line, ...]} of an export file's receipt lines."""
    linie = plik.split(b"\r\n")
    wynik = {}
    for linia in linie[1:]:
        if linia:
            wynik.setdefault(linia.split(b";")[0].decode("latin-1"), []).append(linia)
    return wynik


class Awarie(harness.ScenariuszTestowy):
    def setUp(self):
        super().setUp()
        self.dane, self.dobre, _, _ = sklep(60, ziarno=5)
        self.plik_danych = os.path.join(self.katalog, "sklep.json")
        with open(self.plik_danych, "w", encoding="utf-8") as f:
            json.dump(self.dane, f)
        self.serwer = harness.SerwerFtp()
        self.addCleanup(lambda: self.serwer.usun())

    def ustaw(self, **transmisja):
        sekcje = self.ustawienia_ftp(self.serwer, **transmisja)
        sekcje["danePomocnicze"] = {"DataOstatniegoEksportu": ZAPISANY_POCZATEK}
        harness.pisz_ini(self.katalog, sekcje)

    def zmien_klucz(self, klucz, wartosc):
        """One key of brenvik.ini changed by hand, the rest as the module left it."""
        tresc = re.sub(rb"(?m)^%s=.*$" % klucz.encode(), b"%s=%s" % (klucz.encode(), wartosc.encode()), self.ini())
        with open(os.path.join(self.katalog, "brenvik.ini"), "wb") as f:
            f.write(tresc)

    def klucz(self, nazwa):
        znaleziony = re.search(rb"(?m)^%s=(.*)$" % nazwa.encode(), self.ini())
        return znaleziony.group(1).decode("latin-1") if znaleziony else None

    def zdarzenie(self, czas, *argumenty):
        wynik = harness.torvel_sim(self.katalog, "--data", self.plik_danych, *DZIS, "--time", czas, *argumenty, "event")
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        return wynik

    def oczekiwane(self, od, do):
        return {k: v for k, v in self.dobre.items() if od <= v[0] <= do}

    def sprawdz_komplet(self, plik, od="C6.12.03", do="C6.12.07"):
        """Every well-formed card receipt of the period exactly once, with its items."""
        znalezione = wiersze(plik)
        oczekiwane = self.oczekiwane(od, do)
        self.assertTrue(oczekiwane)
        self.assertEqual(sorted(znalezione), sorted(oczekiwane))
        for karta, (_, liczba_pozycji) in oczekiwane.items():
            self.assertEqual(len(znalezione[karta]), 1, karta)
            self.assertEqual(znalezione[karta][0].count(b"|"), liczba_pozycji, karta)

    def pliki_eksportu(self):
        return sorted(os.listdir(os.path.join(self.katalog, "BRENVIK")))

    def sprawdz_porazke(self, wynik):
        """The upload failed: the user was told, the file stays complete, nothing is recorded."""
        self.assertEqual([w["args"][0] for w in wynik.wywolania(52030)][:1],
                         ["Nie wyeksportowano raportu z pliku " + self.pliki_eksportu()[-1]])
        self.assertNotEqual([w["ret"] for w in wynik.wywolania(52011)], [0])
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), ZAPISANY_POCZATEK)
        self.assertIsNone(self.klucz("OstatniOdczyt"))
        self.sprawdz_komplet(self.plik("BRENVIK", self.pliki_eksportu()[-1]))

    def sprawdz_powrot(self, czas="09:31"):
        """The next event after the fault: the same start date, everything sent,
        the period recorded only after the successful upload."""
        wynik = self.zdarzenie(czas)
        statusy = [w["args"][-1] for w in wynik.wywolania(52029)]
        self.assertIn("Eksport lumera od 03.12.2026 do 07.12.2026", statusy)
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [0])
        wyslane = self.serwer.pliki("katalogFTP")
        self.assertEqual(len(wyslane), 1)
        self.sprawdz_komplet(self.serwer.czytaj("katalogFTP", wyslane[0]))
        kolejnosc = [i for i, w in enumerate(wynik.slad) if w["ord"] == 52011 or
                     (w["ord"] == 41399 and w["args"][1] == 9 and w["args"][3] == "DataOstatniegoEksportu")]
        self.assertEqual([wynik.slad[i]["ord"] for i in kolejnosc], [52011, 41399])
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")
        self.assertEqual(self.klucz("OstatniOdczyt"), "Eksport danych od C6.12.03 do C6.12.07")
        self.assertEqual(len(self.pliki_eksportu()), 2, "the failed run's file is kept")

    # ---- the upload fails, then the fault is gone

    def test_serwer_staje_w_trakcie_eksportu_i_wraca(self):
        self.ustaw()
        # curl is started only after the file is written: the wrapper tells
        # the test, which stops the server before curl connects.
        start, zatrzymany = os.path.join(self.katalog, "curl-start"), os.path.join(self.katalog, "serwer-stoi")
        opakowanie = os.path.join(self.katalog, "curl-czeka")
        with open(opakowanie, "w") as f:
            f.write('#!/bin/sh\ntouch "%s"\nwhile [ ! -e "%s" ]; do sleep 0.05; done\nexec curl "$@"\n' % (start, zatrzymany))
        os.chmod(opakowanie, stat.S_IRWXU)
        wyniki = []
        watek = threading.Thread(target=lambda: wyniki.append(self.zdarzenie("09:30", "--curl", opakowanie)))
        watek.start()
        koniec = time.monotonic() + 120
        while not os.path.exists(start) and time.monotonic() < koniec and watek.is_alive():
            time.sleep(0.05)
        self.assertTrue(os.path.exists(start), "curl never started")
        self.assertTrue(os.listdir(os.path.join(self.katalog, "BRENVIK")), "file written before the upload")
        port, korzen = self.serwer.port, self.serwer.korzen
        self.serwer.zatrzymaj()
        open(zatrzymany, "w").close()
        watek.join(300)
        self.assertEqual(len(wyniki), 1)
        self.assertEqual([w["ret"] for w in wyniki[0].wywolania(52011)], [7])
        self.assertIn("Nie można połączyć się z serwerem", json.dumps(wyniki[0].wywolania(35804), ensure_ascii=False))
        self.sprawdz_porazke(wyniki[0])
        self.assertEqual(self.serwer.pliki("katalogFTP"), [])

        # The same server is back, at the same address.
        self.serwer = harness.SerwerFtp(port=port, korzen=korzen)
        self.sprawdz_powrot()

    def test_brak_katalogu_potem_utworzony(self):
        self.serwer.usun()
        self.serwer = harness.SerwerFtp(katalogi=())
        self.ustaw()
        self.sprawdz_porazke(self.zdarzenie("09:30"))
        os.makedirs(os.path.join(self.serwer.korzen, "katalogFTP"))
        self.sprawdz_powrot()

    def test_zle_haslo_potem_poprawione(self):
        self.ustaw(passFTP="zle haslo")
        self.sprawdz_porazke(self.zdarzenie("09:30"))
        self.zmien_klucz("passFTP", harness.HASLO)
        self.sprawdz_powrot()

    def test_curl_nie_daje_sie_uruchomic(self):
        self.ustaw()
        wynik = self.zdarzenie("09:30", "--curl", "/nonexistent/curl")
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [-1])
        nazwa = self.pliki_eksportu()[-1]
        self.assertIn("Błąd CURL (-1)\\n\\nPodczas wysyłania pliku\\n" + nazwa,
                      json.dumps(wynik.wywolania(35804), ensure_ascii=False))
        self.assertEqual(len(wynik.wywolania(35804)), 1)
        log = self.plik("curl.log").decode("latin-1")
        self.assertEqual(log.count("Komenda CURL zakonczyla sie niepowodzeniem"), 1)
        self.assertIn("blad nr -1:", log)
        self.sprawdz_porazke(wynik)
        self.sprawdz_powrot()

    # ---- the host's directory and settings file

    def test_brenvik_jest_plikiem(self):
        self.ustaw()
        sciezka = os.path.join(self.katalog, "BRENVIK")
        with open(sciezka, "wb") as f:
            f.write(b"nie katalog")
        wynik = self.zdarzenie("09:30")
        pudelka = wynik.wywolania(35804)
        self.assertEqual(len(pudelka), 1)
        self.assertEqual(pudelka[0]["args"][1], "uwaga")
        self.assertRegex(json.dumps(pudelka[0], ensure_ascii=False), r"Błąd otwarcia pliku:01_001_2026_12_08_0930\.csv")
        self.assertEqual(wynik.wywolania(52011), [], "nothing to upload")
        self.assertEqual(self.plik("BRENVIK"), b"nie katalog")
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), ZAPISANY_POCZATEK)
        # The automatic export still ends as usual: its last status, the
        # option word and the batch flag restored.
        self.assertEqual(wynik.wywolania(52029)[-1]["args"][1], "setScreenStyle")
        self.assertEqual([w["args"] for w in wynik.wywolania(32408)], [[0x8000, 1], [0x8000, 0]])
        self.assertIn("batch flag 0", wynik.wyjscie)

        os.remove(sciezka)
        wynik = self.zdarzenie("09:31")
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [0])
        self.sprawdz_komplet(self.serwer.czytaj("katalogFTP", self.serwer.pliki("katalogFTP")[0]))
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")

    def test_plik_ustawien_tylko_do_odczytu(self):
        # Root writes through permission bits, so the file is made immutable.
        harness.pisz_ini(self.katalog, {**self.ustawienia_ftp(self.serwer),
                                        "danePomocnicze": {"DataOstatniegoEksportu": ZAPISANY_POCZATEK}})
        sciezka = os.path.join(self.katalog, "brenvik.ini")
        if subprocess.run(["chattr", "+i", sciezka], capture_output=True).returncode != 0:
            self.skipTest("the file system cannot make a file immutable")
        self.addCleanup(subprocess.run, ["chattr", "-i", sciezka])
        przed = self.ini()
        for czas in ("09:30", "09:31"):
            wynik = self.zdarzenie(czas)
            # The configured values are used; the defaults and the period
            # cannot be written, silently; the upload goes through.
            self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [0])
            self.assertEqual(wynik.wywolania(35804) + wynik.wywolania(52030), [])
            zapisy = [w for w in wynik.wywolania(41399) if w["args"][1] == 9]
            self.assertTrue(zapisy)
            self.assertTrue(all(w["ret"] != 0 for w in zapisy))
            self.assertIn("Zapis konfiguracji", [w["args"][1] for w in wynik.wywolania(52028)])
            self.assertEqual(self.ini(), przed)
        # Nothing recorded, so the second event sent the same period again:
        # every receipt arrived, none was lost.
        wyslane = self.serwer.pliki("katalogFTP")
        self.assertEqual(len(wyslane), 2)
        for nazwa in wyslane:
            self.sprawdz_komplet(self.serwer.czytaj("katalogFTP", nazwa))

    def test_brak_pliku_ustawien(self):
        # The default server is a placeholder: curl runs without a network.
        opakowanie = os.path.join(self.katalog, "curl-bez-sieci")
        with open(opakowanie, "w") as f:
            f.write('#!/bin/sh\nexec unshare -n curl "$@"\n')
        os.chmod(opakowanie, stat.S_IRWXU)
        wynik = self.zdarzenie("09:30", "--curl", opakowanie)
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [6])
        self.assertIn("Nie można odnaleźć serwera ftp.sklep.example", json.dumps(wynik.wywolania(35804), ensure_ascii=False))
        for klucz, wartosc in [("idSklepu", "1"), ("hostFTP", "ftp.sklep.example"), ("dirFTP", "katalogFTP"),
                               ("wykluczonaGrupa15", "-1"), ("Kasa10", "1")]:
            self.assertEqual(self.klucz(klucz), wartosc)
        self.assertIsNone(self.klucz("DataOstatniegoEksportu"))
        # Without a stored date: the day before yesterday and yesterday, all in the file.
        self.sprawdz_komplet(self.plik("BRENVIK", self.pliki_eksportu()[-1]), od="C6.12.06", do="C6.12.07")


class PelnyDysk(harness.ScenariuszTestowy):
    """The host's directory on a 64 KB file system and 3,000 card receipts
    over three days: the export file cannot be written whole. Nothing may
    be sent and nothing recorded; once there is space again, the next
    automatic export sends every receipt from the same start date."""

    def setUp(self):
        super().setUp()
        self.host = os.path.join(self.katalog, "host")
        os.mkdir(self.host)
        self.maly_tmpfs(self.host, "the host's")
        self.serwer = harness.SerwerFtp()
        self.addCleanup(lambda: self.serwer.usun())
        paragony, pozycje = [], []
        for n in range(1, 3001):
            paragony.append({"numerParagonu": n, "dataParagonu": "C6.12.%02d" % (5 + n % 3), "minutaParagonu": n % 1440,
                             "kwota1": 10000 + n, "kwota2": 0, "opisParagonu": "Karta: 44%08d" % n})
            pozycje.append({"numerParagonu": n, "kodPozycji": str(5900000000000 + n), "ilosc": 1000, "grupa": 1,
                            "kwotaSumy0": 10000 + n, "kwotaWykazu0": 10000 + n, "znacznikPozycji": 1})
        # The fixture lies outside the small file system.
        self.plik_danych = os.path.join(self.katalog, "sklep.json")
        with open(self.plik_danych, "w", encoding="utf-8") as f:
            json.dump({"Tspr": paragony, "Tspr_dok": pozycje}, f)
        sekcje = self.ustawienia_ftp(self.serwer)
        sekcje["danePomocnicze"] = {"DataOstatniegoEksportu": "C6.12.05"}
        harness.pisz_ini(self.host, sekcje)

    def zdarzenie(self, czas):
        # No trace: it would fill the small file system itself.
        proces = subprocess.run([harness.TORVEL_SIM, "--dir", self.host, "--data", self.plik_danych, *DZIS,
                                 "--time", czas, "event"], capture_output=True, text=True, errors="replace", timeout=600)
        harness.sprawdz_sanitizery(proces.stderr)
        self.assertEqual(proces.returncode, 0, proces.stderr)
        return proces.stdout

    def data_eksportu(self):
        with open(os.path.join(self.host, "brenvik.ini"), "rb") as f:
            return re.search(rb"(?m)^DataOstatniegoEksportu=(.*?)\r?$", f.read()).group(1).decode()

    def test_plik_niezapisany_caly_nie_jest_wysylany_a_nastepny_eksport_wysyla_wszystko(self):
        wyjscie = self.zdarzenie("09:30")
        nazwa = "01_001_2026_12_08_0930.csv"
        self.assertIn("[komunikat] uwaga: Błąd zapisu pliku:" + nazwa, wyjscie)
        self.assertIn("Nie wyeksportowano raportu z pliku " + nazwa, wyjscie)
        self.assertNotIn("Wyeksportowano raport", wyjscie)
        self.assertEqual(self.serwer.pliki("katalogFTP"), [], "the server received nothing")
        self.assertEqual(self.data_eksportu(), "C6.12.05")
        # The incomplete file stays, as every export file does.
        with open(os.path.join(self.host, "BRENVIK", nazwa), "rb") as f:
            niepelny = f.read()
        self.assertLess(niepelny.count(b"\r\n"), 3000)

        subprocess.run(["mount", "-o", "remount,size=4m", self.host], check=True)
        wyjscie = self.zdarzenie("09:31")
        self.assertIn("Eksport lumera od 05.12.2026 do 07.12.2026", wyjscie)
        self.assertIn("Wyeksportowano raport na serwer do pliku 01_001_2026_12_08_0931.csv", wyjscie)
        wyslane = self.serwer.pliki("katalogFTP")
        self.assertEqual(wyslane, ["01_001_2026_12_08_0931.csv"])
        znalezione = wiersze(self.serwer.czytaj("katalogFTP", wyslane[0]))
        self.assertEqual(sorted(znalezione), ["44%08d" % n for n in range(1, 3001)])
        self.assertTrue(all(len(linie) == 1 and linie[0].count(b"|") == 1 for linie in znalezione.values()))
        self.assertEqual(self.data_eksportu(), "C6.12.07")


class DziesiecTysiecyParagonow(harness.ScenariuszTestowy):
    def test_wadliwe_paragony_nie_psuja_eksportu(self):
        dane, dobre, nigdy, wadliwe = sklep(10000, ziarno=2026, udzial_wadliwych=0.3)
        self.assertGreater(wadliwe, 2500)
        plik_danych = os.path.join(self.katalog, "sklep.json")
        with open(plik_danych, "w", encoding="utf-8") as f:
            json.dump(dane, f)
        serwer = harness.SerwerFtp()
        self.addCleanup(serwer.usun)
        harness.pisz_ini(self.katalog, self.ustawienia_ftp(serwer))
        # No trace: ten thousand receipts make hundreds of thousands of host calls.
        proces = subprocess.run([harness.TORVEL_SIM, "--dir", self.katalog, "--data", plik_danych, *DZIS,
                                 "--time", "09:30", "--od", "2026-12-01", "--do", "2026-12-07", "--quiet", "menu"],
                                capture_output=True, text=True, errors="replace", timeout=600)
        harness.sprawdz_sanitizery(proces.stderr)
        self.assertEqual(proces.returncode, 0, proces.stderr)
        wyslane = serwer.pliki("katalogFTP")
        self.assertEqual(len(wyslane), 1)
        plik = serwer.czytaj("katalogFTP", wyslane[0])
        self.assertEqual(plik, self.plik("BRENVIK", wyslane[0]))
        znalezione = wiersze(plik)
        # "Karta:" with nothing after it gives an empty card number, the
        # only one that several receipts share.
        puste = sum(1 for p in dane["Tspr"] if p["opisParagonu"] == "Karta:")
        self.assertLessEqual(len(znalezione.pop("", [])), puste)
        for karta, linie in znalezione.items():
            self.assertEqual(len(linie), 1, "receipt written twice: %s" % karta)
        brakujace = sorted(set(dobre) - set(znalezione))
        self.assertEqual(brakujace, [], "well-formed card receipts missing from the export")
        for karta, (_, liczba_pozycji) in dobre.items():
            self.assertEqual(znalezione[karta][0].count(b"|"), liczba_pozycji, karta)
        self.assertEqual(sorted(nigdy & set(znalezione)), [], "receipts the rules exclude were written")
        # Item codes are digits only ("0" when a code has none).
        for linie in znalezione.values():
            for grupa in linie[0].split(b"|")[1:]:
                self.assertRegex(grupa.split(b";")[0].decode("latin-1"), r"^[0-9]{1,17}$")


if __name__ == "__main__":
    unittest.main()

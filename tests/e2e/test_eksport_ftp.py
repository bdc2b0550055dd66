"""Whole export runs through torvel-sim with the built module, the real curl
and a real FTP server on loopback: the file that arrives, and what the user
sees when the upload fails."""

import json
import os
import shutil
import stat
import sys
import tempfile
import time
import unittest

import harness

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "dokumentacja"))
import podreczniki  # noqa: E402

# The example shop: one card receipt of 5 December 2026 with two listed items.
DANE_PRZYKLADU = {
    "Tspr": [
        {"numerParagonu": 1, "dataParagonu": "C6.12.05", "minutaParagonu": 547, "kwota1": 412000,
         "kwota2": 43000, "opisParagonu": "Karta: 4400123 x", "stanParagonu": 0, "trybKwot": 0},
        {"numerParagonu": 2, "dataParagonu": "C6.12.05", "minutaParagonu": 600, "kwota1": 10000,
         "kwota2": 0, "opisParagonu": "bez karty", "stanParagonu": 0, "trybKwot": 0},
    ],
    "Tspr_dok": [
        {"numerParagonu": 1, "kodPozycji": "5901234123457", "ilosc": 2000, "grupa": 5,
         "kwotaSumy0": 300000, "kwotaWykazu0": 34900, "znacznikPozycji": 1},
        {"numerParagonu": 1, "kodPozycji": "2000123", "ilosc": 1500, "grupa": 6,
         "kwotaSumy0": 120000, "kwotaWykazu0": 129900, "znacznikPozycji": 1},
        {"numerParagonu": 2, "kodPozycji": "1", "ilosc": 1000, "grupa": 6,
         "kwotaSumy0": 10000, "kwotaWykazu0": 10000, "znacznikPozycji": 1},
    ],
}
PLIK_PRZYKLADU = "07_015_2026_12_07_1342.csv"
TRESC_PRZYKLADU = (b"07\r\n"
                   b"4400123;2026-12-05 09:07;45.50;42.00;015|5901234123457;2.000;3.49|2000123;1.500;12.99\r\n")
CZAS = ("--today", "2026-12-07", "--time", "13:42")
PRZYKLAD = (None, TRESC_PRZYKLADU)


def duzy_sklep(liczba):
    """A shop whose export file is larger than an FTP server's write buffer:
    `liczba` card receipts of 5 December, one item each."""
    paragony, pozycje, linie = [], [], [b"07\r\n"]
    for i in range(liczba):
        paragony.append({"numerParagonu": 10 + i, "dataParagonu": "C6.12.05", "minutaParagonu": 480 + i,
                         "kwota1": 100000, "kwota2": 0, "opisParagonu": "Karta: %d x" % (4400000 + i),
                         "stanParagonu": 0, "trybKwot": 0})
        pozycje.append({"numerParagonu": 10 + i, "kodPozycji": "59%011d" % i, "ilosc": 1000, "grupa": 5,
                        "kwotaSumy0": 100000, "kwotaWykazu0": 100000, "znacznikPozycji": 1})
        linie.append(b"%d;2026-12-05 %02d:%02d;10.00;10.00;015|59%011d;1.000;10.00\r\n"
                     % (4400000 + i, (480 + i) // 60, (480 + i) % 60, i))
    return {"Tspr": paragony, "Tspr_dok": pozycje}, b"".join(linie)


DUZY_SKLEP = duzy_sklep(300)

# What the user meets when the upload fails, one row per situation: how the
# test makes it, curl's exit code (measured with the real curl 7.88 and
# pyftpdlib), the message shown (PLIK: the export file's name), and how long
# curl itself waits before it gives up, in seconds.
SYTUACJE = (
    ("nieznany serwer", "serwer_nieznany", 6, "Nie można odnaleźć serwera serwer.nieistniejacy.invalid", 0),
    ("serwer zatrzymany", "serwer_zatrzymany", 7, "Nie można połączyć się z serwerem podczas wysyłania pliku\nPLIK", 0),
    ("złe hasło", "zle_haslo", 67, "Błąd logowania na serwerze podczas wysyłania pliku\nPLIK", 0),
    ("brak katalogu na serwerze", "brak_katalogu", 9, "Błąd CURL (9)\n\nPodczas wysyłania pliku\nPLIK", 0),
    ("serwer odmawia zapisu", "zapis_odmowiony", 25, "Błąd CURL (25)\n\nPodczas wysyłania pliku\nPLIK", 0),
    ("pełny dysk serwera", "pelny_dysk_serwera", 18, "Błąd CURL (18)\n\nPodczas wysyłania pliku\nPLIK", 0),
    ("serwer przyjmuje połączenie i milczy", "serwer_milczy", 28, "Błąd CURL (28)\n\nPodczas wysyłania pliku\nPLIK",
     110),
    ("serwer nie potwierdza pliku", "serwer_nie_potwierdza", 28, "Błąd CURL (28)\n\nPodczas wysyłania pliku\nPLIK",
     55),
)


class EksportNaSerwerFtp(harness.ScenariuszTestowy):
    def setUp(self):
        super().setUp()
        self.dane = os.path.join(self.katalog, "sklep.json")
        with open(self.dane, "w", encoding="utf-8") as f:
            json.dump(DANE_PRZYKLADU, f)
        self.serwer = harness.SerwerFtp(katalogi=("katalogFTP",))
        self.addCleanup(self.serwer.usun)

    def ustaw(self, **transmisja):
        sekcje = {"ustawieniaRaportu": {"idSklepu": 15, "idSpoldzielni": 7}}
        sekcje.update(self.ustawienia_ftp(self.serwer, **transmisja))
        harness.pisz_ini(self.katalog, sekcje)

    def eksport(self, *argumenty, czas=CZAS, dane=None):
        if dane is not None:
            with open(self.dane, "w", encoding="utf-8") as f:
                json.dump(dane, f)
        return harness.torvel_sim(self.katalog, "--data", self.dane, *czas, *argumenty)

    def test_plik_dociera_bajt_w_bajt(self):
        self.ustaw()
        wynik = self.eksport("--od", "2026-12-05", "--do", "2026-12-05", "menu")
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        self.assertEqual(self.plik("BRENVIK", PLIK_PRZYKLADU), TRESC_PRZYKLADU)
        self.assertEqual(self.serwer.pliki("katalogFTP"), [PLIK_PRZYKLADU])
        self.assertEqual(self.serwer.czytaj("katalogFTP", PLIK_PRZYKLADU), TRESC_PRZYKLADU)
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [0])
        self.assertFalse(os.path.exists(os.path.join(self.katalog, "curl.log")))
        self.assertEqual(wynik.wywolania(52030), [], "no warning after a successful upload")
        # curl's own output stays off the terminal.
        self.assertNotIn("% Total", wynik.wyjscie + wynik.bledy)
        self.assertNotIn("curl:", wynik.wyjscie + wynik.bledy)

    def sprawdz_nieudane(self, wynik, kod_curl, komunikat, tresc=TRESC_PRZYKLADU):
        plik = PLIK_PRZYKLADU
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [kod_curl])
        pudelka = wynik.wywolania(35804)
        self.assertEqual(len(pudelka), 1)
        self.assertEqual(pudelka[0]["args"][1], "Uwaga")
        self.assertEqual(pudelka[0]["args"][4], komunikat)
        ostrzezenia = [w["args"][0] for w in wynik.wywolania(52030)]
        self.assertEqual(ostrzezenia, ["Nie wyeksportowano raportu z pliku " + plik])
        # The record's own CR LF pass through the text-mode stream, as on
        # Windows, which makes each line end CR CR LF.
        log = self.plik("curl.log").decode("latin-1")
        self.assertEqual(log.count("Komenda CURL zakonczyla sie niepowodzeniem"), 1)
        self.assertRegex(log, r"^Data:C6\.12\.07 Komenda CURL zakonczyla sie niepowodzeniem, blad nr %d:\r\r\n"
                              r"CURL  -k \"ftp://[^\r\n]*\" -u [^\r\n]* -T \"[^\r\n]*BRENVIK\\%s\"\r\r\n"
                              r"-------------\r\r\n$" % (kod_curl, plik.replace(".", "\\.")))
        # Under the message, curl's own error line, and nothing else of curl's output.
        self.assertRegex(wynik.wyjscie, r"\[komunikat\] Uwaga: [^\n]*\n(    [^\n]*\n)*    curl: \(%d\) \S" % kod_curl)
        self.assertNotIn("% Total", wynik.wyjscie + wynik.bledy)
        # The run reached its end, and recorded no period.
        self.assertIn("Koniec funkcji EksportSprzedazy", wynik.wyjscie)
        self.assertNotIn(b"DataOstatniegoEksportu", self.ini())
        self.assertEqual(self.plik("BRENVIK", plik), tresc)

    def sprawdz_sytuacje(self, powolne):
        """Each row made with the real curl and a real server on loopback:
        the message the user sees, and that both manuals name that message
        for curl's exit code."""
        podreczniki_wpisy = (("README.md", podreczniki.wpisy_readme()),
                             ("INSTRUKCJA.txt", podreczniki.wpisy_instrukcji()))
        pierwszy = True
        for nazwa, przygotuj, kod_curl, oczekiwany, najkrocej in SYTUACJE:
            if (najkrocej > 0) != powolne:
                continue
            with self.subTest(sytuacja=nazwa):
                # Each row in a host directory and with a server of its own.
                if not pierwszy:
                    self.setUp()
                pierwszy = False
                try:
                    argumenty, (dane, tresc) = getattr(self, przygotuj)()
                    poczatek = time.monotonic()
                    wynik = self.eksport(*argumenty, "event", dane=dane)
                    trwalo = time.monotonic() - poczatek
                    komunikat = oczekiwany.replace("PLIK", PLIK_PRZYKLADU)
                    self.sprawdz_nieudane(wynik, kod_curl, komunikat, tresc=tresc)
                    # curl gave up by itself, after its own wait.
                    self.assertGreaterEqual(trwalo, najkrocej)
                    for podrecznik, wpisy in podreczniki_wpisy:
                        wpis = podreczniki.wpis_dla(wpisy, komunikat)
                        self.assertIsNotNone(wpis, "%s has no entry for %r" % (podrecznik, komunikat))
                        self.assertRegex(wpis, r"(?<![\d.-])%d(?![\d])" % kod_curl,
                                         "%s's entry for %r does not name curl's %d" % (podrecznik, komunikat, kod_curl))
                finally:
                    self.doCleanups()

    def test_sytuacje_przy_wysylce(self):
        self.sprawdz_sytuacje(powolne=False)

    @unittest.skipUnless(os.environ.get("BRENVIK_POWOLNE") == "1",
                         "curl's own waits of 60 and 120 s: ctest -L powolne, which scripts/test runs")
    def test_sytuacje_z_czekaniem_curl(self):
        self.sprawdz_sytuacje(powolne=True)

    # Each situation returns torvel-sim's extra arguments, and the shop's data
    # with the export file it makes.
    def serwer_nieznany(self):
        # Name resolution fails at once in a network namespace of its own,
        # so the test sends nothing off this machine.
        opakowanie = os.path.join(self.katalog, "curl-bez-sieci")
        with open(opakowanie, "w") as f:
            f.write('#!/bin/sh\nexec unshare -n curl "$@"\n')
        os.chmod(opakowanie, stat.S_IRWXU)
        self.ustaw(hostFTP="serwer.nieistniejacy.invalid")
        return ("--curl", opakowanie), PRZYKLAD

    def serwer_zatrzymany(self):
        self.ustaw()
        self.serwer.zatrzymaj()
        return (), PRZYKLAD

    def zle_haslo(self):
        self.ustaw(passFTP="zlehaslo")
        return (), PRZYKLAD

    def brak_katalogu(self):
        self.ustaw(dirFTP="/niema")
        return (), PRZYKLAD

    def zapis_odmowiony(self):
        # A user who may list and read, not store (the server answers 550).
        self.zamien_serwer(uprawnienia="elr")
        self.ustaw()
        return (), PRZYKLAD

    def pelny_dysk_serwera(self):
        korzen = tempfile.mkdtemp(prefix="ftp-pelny-")
        self.addCleanup(shutil.rmtree, korzen, True)
        self.maly_tmpfs(korzen, "the server's")
        os.makedirs(os.path.join(korzen, "katalogFTP"))
        try:
            with open(os.path.join(korzen, "wypelnienie"), "wb", buffering=0) as f:
                while True:
                    f.write(b"\0" * 4096)
        except OSError:
            pass
        self.zamien_serwer(korzen=korzen)
        self.ustaw()
        # A file larger than the server's write buffer, so that the server
        # meets the full disk while the file arrives.
        return (), DUZY_SKLEP

    def serwer_milczy(self):
        milczacy = harness.SerwerMilczacy()
        self.addCleanup(milczacy.usun)
        self.serwer = milczacy
        self.ustaw()
        return (), PRZYKLAD

    def serwer_nie_potwierdza(self):
        self.zamien_serwer(potwierdza=False)
        self.ustaw()
        return (), PRZYKLAD

    def zamien_serwer(self, **opcje):
        self.serwer.usun()
        self.serwer = harness.SerwerFtp(**opcje)
        self.addCleanup(self.serwer.usun)

    def test_kolejna_porazka_dopisuje_rekord(self):
        self.ustaw()
        self.serwer.zatrzymaj()
        self.eksport("event")
        self.eksport("event", czas=("--today", "2026-12-07", "--time", "13:43"))
        log = self.plik("curl.log").decode("latin-1")
        self.assertEqual(log.count("Komenda CURL zakonczyla sie niepowodzeniem, blad nr 7:"), 2)


class RaportEmail(harness.ScenariuszTestowy):
    def test_raport_dociera_do_serwera_poczty(self):
        ftp = harness.SerwerFtp()
        self.addCleanup(ftp.usun)
        smtp = harness.SerwerSmtp()
        self.addCleanup(smtp.zatrzymaj)
        sekcje = {"ustawieniaRaportu": {"nazwaSklepu": "Sklep7"}}
        sekcje.update(self.ustawienia_ftp(ftp))
        sekcje["ustawieniaEmail"] = {"hostSMTP": smtp.adres, "login": "sklep@sklep.example",
                                     "haslo": "tajne", "adresat": "centrala@sklep.example"}
        harness.pisz_ini(self.katalog, sekcje)
        wynik = harness.torvel_sim(self.katalog, *CZAS, "--od", "2026-12-01", "--do", "2026-12-07", "menu")
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        nazwa = ftp.pliki("katalogFTP")[0]
        oczekiwana = ("Subject: Raport ze sklepu Sklep7.\r\nTo: centrala@sklep.example\r\n"
                      "From: sklep@sklep.example\r\n\r\n\r\nWyeksportowano raport na serwer do pliku %s\r\n\r\n"
                      % nazwa).encode()
        self.assertEqual(self.plik("message.eml"), oczekiwana)
        self.assertEqual(len(smtp.wiadomosci), 1)
        list_ = smtp.wiadomosci[0]
        self.assertEqual(list_.mail_from, "sklep@sklep.example")
        self.assertEqual(list_.rcpt_tos, ["centrala@sklep.example"])
        self.assertIn(b"Wyeksportowano raport na serwer do pliku " + nazwa.encode(), list_.content)
        self.assertIn(b"uwierzytelnienie=1", self.ini())


if __name__ == "__main__":
    unittest.main()

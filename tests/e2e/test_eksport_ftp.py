"""Whole export runs through torvel-sim with the built module, the real curl
and a real FTP server on loopback: the file that arrives, and what the user
sees when the upload fails."""

import json
import os
import stat
import unittest

import harness

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

    def eksport(self, *argumenty, czas=CZAS):
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

    def sprawdz_nieudane(self, wynik, kod_curl, komunikat):
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [kod_curl])
        pudelka = wynik.wywolania(35804)
        self.assertEqual(len(pudelka), 1)
        self.assertEqual(pudelka[0]["args"][1], "Uwaga")
        self.assertIn(komunikat, json.dumps(pudelka[0], ensure_ascii=False))
        ostrzezenia = [w["args"][0] for w in wynik.wywolania(52030)]
        self.assertEqual(ostrzezenia, ["Nie wyeksportowano raportu z pliku " + PLIK_PRZYKLADU])
        # The record's own CR LF pass through the text-mode stream, as on
        # Windows, which makes each line end CR CR LF.
        log = self.plik("curl.log").decode("latin-1")
        self.assertEqual(log.count("Komenda CURL zakonczyla sie niepowodzeniem"), 1)
        self.assertRegex(log, r"^Data:C6\.12\.07 Komenda CURL zakonczyla sie niepowodzeniem, blad nr %d:\r\r\n"
                              r"CURL  -k \"ftp://[^\r\n]*\" -u [^\r\n]* -T \"[^\r\n]*BRENVIK\\%s\"\r\r\n"
                              r"-------------\r\r\n$" % (kod_curl, PLIK_PRZYKLADU.replace(".", "\\.")))
        # Under the message, curl's own error line, and nothing else of curl's output.
        self.assertRegex(wynik.wyjscie, r"\[komunikat\] Uwaga: [^\n]*\n(    [^\n]*\n)*    curl: \(%d\) \S" % kod_curl)
        self.assertNotIn("% Total", wynik.wyjscie + wynik.bledy)
        # The run reached its end, and recorded no period.
        self.assertIn("Koniec funkcji EksportSprzedazy", wynik.wyjscie)
        self.assertNotIn(b"DataOstatniegoEksportu", self.ini())
        self.assertEqual(self.plik("BRENVIK", PLIK_PRZYKLADU), TRESC_PRZYKLADU)

    def test_serwer_zatrzymany(self):
        self.ustaw()
        self.serwer.zatrzymaj()
        wynik = self.eksport("event")
        self.sprawdz_nieudane(wynik, 7, "Nie można połączyć się z serwerem podczas wysyłania pliku\\n" + PLIK_PRZYKLADU)

    def test_zle_haslo(self):
        self.ustaw(passFTP="zlehaslo")
        wynik = self.eksport("event")
        self.sprawdz_nieudane(wynik, 67, "Błąd logowania na serwerze podczas wysyłania pliku\\n" + PLIK_PRZYKLADU)

    def test_brak_katalogu_na_serwerze(self):
        self.ustaw(dirFTP="/niema")
        wynik = self.eksport("event")
        self.sprawdz_nieudane(wynik, 9, "Błąd CURL (9)\\n\\nPodczas wysyłania pliku\\n" + PLIK_PRZYKLADU)

    def test_nieznany_serwer(self):
        # Name resolution fails at once in a network namespace of its own,
        # so the test sends nothing off this machine.
        opakowanie = os.path.join(self.katalog, "curl-bez-sieci")
        with open(opakowanie, "w") as f:
            f.write('#!/bin/sh\nexec unshare -n curl "$@"\n')
        os.chmod(opakowanie, stat.S_IRWXU)
        self.ustaw(hostFTP="serwer.nieistniejacy.invalid")
        wynik = self.eksport("--curl", opakowanie, "event")
        self.sprawdz_nieudane(wynik, 6, "Nie można odnaleźć serwera serwer.nieistniejacy.invalid")

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

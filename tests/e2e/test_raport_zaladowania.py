"""The load-failure report through torvel-sim's message window: each host
objection gives its one report, chosen by the first applicable reason."""

import os
import re
import unittest

import harness


class RaportZaladowania(harness.ScenariuszTestowy):
    def raport(self, *argumenty, polecenie="connect", oczekiwany_kod=1):
        wynik = harness.torvel_sim(self.katalog, *argumenty, polecenie)
        self.assertEqual(wynik.kod, oczekiwany_kod, wynik.bledy)
        okna = wynik.wywolania(35802)
        self.assertEqual(len(okna), 1)
        argumenty = okna[0]["args"]
        self.assertEqual([argumenty[0], argumenty[1], argumenty[3], argumenty[4]], [15000, "STOP!!!", 61441, 28206])
        return argumenty[-1]  # the text as shown

    def test_przed_jakimkolwiek_sprawdzeniem(self):
        tekst = self.raport(polecenie="report", oczekiwany_kod=0)
        self.assertEqual(tekst, "Program nie obsługuje cech 0xFFFFFFFF,\nktóre są niezbędne dla modułu 'Brenvik'.")

    def test_brakujace_cechy(self):
        tekst = self.raport("--features", "3")
        self.assertEqual(tekst, "Program nie obsługuje cech 0x00000002,\nktóre są niezbędne dla modułu 'Brenvik'.")

    def test_brak_jednej_funkcji(self):
        tekst = self.raport("--missing", "52082")
        self.assertEqual(tekst, 'Wtyczka "Brenvik" potrzebuje zaimportować\nfunkcję o numerze 52082 z modułu '
                                "głównego,\njednak moduł główny jej nie posiada. Aby naprawić tę sytuację\n"
                                "zainstaluj aktualizację programu oraz wtyczki.\n\nWTYCZKA NIE ZOSTANIE ZAŁADOWANA!!!\n")

    def test_brak_kilku_funkcji_rosnaco(self):
        tekst = self.raport("--missing", "52081,30018,41611")
        self.assertIn("\nfunkcje o numerach 30018, 41611, 52081 z modułu głównego,\njednak moduł główny ich", tekst)

    def test_rozmiary_rekordow(self):
        tekst = self.raport("--no-table", "59", "--record-size", "44=1470")
        self.assertEqual(tekst, "Rozmiary rekordów niektórych tabel nie zgadzają się\nmiędzy programem a wtyczką "
                                "'Brenvik' (moduł 'brenvik.so'):\n\n\x01tl18l33\x01TABELA\tWE WTYCZCE\tW PROGRAMIE\n"
                                "\x01tp25p40\x01d_dek\t2750\tbrak\n\x01tp25p40\x01Tspr\t1469\t1470\n"
                                "\nModuł \x02brenvik.so\x01\nNIE zostanie załadowany!")

    def test_sprzeciw_hosta(self):
        tekst = self.raport("--objection", "Licencja sklepu nie obejmuje wtyczek.")
        self.assertEqual(tekst, "Licencja sklepu nie obejmuje wtyczek.")

    def test_rozne_wersje(self):
        oczekiwany = ('Moduł "brenvik.so" i program występują w różnych wersjach!\n\nZostał zakualizowany tylko '
                      "program albo tylko moduł,\na nie oba jednocześnie! Aby naprawić tę sytuację\nzainstaluj "
                      'aktualizację programu wraz z modułem "brenvik.so".\n\nMODUŁ NIE ZOSTANIE ZAŁADOWANY!!!\n')
        self.assertEqual(self.raport("--interface", "111"), oczekiwany)
        self.assertEqual(self.raport("--host-build", "20230514"), oczekiwany)

    def test_kazda_brakujaca_funkcja_i_wszystkie(self):
        """Every host function missing alone, and all at once: the module is
        refused and names what is missing, and neither connect nor the
        report crashes the host. Without its message window (35802) the host
        gets the report as debugger output."""
        with open(os.path.join(os.path.dirname(__file__), "../../host/funkcje_hosta.h")) as f:
            ordinaly = [int(n) for n in re.findall(r"X\(\d+, (\d+),", f.read())]
        self.assertEqual(len(ordinaly), 60)
        for brakujace in [[n] for n in ordinaly] + [ordinaly]:
            lista = ",".join(map(str, brakujace))
            with self.subTest(missing=lista if len(brakujace) == 1 else "all"):
                wynik = harness.torvel_sim(self.katalog, "--missing", lista, "connect")
                self.assertEqual(wynik.kod, 1, wynik.bledy)
                nazwa = "o numerze %d " % brakujace[0] if len(brakujace) == 1 else "o numerach "
                if 35802 in brakujace:
                    self.assertEqual(wynik.wywolania(35802), [])
                    self.assertIn(nazwa, wynik.bledy)
                    # Debugger output in the terminal's UTF-8, not the host's Mazovia.
                    if len(brakujace) == 1:
                        self.assertIn("funkcję o numerze 35802 z modułu głównego", wynik.bledy)
                        self.assertIn("WTYCZKA NIE ZOSTANIE ZAŁADOWANA!!!", wynik.bledy)
                else:
                    self.assertIn(nazwa, wynik.wywolania(35802)[0]["args"][-1])
                raport = harness.torvel_sim(self.katalog, "--missing", lista, "report")
                self.assertEqual(raport.kod, 0, raport.bledy)

    def test_odlaczenie_bez_sprawdzania(self):
        wynik = harness.torvel_sim(self.katalog, "disconnect")
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        self.assertEqual([w["args"] for w in wynik.wywolania(52082)], [[32517]])
        self.assertEqual(len(wynik.wywolania(51594)), 1, "only the connect before it was checked")


if __name__ == "__main__":
    unittest.main()

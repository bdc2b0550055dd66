"""The menu command and the automatic export through torvel-sim with the
built module, the real curl and a real FTP server."""

import os
import re
import unittest

import harness

DZISIAJ = "2026-12-08"


class PolecenieIZdarzenie(harness.ScenariuszTestowy):
    def setUp(self):
        super().setUp()
        self.serwer = harness.SerwerFtp()
        self.addCleanup(self.serwer.usun)

    def ustaw(self, **sekcje):
        wszystkie = self.ustawienia_ftp(self.serwer)
        wszystkie.update(sekcje)
        harness.pisz_ini(self.katalog, wszystkie)

    def uruchom(self, *argumenty, czas="09:30"):
        wynik = harness.torvel_sim(self.katalog, "--today", DZISIAJ, "--time", czas, *argumenty)
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        return wynik

    @staticmethod
    def okres(wynik):
        """The period that the export run showed, as display dates."""
        teksty = [w["args"][-1] for w in wynik.wywolania(52029) if w["args"][-1].startswith("Eksport lumera od")]
        return teksty[0][len("Eksport lumera od "):] if teksty else None

    def wyslane(self):
        return self.serwer.pliki("katalogFTP")

    def klucz(self, nazwa):
        znalezione = re.search(rb"(?m)^%s=(.*)$" % nazwa.encode(), self.ini())
        return znalezione.group(1).decode() if znalezione else None

    # ---- the menu command

    def test_menu_eksportuje_wybrany_okres_i_nic_nie_zapisuje(self):
        self.ustaw()
        wynik = self.uruchom("--od", "2026-12-02", "--do", "2026-12-04", "menu")
        self.assertEqual(self.okres(wynik), "02.12.2026 do 04.12.2026")
        self.assertEqual(len(self.wyslane()), 1)
        plik = self.serwer.czytaj("katalogFTP", self.wyslane()[0]).decode()
        daty = set(re.findall(r";(2026-12-\d\d) ", plik))
        self.assertEqual(daty, {"2026-12-02", "2026-12-03", "2026-12-04"})
        self.assertIsNone(self.klucz("DataOstatniegoEksportu"))
        self.assertIsNone(self.klucz("OstatniOdczyt"))
        self.assertEqual(self.klucz("Kasa01"), "1")
        self.assertIn("menu command returned 1", wynik.wyjscie)

    def test_menu_domyslnie_wczoraj(self):
        self.ustaw()
        wynik = self.uruchom("menu")
        self.assertEqual(self.okres(wynik), "07.12.2026 do 07.12.2026")

    def test_esc_nic_nie_eksportuje(self):
        self.ustaw()
        przed = self.ini()
        wynik = self.uruchom("--button", "ESC", "menu")
        self.assertIn("menu command returned 0", wynik.wyjscie)
        self.assertEqual(self.ini(), przed, "no till keys")
        self.assertEqual(wynik.wywolania(51539), [])
        self.assertFalse(os.path.exists(os.path.join(self.katalog, "BRENVIK")))
        self.assertEqual(self.wyslane(), [])

    def test_poczatek_po_koncu_daje_ostrzezenie(self):
        self.ustaw()
        wynik = self.uruchom("--od", "2026-12-05", "--do", "2026-12-03", "menu")
        self.assertEqual([w["args"][0] for w in wynik.wywolania(52030)],
                         ["Data początkowa nie może być późniejsza, niż data końcowa!"])
        self.assertEqual(wynik.wywolania(51539), [])
        self.assertEqual(self.wyslane(), [])

    def test_flaga_wsadowa_pomija_formularz(self):
        self.ustaw()
        wynik = self.uruchom("--batch", "1", "menu")
        self.assertEqual(wynik.wywolania(52026), [])
        self.assertEqual(self.okres(wynik), "05.12.2026 do 07.12.2026")
        self.assertIn("batch flag 0,", wynik.wyjscie)
        self.assertEqual(len(self.wyslane()), 1)

    # ---- the automatic export

    def test_bez_zapisanej_daty_dwa_dni_do_wczoraj(self):
        self.ustaw()
        wynik = self.uruchom("event")
        self.assertEqual(self.okres(wynik), "06.12.2026 do 07.12.2026")
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")
        self.assertEqual(self.klucz("OstatniOdczyt"), "Eksport danych od C6.12.06 do C6.12.07")

    def test_data_rowna_wczoraj_nic_nie_robi(self):
        self.ustaw(danePomocnicze={"DataOstatniegoEksportu": "C6.12.07"})
        wynik = self.uruchom("event")
        self.assertEqual(wynik.wywolania(52029), [])
        self.assertEqual(wynik.wywolania(51539), [])
        self.assertEqual(self.wyslane(), [])
        self.assertIsNone(self.klucz("Kasa01"))

    def test_data_trzy_dni_wstecz(self):
        self.ustaw(danePomocnicze={"DataOstatniegoEksportu": "C6.12.05"})
        wynik = self.uruchom("event")
        self.assertEqual(self.okres(wynik), "05.12.2026 do 07.12.2026")
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")

    def test_data_pozniejsza_trzy_dni_do_wczoraj(self):
        self.ustaw(danePomocnicze={"DataOstatniegoEksportu": "C6.12.20"})
        wynik = self.uruchom("event")
        self.assertEqual(self.okres(wynik), "05.12.2026 do 07.12.2026")

    def test_nieudane_wyslanie_nie_przesuwa_daty(self):
        self.ustaw(danePomocnicze={"DataOstatniegoEksportu": "C6.12.03"})
        self.serwer.zatrzymaj()
        wynik = self.uruchom("event")
        self.assertEqual(self.okres(wynik), "03.12.2026 do 07.12.2026")
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.03")
        self.assertIsNone(self.klucz("OstatniOdczyt"))
        # The server is back: the next event starts from the same day.
        self.serwer = harness.SerwerFtp()
        self.addCleanup(self.serwer.usun)
        harness.pisz_ini(self.katalog, {**self.ustawienia_ftp(self.serwer),
                                        "danePomocnicze": {"DataOstatniegoEksportu": "C6.12.03"}})
        wynik = self.uruchom("event", czas="09:31")
        self.assertEqual(self.okres(wynik), "03.12.2026 do 07.12.2026")
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")

    def test_ta_sama_minuta_nie_zastepuje_pliku(self):
        # The automatic export at 06:00, then the menu command in the same
        # minute, whose file would get the same name.
        self.ustaw()
        nazwa = "01_001_2026_12_08_0600.csv"
        self.uruchom("event", czas="06:00")
        self.assertEqual(self.wyslane(), [nazwa])
        wyslany = self.serwer.czytaj("katalogFTP", nazwa)
        self.assertEqual(self.plik("BRENVIK", nazwa), wyslany)
        # Receipts of 6 December too, which the menu export of 7 December would not hold.
        self.assertEqual(set(re.findall(rb";(2026-12-\d\d) ", wyslany)), {b"2026-12-06", b"2026-12-07"})
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")

        wynik = self.uruchom("menu", czas="06:00")
        tekst = "Plik %s już istnieje.\nPowtórz eksport za minutę." % nazwa
        self.assertEqual([w["args"] for w in wynik.wywolania(35804)],
                         [[None, "uwaga", "Plik %s już istnieje.\nPowtórz eksport za minutę.", 1, tekst]])
        self.assertIn("[komunikat] uwaga: Plik %s już istnieje." % nazwa, wynik.wyjscie)
        self.assertEqual(wynik.wywolania(52534), [], "the file is not opened")
        self.assertEqual(wynik.wywolania(52011), [], "nothing is sent")
        self.assertEqual(wynik.wywolania(52029) + wynik.wywolania(52028) + wynik.wywolania(52030), [], "no status text")
        self.assertEqual(self.wyslane(), [nazwa])
        self.assertEqual(self.serwer.czytaj("katalogFTP", nazwa), wyslany)
        self.assertEqual(self.plik("BRENVIK", nazwa), wyslany)
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")

        # A minute later the menu export goes through, with a file of its own.
        wynik = self.uruchom("menu", czas="06:01")
        self.assertEqual(self.okres(wynik), "07.12.2026 do 07.12.2026")
        self.assertEqual([w["ret"] for w in wynik.wywolania(52011)], [0])
        self.assertEqual(self.wyslane(), [nazwa, "01_001_2026_12_08_0601.csv"])
        self.assertEqual(self.serwer.czytaj("katalogFTP", nazwa), wyslany)
        self.assertEqual(self.serwer.czytaj("katalogFTP", "01_001_2026_12_08_0601.csv"),
                         self.plik("BRENVIK", "01_001_2026_12_08_0601.csv"))
        self.assertEqual(self.klucz("DataOstatniegoEksportu"), "C6.12.07")

    def test_slowo_opcji_wraca_do_stanu_sprzed(self):
        self.ustaw()
        wynik = self.uruchom("--option-word", "0x0001", "event")
        self.assertEqual([w["args"] for w in wynik.wywolania(32408)], [[0x8000, 1], [0x8000, 0]])
        self.assertIn("option word 0x0001", wynik.wyjscie)
        self.ustaw()
        wynik = self.uruchom("--option-word", "0x8001", "event", czas="09:31")
        self.assertEqual(wynik.wywolania(32408), [])
        self.assertIn("option word 0x8001", wynik.wyjscie)

    def test_wylaczony_przelacznik_nic_nie_robi(self):
        self.ustaw()
        wynik = self.uruchom("--switch", "0", "event")
        self.assertEqual(wynik.wywolania(52029), [])
        self.assertEqual(wynik.wywolania(32300), [])
        self.assertEqual(self.wyslane(), [])

    def test_flaga_wsadowa_blokuje_zdarzenie(self):
        self.ustaw()
        wynik = self.uruchom("--batch", "1", "event")
        self.assertEqual(wynik.wywolania(24235), [])
        self.assertEqual(wynik.wywolania(52172), [])
        self.assertEqual(self.wyslane(), [])


if __name__ == "__main__":
    unittest.main()

"""The manuals cannot drift from the module: every text the module can show
the user is in the README's messages table and in INSTRUKCJA's chapter 8,
and both list the situations in the same order."""

import unittest

import podreczniki


class KomunikatyWPodrecznikach(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.teksty = podreczniki.teksty_modulu()
        cls.podreczniki = {"README.md": podreczniki.tabela_readme(),
                           "INSTRUKCJA.txt": podreczniki.rozdzial_instrukcji()}

    def test_teksty_modulu_odczytane(self):
        # The reading must see the whole table of curl's messages, the
        # load-failure report and the export's own messages, or the other
        # checks would pass on nothing.
        pliki = {plik for _, plik in self.teksty}
        self.assertTrue({"transmission/komunikaty_curl.cpp", "shell/raport_zaladowania.cpp",
                         "export/eksport_sprzedazy.cpp", "commands/raport_za_okres.cpp"} <= pliki, pliki)
        self.assertIn("Błąd CURL (%d)\n\nPodczas wysyłania pliku\n%s", [t for t, _ in self.teksty])
        self.assertIn("Wyeksportowano raport na serwer do pliku %s", [t for t, _ in self.teksty])
        self.assertGreaterEqual(len(self.teksty), 20)

    def test_kazdy_tekst_w_obu_podrecznikach(self):
        for nazwa, rozdzial in self.podreczniki.items():
            for tekst, plik in self.teksty:
                with self.subTest(podrecznik=nazwa, tekst=tekst):
                    self.assertTrue(podreczniki.wzorzec_tekstu(tekst).search(rozdzial),
                                    "%s shows %r, %s does not describe it" % (plik, tekst, nazwa))

    def test_ta_sama_kolejnosc(self):
        def kolejnosc(rozdzial):
            pozycje = {}
            for tekst, _ in self.teksty:
                znaleziony = podreczniki.wzorzec_tekstu(tekst).search(rozdzial)
                if znaleziony:
                    pozycje[tekst] = znaleziony.start()
            return sorted(pozycje, key=pozycje.get)
        self.assertEqual(kolejnosc(self.podreczniki["README.md"]), kolejnosc(self.podreczniki["INSTRUKCJA.txt"]))

    def test_wpisy_rozpoznaja_pokazany_tekst(self):
        # How the end-to-end runs find the manual's entry for what the user saw.
        for wpisy in (podreczniki.wpisy_readme(), podreczniki.wpisy_instrukcji()):
            with self.subTest(wpis=wpisy[0][0]):
                self.assertIsNotNone(podreczniki.wpis_dla(wpisy, "Błąd CURL (25)\n\nPodczas wysyłania pliku\n07_015.csv"))
                self.assertIsNotNone(podreczniki.wpis_dla(wpisy, "Nie można odnaleźć serwera ftp.example"))
                self.assertIsNone(podreczniki.wpis_dla(wpisy, "Coś zupełnie innego"))


if __name__ == "__main__":
    unittest.main()

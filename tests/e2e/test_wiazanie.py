"""Loading the built module into torvel-sim: all host functions bound, or
the connection refused with the missing ones named."""

import unittest

import harness


class Wiazanie(harness.ScenariuszTestowy):
    def test_wszystkie_funkcje_hosta(self):
        wynik = harness.torvel_sim(self.katalog, "connect")
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        self.assertIn('connected module "Brenvik"', wynik.wyjscie)
        self.assertEqual(len(wynik.wywolania(52081)), 1)
        self.assertEqual(wynik.wywolania(35802), [])

    def test_brak_dwoch_funkcji(self):
        wynik = harness.torvel_sim(self.katalog, "--missing", "52081,41611", "connect")
        self.assertNotEqual(wynik.kod, 0)
        self.assertEqual(wynik.wywolania(52081), [])
        self.assertEqual(len(wynik.wywolania(35802)), 1)
        self.assertIn("funkcje o numerach 41611, 52081 z modułu głównego", wynik.wyjscie)
        self.assertIn("jednak moduł główny ich nie posiada", wynik.wyjscie)

    def test_brak_jednej_funkcji(self):
        wynik = harness.torvel_sim(self.katalog, "--missing", "38511", "connect")
        self.assertNotEqual(wynik.kod, 0)
        self.assertIn("funkcję o numerze 38511 z modułu głównego", wynik.wyjscie)
        self.assertIn("jednak moduł główny jej nie posiada", wynik.wyjscie)


if __name__ == "__main__":
    unittest.main()

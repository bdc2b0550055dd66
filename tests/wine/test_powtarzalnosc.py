"""Two clean builds of the current commit, in folders of different names,
give the same package: the same brenvik.dll, debug file, SHA256SUMS and
zip, byte for byte."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

ZRODLA = os.environ.get("BRENVIK_ZRODLA", os.path.join(os.path.dirname(__file__), "../.."))
WERSJA = os.environ.get("BRENVIK_WERSJA", "")
GORNY = "brenvik-%s-win32" % WERSJA


def czysta_kopia(cel):
    """The committed sources only, as a fresh clone has them."""
    os.makedirs(cel)
    archiwum = subprocess.run(["git", "-C", ZRODLA, "archive", "--format=tar", "HEAD"],
                              check=True, capture_output=True).stdout
    subprocess.run(["tar", "-x", "-C", cel], input=archiwum, check=True)


def zbuduj_paczke(zrodla):
    """The windows preset without tests: the module, the stand-in host, the package."""
    for polecenie in (["cmake", "--preset", "windows", "-DBUILD_TESTING=OFF"],
                      ["cmake", "--build", "--preset", "windows", "--target", "package"]):
        proces = subprocess.run(polecenie, cwd=zrodla, capture_output=True, text=True, timeout=1200)
        if proces.returncode != 0:
            raise AssertionError(" ".join(polecenie) + " in " + zrodla + ":\n" + proces.stdout + proces.stderr)
    budowa = os.path.join(zrodla, "build", "windows")
    wynik = {}
    for nazwa, sciezka in (("brenvik.dll", "bin/brenvik.dll"), ("brenvik.dll.debug", "brenvik.dll.debug"),
                           ("zip", GORNY + ".zip")):
        with open(os.path.join(budowa, sciezka), "rb") as f:
            wynik[nazwa] = f.read()
    with zipfile.ZipFile(os.path.join(budowa, GORNY + ".zip")) as z:
        wynik["SHA256SUMS"] = z.read(GORNY + "/SHA256SUMS")
    return wynik


class DwieCzysteBudowy(unittest.TestCase):
    def test_ta_sama_paczka_z_dwoch_katalogow(self):
        self.assertTrue(WERSJA, "project version handed over by CMake")
        katalog = tempfile.mkdtemp(prefix="powtarzalnosc-")
        self.addCleanup(shutil.rmtree, katalog, True)
        # Different lengths too, so that a path left in a binary shows.
        wyniki = []
        for nazwa in ("a", "druga-kopia-zrodel"):
            zrodla = os.path.join(katalog, nazwa)
            poczatek = time.monotonic()
            czysta_kopia(zrodla)
            wynik = zbuduj_paczke(zrodla)
            print("%s: clean build and package in %.0f s" % (nazwa, time.monotonic() - poczatek))
            self.assertNotIn(zrodla.encode(), wynik["brenvik.dll"] + wynik["brenvik.dll.debug"], "build path")
            wyniki.append(wynik)
        pierwsza, druga = wyniki
        for nazwa in pierwsza:
            self.assertGreater(len(pierwsza[nazwa]), 0, nazwa)
            self.assertTrue(pierwsza[nazwa] == druga[nazwa], nazwa + " differs between the two builds")
        self.assertIn(b"  brenvik.dll\n", pierwsza["SHA256SUMS"])

if __name__ == "__main__":
    unittest.main()

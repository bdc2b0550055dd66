"""The release package as an integrator receives it: its layout, checksums,
texts and the DLL's version and debug information; the settings example
against what the module itself writes; and the packaged torvel-sim.exe
running the packaged brenvik.dll under Wine for a menu export. The package
is made by the test wine.paczka before this one; BRENVIK_WIN_ARCH names the
build (win32, the shipped one, or win64, the 64-bit test build)."""

import os
import re
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import types
import unittest
import zipfile
import zlib

import pefile

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import harness  # noqa: E402
import test_wine  # noqa: E402

BUDOWA = os.environ.get("BRENVIK_WIN_BUILD", os.path.join(os.path.dirname(__file__), "../../build/windows"))
WERSJA = os.environ.get("BRENVIK_WERSJA", "")
GORNY = "brenvik-%s-%s" % (WERSJA, os.environ.get("BRENVIK_WIN_ARCH", "win32"))
OBJDUMP = os.environ.get("BRENVIK_OBJDUMP", "i686-w64-mingw32-objdump")
OBJCOPY = os.environ.get("BRENVIK_OBJCOPY", "i686-w64-mingw32-objcopy")
PACZKA = os.path.join(BUDOWA, GORNY + ".zip")
CURL_WINE = os.path.join(BUDOWA, "bin", "curl.exe")
NARZEDZIA = "narzedzia/torvel-sim/"
ZAWARTOSC = {"brenvik.dll", "INSTRUKCJA.txt", "brenvik.ini.przyklad", "SHA256SUMS",
             NARZEDZIA + "torvel-sim.exe", NARZEDZIA + "TORVEL.dll",
             NARZEDZIA + "sklep_przykladowy.json", NARZEDZIA + "CZYTAJ.txt"}
BOM = b"\xef\xbb\xbf"
MENU_1_7_GRUDNIA = ("--today", "2026-12-08", "--time", "09:15", "--od", "2026-12-01", "--do", "2026-12-07", "menu")


def klucze_ini(tresc):
    """(section, key, value, commented out) of every key line, in file order;
    a commented-out key is a ';' directly followed by a key=value."""
    wynik, sekcja = [], None
    for linia in tresc.decode("utf-8").splitlines():
        if re.fullmatch(r"\[\w+\]", linia):
            sekcja = linia[1:-1]
        elif m := re.fullmatch(r"(;?)(\w+)=(.*)", linia):
            wynik.append((sekcja, m.group(2), m.group(3), m.group(1) == ";"))
    return wynik


def z_ftp(tresc, serwer):
    """The example with only the four FTP texts set to the test server."""
    for klucz, wartosc in (("hostFTP", serwer.adres), ("userFTP", harness.UZYTKOWNIK),
                           ("passFTP", harness.HASLO), ("dirFTP", "/katalogFTP")):
        tresc, n = re.subn(rb"(?m)^%s=[^\r\n]*" % klucz.encode(), b"%s=%s" % (klucz.encode(), wartosc.encode()), tresc)
        assert n == 1, klucz
    return tresc


class RozpakowanaPaczka(unittest.TestCase):
    """The package unpacked once for a class of tests; korzen is its folder."""

    @classmethod
    def setUpClass(cls):
        if not os.path.isfile(PACZKA):
            raise AssertionError("no package %s: the test wine.paczka makes it" % PACZKA)
        cls.rozpakowana = tempfile.mkdtemp(prefix="paczka-")
        with zipfile.ZipFile(PACZKA) as z:
            cls.nazwy = z.namelist()
            z.extractall(cls.rozpakowana)
        cls.korzen = os.path.join(cls.rozpakowana, GORNY)
        cls.sim_exe = os.path.join(cls.korzen, NARZEDZIA, "torvel-sim.exe")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.rozpakowana, ignore_errors=True)

    def czytaj(self, nazwa):
        with open(os.path.join(self.korzen, nazwa), "rb") as f:
            return f.read()

    def eksport_z_menu(self, nazwa, ustawienia):
        """The menu export of 1-7 December in a fresh host directory holding
        `ustawienia`, by the Linux torvel-sim ("linux") or else by the
        packaged torvel-sim.exe and brenvik.dll under the tier's Wine, with
        the test curl. Returns the host directory and the run's result."""
        katalog = tempfile.mkdtemp(prefix="torvel-%s-" % nazwa)
        self.addCleanup(shutil.rmtree, katalog, True)
        with open(os.path.join(katalog, "brenvik.ini"), "wb") as f:
            f.write(ustawienia)
        if nazwa == "linux":
            wynik = harness.torvel_sim(katalog, *MENU_1_7_GRUDNIA)
        else:
            wynik = test_wine.pod_wine(
                katalog, "--module", test_wine.windowsowa(os.path.join(self.korzen, "brenvik.dll")),
                "--curl", test_wine.windowsowa(CURL_WINE), *MENU_1_7_GRUDNIA, sim=self.sim_exe)
        self.assertEqual(wynik.kod, 0, nazwa + ": " + wynik.bledy + wynik.wyjscie)
        return katalog, wynik


class Pakiet(RozpakowanaPaczka):
    """What the package holds, and its torvel-sim.exe under the tier's Wine."""

    def test_jeden_katalog_z_plikami_pakietu(self):
        self.assertTrue(WERSJA, "project version handed over by CMake")
        pliki = [n for n in self.nazwy if not n.endswith("/")]
        self.assertTrue(all(n.startswith(GORNY + "/") for n in self.nazwy), self.nazwy)
        self.assertEqual({n[len(GORNY) + 1:] for n in pliki}, ZAWARTOSC)
        self.assertEqual(pliki, sorted(pliki), "fixed order in the archive")
        # Debug information stays beside the zip, not in it.
        self.assertTrue(os.path.isfile(os.path.join(BUDOWA, "brenvik.dll.debug")))

    def test_sumy_kontrolne_obejmuja_kazdy_inny_plik(self):
        sumy = self.czytaj("SHA256SUMS").decode()
        wymienione = [linia.split("  ", 1)[1] for linia in sumy.splitlines()]
        self.assertEqual(sorted(wymienione), sorted(ZAWARTOSC - {"SHA256SUMS"}))
        proces = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=self.korzen, capture_output=True, text=True)
        self.assertEqual(proces.returncode, 0, proces.stdout + proces.stderr)
        self.assertEqual(proces.stdout.count(": OK"), len(ZAWARTOSC) - 1)

    def test_dll_bez_informacji_debuggera_z_odnosnikiem_do_niej(self):
        dll = os.path.join(self.korzen, "brenvik.dll")
        sekcje = subprocess.run([OBJDUMP, "-h", dll], capture_output=True, text=True,
                                check=True).stdout
        self.assertNotIn(".debug", sekcje)
        self.assertIn(".gnu_debuglink", sekcje)
        # The link names the debug file and carries its CRC, so a debugger
        # accepts brenvik.dll.debug only for this very build.
        with tempfile.TemporaryDirectory() as tymczasowy:
            odnosnik = os.path.join(tymczasowy, "odnosnik")
            subprocess.run([OBJCOPY, "--dump-section", ".gnu_debuglink=" + odnosnik, dll,
                            os.path.join(tymczasowy, "kopia.dll")], check=True)
            with open(odnosnik, "rb") as f:
                tresc = f.read()
        nazwa = tresc[:tresc.index(b"\0")]
        self.assertEqual(nazwa, b"brenvik.dll.debug")
        with open(os.path.join(BUDOWA, "brenvik.dll.debug"), "rb") as f:
            self.assertEqual(struct.unpack("<I", tresc[-4:])[0], zlib.crc32(f.read()))

    def test_wersja_dll_i_torvel_sim_to_wersja_projektu(self):
        pe = pefile.PE(os.path.join(self.korzen, "brenvik.dll"))
        liczby = [int(c) for c in WERSJA.split(".")] + [0]
        staly = pe.VS_FIXEDFILEINFO[0]
        for starsze, mlodsze in ((staly.FileVersionMS, staly.FileVersionLS),
                                 (staly.ProductVersionMS, staly.ProductVersionLS)):
            self.assertEqual([starsze >> 16, starsze & 0xFFFF, mlodsze >> 16, mlodsze & 0xFFFF], liczby)
        teksty = {}
        for informacja in pe.FileInfo[0]:
            for tabela in getattr(informacja, "StringTable", []):
                teksty.update(tabela.entries)
        self.assertEqual(teksty[b"FileVersion"].decode(), WERSJA)
        self.assertEqual(teksty[b"ProductVersion"].decode(), WERSJA)

        proces = subprocess.run([test_wine.WINE, self.sim_exe, "--version"],
                                capture_output=True, text=True, timeout=120, stdin=subprocess.DEVNULL)
        self.assertEqual(proces.stdout.split(), ["torvel-sim", WERSJA])
        proces = subprocess.run([harness.TORVEL_SIM, "--version"], capture_output=True, text=True, timeout=60)
        self.assertEqual(proces.stdout.split(), ["torvel-sim", WERSJA])

    def test_teksty_dla_notatnika(self):
        for nazwa, z_bom in (("INSTRUKCJA.txt", True), (NARZEDZIA + "CZYTAJ.txt", True),
                             ("brenvik.ini.przyklad", False)):
            tresc = self.czytaj(nazwa)
            self.assertEqual(tresc.startswith(BOM), z_bom, nazwa)
            self.assertEqual(tresc.count(b"\n"), tresc.count(b"\r\n"), nazwa + ": CR LF line ends only")
            tekst = tresc.decode("utf-8")
            self.assertIn("ą", tekst, nazwa + ": Polish letters in UTF-8")
        self.assertIn(WERSJA, self.czytaj("INSTRUKCJA.txt").decode("utf-8"))

    def test_przyklad_ustawien_to_klucze_i_wartosci_ktore_zapisuje_modul(self):
        przyklad = klucze_ini(self.czytaj("brenvik.ini.przyklad"))
        # The module's own file: a menu export into an empty directory, then
        # an automatic export with a mail server and a working upload, which
        # adds the mail keys and the automatic export's record.
        katalog = tempfile.mkdtemp(prefix="torvel-")
        self.addCleanup(shutil.rmtree, katalog, True)
        # Its upload needs no server: curl is replaced by a program that fails.
        wynik = harness.torvel_sim(katalog, "--quiet", "--curl", "/bin/false", "--today", "2026-12-08", "--time", "09:00",
                                   "menu")
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        serwer = harness.SerwerFtp()
        self.addCleanup(serwer.usun)
        poczta = harness.SerwerSmtp()
        self.addCleanup(poczta.zatrzymaj)
        sciezka = os.path.join(katalog, "brenvik.ini")
        with open(sciezka, "rb") as f:
            tresc = f.read()
        domyslne = {(s, k): w for s, k, w, _ in klucze_ini(tresc)}
        tresc = z_ftp(tresc, serwer)
        with open(sciezka, "wb") as f:
            f.write(tresc + b"\n[ustawieniaEmail]\nhostSMTP=%s\n" % poczta.adres.encode())
        # A minute later: a run never replaces the file of a run in the same minute.
        wynik = harness.torvel_sim(katalog, "--quiet", "--today", "2026-12-08", "--time", "09:01", "event")
        self.assertEqual(wynik.kod, 0, wynik.bledy)
        self.assertEqual(len(serwer.pliki()), 1, "uploaded")
        with open(sciezka, "rb") as f:
            modul = klucze_ini(f.read())

        self.assertEqual([(s, k) for s, k, _, _ in przyklad], [(s, k) for s, k, _, _ in modul])
        bez_domyslnej = {"hostSMTP", "DataOstatniegoEksportu", "OstatniOdczyt"}
        ustawione = {"hostFTP", "userFTP", "passFTP", "dirFTP"}
        for (sekcja, klucz, wartosc, wykomentowany), (_, _, zapisana, _) in zip(przyklad, modul):
            self.assertEqual(wykomentowany, klucz in bez_domyslnej, klucz)
            if klucz not in bez_domyslnej | ustawione:
                self.assertEqual(wartosc, zapisana, "%s/%s: the module's default" % (sekcja, klucz))
        for sekcja, klucz, wartosc, _ in przyklad:
            if klucz in ustawione:
                self.assertEqual(wartosc, domyslne[(sekcja, klucz)], "%s/%s: the module's default" % (sekcja, klucz))

    def test_spakowany_torvel_sim_eksportuje_pod_wine_jak_na_linuksie(self):
        przyklad = self.czytaj("brenvik.ini.przyklad")
        nadeslane, pliki = {}, {}
        for nazwa in ("linux", "wine"):
            serwer = harness.SerwerFtp()
            self.addCleanup(serwer.usun)
            ustawienia = z_ftp(przyklad, serwer)
            katalog, wynik = self.eksport_z_menu(nazwa, ustawienia)
            self.assertIn("Wyeksportowano raport na serwer", wynik.wyjscie, nazwa)
            # The module read every key it needs and wrote none back.
            with open(os.path.join(katalog, "brenvik.ini"), "rb") as f:
                self.assertEqual(f.read(), ustawienia, nazwa + ": brenvik.ini changed")
            nadeslane[nazwa] = {n: serwer.czytaj("katalogFTP", n) for n in serwer.pliki()}
            pliki[nazwa] = sorted(os.listdir(os.path.join(katalog, "BRENVIK")))
        self.assertEqual(pliki["wine"], ["01_001_2026_12_08_0915.csv"])
        self.assertEqual(pliki["linux"], pliki["wine"])
        self.assertEqual(list(nadeslane["wine"]), pliki["wine"])
        self.assertEqual(nadeslane["linux"], nadeslane["wine"])
        self.assertTrue(nadeslane["wine"][pliki["wine"][0]].startswith(b"01\r\n"))
        self.assertGreater(nadeslane["wine"][pliki["wine"][0]].count(b"\r\n"), 1, "card receipts exported")


class Wine32ZPowloki(RozpakowanaPaczka):
    """scripts/wine32 run from this machine's shell, as someone debugging the
    shipped DLL runs it: natively, or in the emulated x86 machine, which must
    reach the module, the host directory and the trace at the paths given."""

    def test_spakowany_torvel_sim_przez_wine32_jak_na_linuksie(self):
        zrodla = os.environ.get("BRENVIK_ZRODLA", os.path.join(os.path.dirname(__file__), "../.."))
        sposob = subprocess.run([os.path.join(zrodla, "scripts/x86-32"), "--text"], capture_output=True,
                                text=True, check=True).stdout.strip()
        print("\nwindows: scripts/wine32 (%s)" % sposob, file=sys.stderr)
        # A port nothing listens on, here and in the emulated machine.
        with socket.socket() as gniazdo:
            gniazdo.bind(("127.0.0.1", 0))
            serwer = types.SimpleNamespace(adres="127.0.0.1:%d" % gniazdo.getsockname()[1])
        ustawienia = z_ftp(self.czytaj("brenvik.ini.przyklad"), serwer)
        pliki = {}
        for nazwa in ("linux", "wine32"):
            katalog, wynik = self.eksport_z_menu(nazwa, ustawienia)
            self.assertIn("Nie można połączyć się z serwerem", wynik.wyjscie, nazwa)
            self.assertTrue(wynik.wywolania(52081), nazwa + ": host calls traced")
            pliki[nazwa] = test_wine.pliki_wyniku(katalog)
        self.assertEqual(sorted(pliki["wine32"]), ["BRENVIK/01_001_2026_12_08_0915.csv", "brenvik.ini"])
        self.assertEqual(pliki["linux"], pliki["wine32"])
        self.assertGreater(pliki["wine32"]["BRENVIK/01_001_2026_12_08_0915.csv"].count(b"\r\n"), 1)

        # A program's failure comes back as its exit status and error output.
        brak = os.path.join(self.korzen, "brak.dll")
        wynik = test_wine.pod_wine(katalog, "--module", test_wine.windowsowa(brak), "connect", sim=self.sim_exe)
        self.assertEqual(wynik.kod, 2, wynik.bledy + wynik.wyjscie)
        self.assertIn("cannot load", wynik.bledy)


if __name__ == "__main__":
    unittest.main()

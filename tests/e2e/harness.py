"""Shared pieces of the end-to-end scenarios: a real FTP server and an SMTP
sink on loopback, and torvel-sim runs in a fresh host directory."""

import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import unittest
import warnings

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.ioloop import IOLoop
from pyftpdlib.servers import FTPServer

BIN = os.environ.get("BRENVIK_BIN", os.path.join(os.path.dirname(__file__), "../../build/linux/bin"))
TORVEL_SIM = os.path.join(BIN, "torvel-sim")
UZYTKOWNIK = "nazwauzytkownika"
HASLO = "kwintoru"

# Polish letters of the Mazovia code page, for reading the module's texts.
MAZOVIA = dict(zip(b"\x86\x8d\x8f\x90\x91\x92\x95\x98\x9c\x9e\xa0\xa1\xa2\xa3\xa4\xa5\xa6\xa7", "ąćĄĘęłĆŚŁśŹŻóÓńŃźż"))


def z_mazovii(bajty):
    return "".join(MAZOVIA.get(b, chr(b)) for b in bajty)


def wolny_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class SerwerFtp:
    """pyftpdlib on 127.0.0.1 with one user; `katalogi` are created below the root."""

    def __init__(self, katalogi=("katalogFTP",), haslo=HASLO, port=0, korzen=None, uprawnienia="elradfmw",
                 potwierdza=True):
        self.korzen = korzen or tempfile.mkdtemp(prefix="ftp-")
        for k in katalogi:
            os.makedirs(os.path.join(self.korzen, k), exist_ok=True)
        autoryzacja = DummyAuthorizer()
        autoryzacja.add_user(UZYTKOWNIK, haslo, self.korzen, perm=uprawnienia)
        obsluga = type("Obsluga", (FTPHandler,), {"authorizer": autoryzacja, "passive_ports": None})
        if not potwierdza:
            # Takes the file and never says so: the "226" after the upload is not sent.
            def odpowiedz(self, odpowiedz, *argumenty, **nazwane):
                if not odpowiedz.startswith("226"):
                    FTPHandler.respond(self, odpowiedz, *argumenty, **nazwane)
            obsluga.respond = odpowiedz
        # An event loop of its own, run by this object's thread alone.
        self.petla = IOLoop()
        self.serwer = FTPServer(("127.0.0.1", port), obsluga, ioloop=self.petla)
        self.port = self.serwer.socket.getsockname()[1]
        self.koniec = threading.Event()
        self.watek = threading.Thread(target=self._obsluguj, daemon=True)
        self.watek.start()

    def _obsluguj(self):
        while not self.koniec.is_set():
            self.petla.poll(0.05)
            self.petla.sched.poll()
        self.serwer.close_all()

    @property
    def adres(self):
        return "127.0.0.1:%d" % self.port

    def zatrzymaj(self):
        if self.watek is not None:
            self.koniec.set()
            self.watek.join(10)
            self.watek = None

    def usun(self):
        self.zatrzymaj()
        shutil.rmtree(self.korzen, ignore_errors=True)

    def pliki(self, katalog="katalogFTP"):
        sciezka = os.path.join(self.korzen, katalog)
        return sorted(os.listdir(sciezka)) if os.path.isdir(sciezka) else []

    def czytaj(self, katalog, nazwa):
        with open(os.path.join(self.korzen, katalog, nazwa), "rb") as f:
            return f.read()


class SerwerMilczacy:
    """Accepts connections on 127.0.0.1 and never says a word."""

    def __init__(self):
        self.gniazdo = socket.socket()
        self.gniazdo.bind(("127.0.0.1", 0))
        self.gniazdo.listen(4)
        self.port = self.gniazdo.getsockname()[1]

    @property
    def adres(self):
        return "127.0.0.1:%d" % self.port

    def usun(self):
        self.gniazdo.close()


class SerwerSmtp:
    """aiosmtpd on 127.0.0.1 accepting any login; keeps what it receives."""

    def __init__(self):
        from aiosmtpd.controller import Controller
        from aiosmtpd.smtp import AuthResult

        self.wiadomosci = []
        self.loginy = []
        serwer = self

        class Obsluga:
            async def handle_DATA(self, server, session, envelope):
                serwer.wiadomosci.append(envelope)
                return "250 OK"

        def uwierzytelnij(server, session, envelope, mechanism, auth_data):
            serwer.loginy.append(auth_data)
            return AuthResult(success=True)

        warnings.simplefilter("ignore")
        self.port = wolny_port()
        self.kontroler = Controller(Obsluga(), hostname="127.0.0.1", port=self.port,
                                    auth_require_tls=False, authenticator=uwierzytelnij)
        self.kontroler.start()

    @property
    def adres(self):
        return "127.0.0.1:%d" % self.port

    def zatrzymaj(self):
        self.kontroler.stop()


def pisz_ini(katalog, sekcje):
    """brenvik.ini from {section: {key: value}}, in the given order."""
    with open(os.path.join(katalog, "brenvik.ini"), "wb") as f:
        for sekcja, klucze in sekcje.items():
            f.write(b"[%s]\n" % sekcja.encode())
            for klucz, wartosc in klucze.items():
                f.write(b"%s=%s\n" % (klucz.encode(), str(wartosc).encode()))


def sprawdz_sanitizery(bledy):
    """A sanitizer's report fails the scenario, whatever the exit status."""
    for znak in ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"):
        if znak in bledy:
            raise AssertionError("sanitizer report from torvel-sim:\n" + bledy)


class Wynik:
    def __init__(self, proces, slad):
        self.kod = proces.returncode
        self.wyjscie = proces.stdout
        self.bledy = proces.stderr
        self.slad = slad

    def wywolania(self, ordinal):
        return [w for w in self.slad if w["ord"] == ordinal]


def torvel_sim(katalog, *argumenty, sim=TORVEL_SIM, prefiks=(), timeout=300):
    """Runs torvel-sim with the host directory `katalog` and a trace."""
    slad = os.path.join(katalog, "slad.jsonl")
    polecenie = list(prefiks) + [sim, "--dir", katalog, "--trace", slad] + list(argumenty)
    proces = subprocess.run(polecenie, capture_output=True, text=True, timeout=timeout,
                            stdin=subprocess.DEVNULL, errors="replace")
    sprawdz_sanitizery(proces.stderr)
    wpisy = []
    if os.path.exists(slad):
        with open(slad, encoding="utf-8") as f:
            wpisy = [json.loads(linia) for linia in f if linia.strip()]
    return Wynik(proces, wpisy)


class ScenariuszTestowy(unittest.TestCase):
    """A fresh host directory per test."""

    def setUp(self):
        self.katalog = tempfile.mkdtemp(prefix="torvel-")
        self.addCleanup(shutil.rmtree, self.katalog, True)

    def ini(self):
        with open(os.path.join(self.katalog, "brenvik.ini"), "rb") as f:
            return f.read()

    def plik(self, *czesci):
        with open(os.path.join(self.katalog, *czesci), "rb") as f:
            return f.read()

    def maly_tmpfs(self, katalog, czyj):
        """Mounts a 64 KB tmpfs on `katalog` for this test (tests run as root)."""
        zamontowany = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", katalog], capture_output=True)
        if zamontowany.returncode != 0:
            self.skipTest("cannot mount a small tmpfs for %s directory (needs root): %s"
                          % (czyj, zamontowany.stderr.decode(errors="replace").strip()))
        self.addCleanup(subprocess.run, ["umount", "-l", katalog])

    def ustawienia_ftp(self, serwer, katalog="/katalogFTP", **inne):
        transmisja = {"hostFTP": serwer.adres, "userFTP": UZYTKOWNIK, "passFTP": HASLO, "dirFTP": katalog}
        transmisja.update(inne)
        return {"ustawieniaTransmisji": transmisja}

"""The demo export: an FTP server on 127.0.0.1, a shop's brenvik.ini
pointing at it, and the menu command run through torvel-sim."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import harness  # noqa: E402


def main():
    katalog = tempfile.mkdtemp(prefix="brenvik-demo-")
    serwer = harness.SerwerFtp(katalogi=("lumera",))
    try:
        harness.pisz_ini(katalog, {
            "ustawieniaRaportu": {"idSklepu": 15, "idSpoldzielni": 7, "nazwaSklepu": "Sklep przykladowy"},
            "ustawieniaTransmisji": {"hostFTP": serwer.adres, "userFTP": harness.UZYTKOWNIK,
                                     "passFTP": harness.HASLO, "dirFTP": "/lumera"},
        })
        print("== host directory %s, FTP server ftp://%s/lumera/" % (katalog, serwer.adres))
        print("== torvel-sim menu: the user picks 1-7 December 2026 on the form and presses F12\n")
        polecenie = [harness.TORVEL_SIM, "--dir", katalog, "--today", "2026-12-08",
                     "--od", "2026-12-01", "--do", "2026-12-07", "menu"]
        kod = subprocess.call(polecenie, stdin=subprocess.DEVNULL)
        print()
        pliki = serwer.pliki("lumera")
        if kod != 0 or not pliki:
            print("== the export did not reach the server (torvel-sim exit %d)" % kod)
            return 1
        for nazwa in pliki:
            print("== arrived on the FTP server: lumera/%s" % nazwa)
            sys.stdout.write(serwer.czytaj("lumera", nazwa).decode("latin-1").replace("\r\n", "\n"))
        print("\n== brenvik.ini after the run:")
        sys.stdout.write(open(os.path.join(katalog, "brenvik.ini"), encoding="latin-1").read())
        return 0
    finally:
        serwer.usun()


if __name__ == "__main__":
    sys.exit(main())

"""torvel-sim --interactive in a real terminal (tmux): the menu command's
form drawn and edited in place, accepted with F12, cancelled with ESC, an
invalid date refused inside the form."""

import json
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import harness

OCZEKIWANIE_S = 30


class Terminal:
    """One command in a detached tmux session of a private tmux server; the
    pane stays after the command ends, so its last screen and status can be read."""

    def __init__(self, polecenie):
        self.katalog = tempfile.mkdtemp(prefix="tmux-")
        self.gniazdo = os.path.join(self.katalog, "gniazdo")
        konfiguracja = os.path.join(self.katalog, "tmux.conf")
        with open(konfiguracja, "w") as f:
            f.write("set -g remain-on-exit on\nset -g status off\n")
        wiersz = " ".join("'%s'" % a.replace("'", "'\\''") for a in polecenie)
        # The shell notes the exit status itself: tmux does not always
        # record it for a pane whose command has ended.
        self.plik_statusu = os.path.join(self.katalog, "status")
        self.tmux("-f", konfiguracja, "new-session", "-d", "-s", "t", "-x", "100", "-y", "30",
                  "env LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=screen %s; echo $? > '%s'" % (wiersz, self.plik_statusu))

    def tmux(self, *argumenty):
        return subprocess.run(["tmux", "-S", self.gniazdo] + list(argumenty), check=True,
                              capture_output=True, text=True).stdout

    def ekran(self):
        return self.tmux("capture-pane", "-p", "-t", "t", "-S", "-100")

    def klawisze(self, *klawisze):
        self.tmux("send-keys", "-t", "t", *klawisze)

    def pisz(self, tekst):
        self.tmux("send-keys", "-t", "t", "-l", tekst)

    def czekaj_na(self, tekst):
        koniec = time.time() + OCZEKIWANIE_S
        while time.time() < koniec:
            ekran = self.ekran()
            if tekst in ekran:
                return ekran
            time.sleep(0.1)
        raise AssertionError("%r not on the screen:\n%s" % (tekst, self.ekran()))

    def kod_wyjscia(self):
        """The command's exit status once it has ended by itself."""
        koniec = time.time() + OCZEKIWANIE_S
        while time.time() < koniec:
            if os.path.exists(self.plik_statusu):
                with open(self.plik_statusu) as f:
                    tresc = f.read().strip()
                if tresc:
                    return int(tresc)
            time.sleep(0.1)
        raise AssertionError("torvel-sim still runs:\n" + self.ekran())

    def zamknij(self):
        subprocess.run(["tmux", "-S", self.gniazdo, "kill-server"], capture_output=True)
        shutil.rmtree(self.katalog, ignore_errors=True)


class FormularzWTerminalu(harness.ScenariuszTestowy):
    def setUp(self):
        super().setUp()
        self.serwer = harness.SerwerFtp(katalogi=("katalogFTP",))
        self.addCleanup(self.serwer.usun)
        self.slad = os.path.join(self.katalog, "slad.jsonl")

    def uruchom(self, ustawienia=True):
        if ustawienia:
            harness.pisz_ini(self.katalog, self.ustawienia_ftp(self.serwer))
        terminal = Terminal([harness.TORVEL_SIM, "--dir", self.katalog, "--trace", self.slad,
                             "--today", "2026-12-08", "--interactive", "menu"])
        self.addCleanup(terminal.zamknij)
        ekran = terminal.czekaj_na("Do:")
        # Both dates on the form's own row, and no prompt line.
        wiersz = [w for w in ekran.splitlines() if "Od:" in w][0]
        self.assertRegex(wiersz, r"Od:\s+\[07\.12\.2026\]\s+Do:\s+\[07\.12\.2026\]")
        self.assertNotIn("DD.MM.RRRR", ekran)
        self.assertIn("F12 Wykonaj", ekran)
        self.assertIn("ESC Anuluj", ekran)
        return terminal

    def daty_formularza(self):
        with open(self.slad, encoding="utf-8") as f:
            wpisy = [json.loads(l) for l in f if l.strip()]
        return [(w["args"][2], w["ret"]) for w in wpisy if w["ord"] == 52026]

    def test_wpisana_data_i_f12_eksportuja_okres(self):
        terminal = self.uruchom()
        terminal.pisz("01.12.2026")
        terminal.klawisze("F12")
        # No further key: a successful upload ends the run by itself.
        self.assertEqual(terminal.kod_wyjscia(), 0)
        ekran = terminal.ekran()
        self.assertIn("[status] Uwaga: Eksport lumera od 01.12.2026 do 07.12.2026", ekran)
        self.assertIn("menu command returned 1", ekran)
        self.assertEqual(self.daty_formularza(), [(["C6.12.01", "C6.12.07"], 0x5001)])
        self.assertEqual(len(self.serwer.pliki("katalogFTP")), 1)

    def test_esc_nie_dotyka_ustawien_ani_katalogu_eksportu(self):
        terminal = self.uruchom(ustawienia=False)
        terminal.pisz("03")
        terminal.klawisze("Escape")
        self.assertEqual(terminal.kod_wyjscia(), 0)
        self.assertIn("menu command returned 0", terminal.ekran())
        self.assertEqual(self.daty_formularza(), [(["C6.12.07", "C6.12.07"], 0x5002)])
        self.assertFalse(os.path.exists(os.path.join(self.katalog, "brenvik.ini")))
        self.assertFalse(os.path.exists(os.path.join(self.katalog, "BRENVIK")))

    def test_niepoprawna_data_zostaje_w_polu_z_powodem(self):
        terminal = self.uruchom()
        terminal.pisz("32.13.2026")
        terminal.klawisze("Tab")
        ekran = terminal.czekaj_na("Nie ma miesiąca 13")
        self.assertRegex(ekran, r"Od:\s+\[32\.13\.2026\]")
        # F12 is refused as well while the date is wrong (an accepted form
        # would end the run before the keys below).
        terminal.klawisze("F12")
        # Corrected without points, the next field by arrow, then Enter on the focused F12 button.
        terminal.klawisze(*["BSpace"] * 10)
        terminal.pisz("05122026")
        terminal.klawisze("Down")
        terminal.pisz("6.12.2026")
        terminal.klawisze("Tab", "BTab", "Tab")
        terminal.klawisze("Enter")
        self.assertEqual(terminal.kod_wyjscia(), 0)
        self.assertIn("Eksport lumera od 05.12.2026 do 06.12.2026", terminal.ekran())
        self.assertEqual(self.daty_formularza(), [(["C6.12.05", "C6.12.06"], 0x5001)])


if __name__ == "__main__":
    unittest.main()

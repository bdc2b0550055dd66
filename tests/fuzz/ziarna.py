#!/usr/bin/env python3
"""Writes the seed corpus of each fuzz target into corpus/<target>/: a few
well-formed inputs and a few at the edges, in each target's input layout
(described at the top of its fuzz_*.cpp)."""

import os
import struct

KATALOG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def zapisz(cel, nazwa, dane):
    katalog = os.path.join(KATALOG, cel)
    os.makedirs(katalog, exist_ok=True)
    with open(os.path.join(katalog, nazwa), "wb") as f:
        f.write(dane)


def maz(tekst):
    litery = dict(zip("ąćĄĘęłĆŚŁśŹŻóÓńŃźż", b"\x86\x8d\x8f\x90\x91\x92\x95\x98\x9c\x9e\xa0\xa1\xa2\xa3\xa4\xa5\xa6\xa7"))
    return bytes(litery.get(z, ord(z)) for z in tekst)


# ------------------------------------------------------------ Tspr / Tspr_dok

def paragon(numer, data, opis, minuta=547, kwota1=412000.0, kwota2=43000.0, stan=0, tryb=0, rozmiar=1469):
    r = bytearray(max(rozmiar, 1469))
    r[219] = tryb
    r[230:230 + min(len(data), 9)] = data[:9]
    struct.pack_into("<dd", r, 239, kwota1, kwota2)
    r[436:436 + min(len(opis), 108)] = opis[:108]
    struct.pack_into("<hh", r, 544, minuta, 0)
    struct.pack_into("<h", r, 1429, stan)
    struct.pack_into("<i", r, 1465, numer)
    return bytes(r[:rozmiar])


def pozycja(kod, ilosc, grupa, sumy0, wykazu0, sumy1=0.0, wykazu1=0.0, znacznik=1, rozmiar=515):
    r = bytearray(max(rozmiar, 515))
    r[123:123 + min(len(kod), 17)] = kod[:17]
    struct.pack_into("<i", r, 140, ilosc)
    struct.pack_into("<dd", r, 150, wykazu0, sumy0)
    struct.pack_into("<d", r, 176, sumy1)
    struct.pack_into("<d", r, 192, wykazu1)
    struct.pack_into("<h", r, 214, grupa)
    struct.pack_into("<h", r, 511, znacznik)
    return bytes(r[:rozmiar])


def wejscie_rekordow(flagi, paragony, rozmiar_tspr=0, rozmiar_dok=0, grupy=(-1, -1)):
    dane = struct.pack("<BBhhhh", flagi, len(paragony) - 1, rozmiar_tspr, rozmiar_dok, *grupy)
    for rekord, pozycje in paragony:
        dane += bytes([len(pozycje)]) + rekord + b"".join(pozycje)
    return dane


zapisz("fuzz_rekordy_sprzedazy", "przyklad", wejscie_rekordow(0, [
    (paragon(1, b"C6.12.05", b"Karta: 4400123 x"), [
        pozycja(b"5901234123457", 2000, 5, 300000.0, 34900.0), pozycja(b"2000123", 1500, 6, 120000.0, 129900.0)]),
    (paragon(2, b"C6.12.05", b"bez karty", kwota1=10000.0), [pozycja(b"1", 1000, 6, 10000.0, 10000.0)]),
], grupy=(6, -1)))
zapisz("fuzz_rekordy_sprzedazy", "brzegi", wejscie_rekordow(0, [
    # Texts that fill their fields without a terminator, the second amount set,
    # an item of negative quantity, a code with letters, a zero flag.
    (paragon(7, b"C6.12.319", b"Karta:" + b"9" * 102, tryb=1, stan=-1), [
        pozycja(b"12AB34" + b"5" * 11, 1000, 2, 0.0, 0.0, sumy1=50000.0, wykazu1=129900.0),
        pozycja(b"AB", -1000, 2, 0.0, 0.0, sumy1=-10000.0),
        pozycja(b"777", 1000, 2, 0.0, 0.0, sumy1=99999.0, znacznik=0),
        pozycja(b"888", 0, 2, 0.0, 0.0, sumy1=99999.0)]),
    (paragon(8, b"C6.11.30", b"Karta: 1"), [pozycja(b"1", 1, 1, 1.0, 1.0)]),
    (paragon(9, b"C6.12.01", b"   Karta:\t 42 \t x", stan=1), [pozycja(b"1", 1, 1, 1.0, 1.0)]),
]))
zapisz("fuzz_rekordy_sprzedazy", "krotsze-rekordy", wejscie_rekordow(0, [
    (paragon(1, b"C6.12.05", b"Karta: 5", rozmiar=1200), [pozycja(b"1", 1000, 1, 1.0, 1.0, rozmiar=200)]),
], rozmiar_tspr=1200, rozmiar_dok=200))
zapisz("fuzz_rekordy_sprzedazy", "okres-i-dluzsze-pozycje", wejscie_rekordow(3, [
    (paragon(4, b"C6.12.01", b"Karta: 6"), [pozycja(b"1", 1000, 1, 1.0, 1.0, rozmiar=600)]),
    (paragon(5, b"C6.11.30", b"Karta: 7"), [pozycja(b"1", 1000, 1, 1.0, 1.0, rozmiar=600)]),
], rozmiar_dok=600))
zapisz("fuzz_rekordy_sprzedazy", "bez-pozycji", wejscie_rekordow(8, [
    (paragon(3, b"C6.12.05", b"Karta: 5"), [pozycja(b"1", 1000, 1, 1.0, 1.0)]),
]))

# ------------------------------------------------------------ settings

KLUCZE = ["hostFTP", "userFTP", "passFTP", "dirFTP", "nazwaSklepu", "idSklepu", "idSpoldzielni", "portFTP",
          "hostSMTP", "login", "haslo", "adresat", "Kasa01", "Kasa10", "wykluczonaGrupa"]
BRAK = b"\x01"


def wejscie_ustawien(kod, wartosci):
    return bytes([kod]) + b"\x00".join(wartosci.get(k, BRAK) for k in KLUCZE)


zapisz("fuzz_ustawienia", "zwykle", wejscie_ustawien(0, {
    "hostFTP": b"ftp.sklep.example", "userFTP": b"nazwauzytkownika", "passFTP": b"kwintoru", "dirFTP": b"/katalogFTP",
    "nazwaSklepu": b"Sklep 7", "idSklepu": b"15", "idSpoldzielni": b"7", "portFTP": b"21"}))
zapisz("fuzz_ustawienia", "brak-pliku", b"\x00")
zapisz("fuzz_ustawienia", "znaki-specjalne", wejscie_ustawien(1, {
    "hostFTP": b"serwer\" -o x \"", "userFTP": b"-o /etc/passwd", "passFTP": b"ha slo\\\"%s%n\\\\",
    "dirFTP": b"/d\\\"ir\\", "nazwaSklepu": maz("Sklep Łódź %d"), "idSklepu": b"70000", "idSpoldzielni": b"-3",
    "hostSMTP": b"127.0.0.1:25", "login": b"\"a b\"@x", "haslo": b"%s%s%s", "adresat": maz("żółw@sklep"),
    "Kasa01": b" 0", "Kasa10": b"x", "wykluczonaGrupa": b"+5"}))
zapisz("fuzz_ustawienia", "dlugie", wejscie_ustawien(2, {
    "hostFTP": b"\\\"" * 600, "userFTP": b"\"" * 1100, "passFTP": b" " * 70 + b"\\", "dirFTP": b"\t-T x" * 300,
    "nazwaSklepu": b"n" * 1500, "hostSMTP": b"s" * 1030, "login": b"l" * 80, "haslo": b"h" * 80,
    "adresat": b"a" * 200}))
zapisz("fuzz_ustawienia", "puste", wejscie_ustawien(3, {k: b"" for k in KLUCZE}))

# ------------------------------------------------------------ stored start date

for nazwa, dane in [("trzy-dni", b"\x00C6.12.03"), ("wczoraj", b"\x00C6.12.06"), ("pozniejsza", b"\x01C6.12.20"),
                    ("brak", b"\x02"), ("nieudane", b"\x04C6.12.01"), ("dlugi", b"\x00C6.12.03" + b"9" * 40),
                    ("smieci", b"\x00\xff\x86%s\"C6.99.99")]:
    zapisz("fuzz_data_startowa", nazwa, dane)

# ------------------------------------------------------------ the host's time text

for nazwa, dane in [("zwykly", b"13:42:05"), ("polnoc", b"00:00"), ("koniec-dnia", b"23:59:59"), ("krotki", b"9:5"),
                    ("litery", b"ab:cd"), ("pelny-bufor", b"1" * 64), ("kropki", b"12.30")]:
    zapisz("fuzz_czas_hosta", nazwa, dane)

# ------------------------------------------------------------ compatibility answers


def wejscie_zgodnosci(maska=1, modul=20230515, host=20261201, sprzeciw=0, wersja=112, rozmiary=(0,) * 5, flagi=0,
                      brakujace=(), tekst=b""):
    dane = struct.pack("<iIIii5hBB", maska, modul, host, sprzeciw, wersja, *rozmiary, flagi, len(brakujace))
    dane += struct.pack("<8H", *(list(brakujace) + [0] * (8 - len(brakujace))))
    return dane + tekst


for nazwa, dane in [
        ("pasuje", wejscie_zgodnosci()),
        ("cechy", wejscie_zgodnosci(maska=3)),
        ("brakujace", wejscie_zgodnosci(brakujace=(52081, 30018, 41611))),
        ("data", wejscie_zgodnosci(modul=0x7FFFFFFF)),
        ("rozmiary", wejscie_zgodnosci(rozmiary=(-32768, 1470, 0, 0, 0))),
        ("sprzeciw", wejscie_zgodnosci(sprzeciw=1, tekst=maz("Moduł nie pasuje\x02!\x01 %s %n"))),
        ("dlugi-sprzeciw", wejscie_zgodnosci(sprzeciw=-1, tekst=b"x" * 3100)),
        ("wersja", wejscie_zgodnosci(wersja=111)),
        ("bez-funkcji-zwrotnej", wejscie_zgodnosci(flagi=1))]:
    zapisz("fuzz_zgodnosc", nazwa, dane)

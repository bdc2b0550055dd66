"""The module's user-facing texts, read from its sources, and the two
manuals' message chapters: the README's messages table and chapter 8 of the
Polish INSTRUKCJA."""

import glob
import os
import re

KORZEN = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
# The module's folders; the stand-in host and the tests are not the module.
FOLDERY_MODULU = ("shell", "host", "platform", "commands", "export", "transmission")

# A printf conversion: %s, %d, %hu, %08X, ...
KONWERSJA = re.compile(r"%[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|z)?[sdiuxXc]")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
# The host's window directives: \x01...\x01 around a tab-stop directive,
# \x02 and \x01 around an emphasised name.
DYREKTYWA = re.compile(r"\x01t[lp0-9]*\x01")


def _bez_komentarzy(kod):
    """The source without its comments; a "//" inside a string or character
    literal is not one."""
    return re.sub(r"""("(?:[^"\\\n]|\\.)*"|'(?:[^'\\\n]|\\.)*')|//[^\n]*|/\*.*?\*/""",
                  lambda m: m.group(1) or "", kod, flags=re.S)


ZNAKI_SPECJALNE = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def _literal(tekst):
    """A C literal's text with its escapes resolved."""
    return re.sub(r"\\(x[0-9a-fA-F]{1,2}|.)",
                  lambda m: chr(int(m.group(1)[1:], 16)) if m.group(1)[0] == "x" else ZNAKI_SPECJALNE[m.group(1)],
                  tekst)


def _odczytaj_literal(zrodlo, poczatek):
    """The string at zrodlo[poczatek:], its adjacent literals joined, and the index after it."""
    czesci = []
    pozycja = poczatek
    while True:
        while pozycja < len(zrodlo) and zrodlo[pozycja].isspace():
            pozycja += 1
        dopasowanie = LITERAL.match(zrodlo, pozycja)
        if not dopasowanie:
            return "".join(czesci), pozycja
        czesci.append(_literal(dopasowanie.group(1)))
        pozycja = dopasowanie.end()


def teksty_modulu():
    """Every text the module writes MAZ("..."), as (text, file) in source order.
    A single word is a window's title, not a message."""
    teksty = []
    for folder in FOLDERY_MODULU:
        for plik in sorted(glob.glob(os.path.join(KORZEN, folder, "*.cpp"))):
            with open(plik, encoding="utf-8") as f:
                zrodlo = _bez_komentarzy(f.read())
            for wywolanie in re.finditer(r"\bMAZ\(", zrodlo):
                tekst, _ = _odczytaj_literal(zrodlo, wywolanie.end())
                if " " in tekst.strip() and tekst not in (t for t, _ in teksty):
                    teksty.append((tekst, os.path.relpath(plik, KORZEN)))
    return teksty


def _spacje(tekst):
    return re.sub(r"\s+", " ", tekst).strip()


def wzorzec_tekstu(tekst):
    """A pattern that finds the text in a manual: each conversion stands for
    what the manual writes in its place (an example, "..." or "…"), line
    breaks and tabs for any white space."""
    tekst = DYREKTYWA.sub(" ", tekst).replace("\x01", "").replace("\x02", "")
    czesci = [_spacje(c) for c in KONWERSJA.split(tekst)]
    wzorce = [r"\s+".join(re.escape(slowo) for slowo in c.split(" ")) if c else "" for c in czesci]
    return re.compile(r"\s*.{0,80}?\s*".join(wzorce), re.S)


def _czytaj(*sciezka):
    with open(os.path.join(KORZEN, *sciezka), encoding="utf-8") as f:
        return f.read()


def tabela_readme():
    """The README's section "Messages and what to do"."""
    tekst = _czytaj("README.md")
    poczatek = tekst.index("## Messages and what to do")
    koniec = tekst.find("\n## ", poczatek + 1)
    return tekst[poczatek:koniec if koniec >= 0 else len(tekst)]


def rozdzial_instrukcji():
    """INSTRUKCJA's chapter 8, "KOMUNIKATY I CO ROBIĆ"."""
    tekst = _czytaj("release", "INSTRUKCJA.txt.in")
    poczatek = tekst.index("\n8. KOMUNIKATY I CO ROBIĆ")
    koniec = tekst.index("\n9. ", poczatek)
    return tekst[poczatek:koniec]


def wpisy_readme():
    """The table's rows as (message as the manual writes it, whole row)."""
    wpisy = []
    for wiersz in tabela_readme().splitlines():
        dopasowanie = re.match(r"\| \*(.+?)\* \|", wiersz)
        if dopasowanie:
            wpisy.append((dopasowanie.group(1), wiersz))
    return wpisy


def wpisy_instrukcji():
    """The chapter's entries as (message as the manual writes it, whole entry):
    an entry is a quoted line at the margin and the indented lines below it."""
    wpisy = []
    for blok in re.split(r"\n(?=\")", rozdzial_instrukcji()):
        dopasowanie = re.match(r'"(.+?)"', blok, re.S)
        if dopasowanie:
            wpis = re.split(r"\n\n(?=\S)", blok)[0]
            wpisy.append((_spacje(dopasowanie.group(1)), wpis))
    return wpisy


def pasuje_do_wpisu(tytul, pokazany):
    """Whether the text the user saw is the one a manual's entry names:
    "…", "..." and the N of "(N)" stand for what the message fills in."""
    czesci = re.split(r"…|\.\.\.|(?<=\()N(?=\))", _spacje(tytul))
    wzorzec = ".*?".join(r"\s+".join(re.escape(s) for s in c.split(" ")) for c in czesci)
    return re.fullmatch(r"\s*" + wzorzec + r"\s*", _spacje(pokazany), re.S) is not None


def wpis_dla(wpisy, pokazany):
    """The entry whose message is the text the user saw."""
    pasujace = [wpis for tytul, wpis in wpisy if pasuje_do_wpisu(tytul, pokazany)]
    return pasujace[0] if len(pasujace) == 1 else None

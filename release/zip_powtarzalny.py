"""Writes a zip of one folder again: entries in sorted order, each with the
same time and no extra fields, so that the same files give the same bytes."""

import os
import sys
import time
import zipfile


def main(paczka, katalog, gorny, czas_unix):
    czas = time.gmtime(int(czas_unix))[:6]
    pliki = []
    for korzen, _, nazwy in os.walk(os.path.join(katalog, gorny)):
        pliki += [os.path.relpath(os.path.join(korzen, n), katalog) for n in nazwy]
    if not pliki:
        sys.exit("no files below " + os.path.join(katalog, gorny))
    with zipfile.ZipFile(paczka, "w") as archiwum:
        for sciezka in sorted(p.replace(os.sep, "/") for p in pliki):
            wpis = zipfile.ZipInfo(sciezka, date_time=czas)
            wpis.compress_type = zipfile.ZIP_DEFLATED
            wpis.create_system = 3  # Unix, for the permission bits below
            tryb = os.stat(os.path.join(katalog, sciezka)).st_mode
            wpis.external_attr = (0o755 if tryb & 0o111 else 0o644) << 16
            with open(os.path.join(katalog, sciezka), "rb") as f:
                archiwum.writestr(wpis, f.read(), compresslevel=9)


if __name__ == "__main__":
    main(*sys.argv[1:])

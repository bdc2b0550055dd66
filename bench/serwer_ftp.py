"""A loopback FTP server for the benchmark: user "pomiar", password
"pomiar", directory "eksport" below the root given as the argument. Prints
its address (127.0.0.1:PORT) on one line, then serves until it is stopped."""

import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    korzen = sys.argv[1]
    os.makedirs(os.path.join(korzen, "eksport"), exist_ok=True)
    # A handler of our own keeps pyftpdlib from installing its chatty one.
    logging.basicConfig(level=logging.ERROR)
    autoryzacja = DummyAuthorizer()
    autoryzacja.add_user("pomiar", "pomiar", korzen, perm="elradfmw")
    obsluga = type("Obsluga", (FTPHandler,), {"authorizer": autoryzacja, "passive_ports": None})
    serwer = FTPServer(("127.0.0.1", 0), obsluga)
    print("127.0.0.1:%d" % serwer.socket.getsockname()[1], flush=True)
    serwer.serve_forever()


if __name__ == "__main__":
    main()

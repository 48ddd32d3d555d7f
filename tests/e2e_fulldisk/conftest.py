"""Harness of the full-disk tests, which run inside the mount namespace that ./run makes: the
Wine prefix of the end-to-end harness (tests/e2e/conftest.py) and its helpers, and a way to put a
full file system over a folder of the prefix."""

import contextlib
import importlib.util
import os
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "e2e"))

# The Wine harness under a name of its own (it brings the shared steps, tests/e2e/helpers.py);
# its names are this module's too.
_spec = importlib.util.spec_from_file_location("e2e_harness", HERE.parent / "e2e" / "conftest.py")
e2e_harness = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(e2e_harness)
globals().update({k: v for k, v in vars(e2e_harness).items() if not k.startswith("__")})

assert os.environ.get("QUILLO_FULLDISK_NS"), "run these tests through tests/e2e_fulldisk/run"


@contextlib.contextmanager
def full_folder(folder, files=None):
    """`folder` on a small file system of its own holding `files` ({name: bytes}) and filled to
    the last byte: every write that needs room fails as on a full disk. Afterwards the folder is
    what it was before."""
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "quillo-full", str(folder)],
                   check=True)
    try:
        for name, data in (files or {}).items():
            (folder / name).write_bytes(data)
        with open(folder / "filler", "wb", buffering=0) as filler:
            for size in (65536, 4096, 512, 1):
                try:
                    while True:
                        filler.write(b"\0" * size)
                except OSError:
                    pass
        yield folder
    finally:
        subprocess.run(["umount", "-l", str(folder)], check=False)

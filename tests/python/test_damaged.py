"""Damaged and hostile files raise RafError (or ValueError for a request the
file cannot answer) and never crash the interpreter: every file is read in
a child process, so that a crash shows as a signal."""

import random
import subprocess
import sys
import textwrap

import pytest

import raf2sif
from conftest import write_sample

# Reads everything the package can read of each file named on the command
# line; prints one line per file: "read", or the exception's class.
CHILD = textwrap.dedent(
    """
    import sys, raf2sif
    for path in sys.argv[1:]:
        try:
            with raf2sif.open(path) as raf:
                for a in raf.arrays:
                    for step in [None] + raf.stored_steps:
                        try:
                            raf.array(a["name"], step)
                        except ValueError:
                            pass
                for step in [None] + raf.stored_steps:
                    raf.mesh(step)
            print("read")
        except (raf2sif.RafError, ValueError) as e:
            print(type(e).__name__)
    """
)


def damaged_files(directory):
    """Truncations, flipped bytes over the whole file, and files that are not RAF files."""
    good = write_sample(directory / "good.raf").read_bytes()
    rng = random.Random(19)
    files = []

    def add(name, data):
        files.append(directory / name)
        files[-1].write_bytes(data)

    for size in (0, 100, 1024, 1500, 3000, len(good) // 2):
        add(f"cut{size}.raf", good[:size])
    for k in range(60):
        data = bytearray(good)
        for _ in range(1 + k % 4):
            # Half of them in the key, the MFP and the directory.
            at = rng.randrange(4096 if k % 2 else len(data))
            data[at] ^= 1 << rng.randrange(8)
        add(f"flip{k}.raf", bytes(data))
    for k in range(10):
        data = bytearray(good)
        at = rng.randrange(1024, len(data) - 64)
        data[at : at + 64] = bytes(rng.randrange(256) for _ in range(64))
        add(f"noise{k}.raf", bytes(data))
    add("text.raf", b"not a RAF file\n" * 100)
    return files


def test_damaged_files_never_crash(tmp_path):
    files = damaged_files(tmp_path)
    done = subprocess.run([sys.executable, "-c", CHILD, *map(str, files)], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    outcomes = done.stdout.split()
    assert len(outcomes) == len(files)
    assert set(outcomes) <= {"read", "RafError", "ValueError"}
    assert outcomes[:6] == ["RafError"] * 6  # every truncation
    assert "RafError" in outcomes[6:]


def test_raf_error_carries_raflibs_text(tmp_path):
    cut = tmp_path / "cut.raf"
    cut.write_bytes(write_sample(tmp_path / "good.raf").read_bytes()[:3000])
    with pytest.raises(raf2sif.RafError, match="RAFLIB message 1036: Cannot read from file"):
        raf2sif.open(cut)
    with pytest.raises(raf2sif.RafError, match="RAFLIB message 1034"):
        raf2sif.open(tmp_path / "missing.raf")

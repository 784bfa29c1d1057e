"""raf2sif.convert against the built program, read_sif against the arrays,
and conversions and reads from two threads at once."""

import os
import threading

import numpy as np
import pytest

import raf2sif
from conftest import run_program, write_sample


@pytest.fixture
def sample(tmp_path):
    return write_sample(tmp_path / "sample.raf")


@pytest.mark.parametrize("first,last", [(None, None), (5, 8), (9, 2)])
def test_convert_gives_the_programs_bytes(sample, tmp_path, first, last):
    console = raf2sif.convert(sample, tmp_path / "py.sif", first, last)
    rc, stdout = run_program(tmp_path, "sample", "prog.sif", first or "", last or "")
    assert rc == 0
    assert (tmp_path / "py.sif").read_bytes() == (tmp_path / "prog.sif").read_bytes()
    assert console.startswith(" Give RAF File Name Prefix") and stdout.endswith(console)


def test_read_sif_agrees_with_the_arrays(sample, tmp_path):
    raf2sif.convert(sample, tmp_path / "s.sif")
    records = raf2sif.read_sif(tmp_path / "s.sif")
    assert records[0][0] == "IDENT" and records[-1][0] == "IEND"
    with raf2sif.open(sample) as raf:
        for stored, step in enumerate(raf.stored_steps, start=1):
            # The SIF file keeps nine significant digits.
            np.testing.assert_allclose(records.displacements(stored), raf.array("U", step), rtol=5e-9, atol=1e-300)


def test_failure_raises_with_the_message_chain(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    (tmp_path / "short.raf").write_bytes(b"RAFLIB  " + b" " * 1000)
    with pytest.raises(raf2sif.ConversionError) as e:
        raf2sif.convert("short.raf", "short.sif")
    assert str(e.value).rstrip().endswith("*** ERROR IN Z2EDI   ***")
    assert "RAFLIB" in str(e.value) and "Give RAF File Name Prefix" in e.value.console
    assert not os.path.exists("fort.17")
    with pytest.raises(ValueError, match=r"\.raf"):
        raf2sif.convert("short.dat", "short.sif")


def test_failure_after_the_sif_file_is_open(sample, tmp_path):
    # Too small a work space for the results: the chain stands at the end of the SIF file.
    with pytest.raises(raf2sif.ConversionError) as e:
        raf2sif.convert(sample, tmp_path / "s.sif", words=8000)
    chain = str(e.value)
    assert chain.rstrip().endswith("*** ERROR IN Z2EDI   ***")
    assert (tmp_path / "s.sif").read_text().replace("\r\n", "\n").endswith(chain)


def test_two_threads_convert_and_read(sample, tmp_path):
    raf2sif.convert(sample, tmp_path / "golden.sif")
    golden = (tmp_path / "golden.sif").read_bytes()
    with raf2sif.open(sample) as raf:
        u8 = raf.array("U", 8)
    failures = []

    def converting(k):
        for i in range(4):
            out = tmp_path / f"t{k}_{i}.sif"
            raf2sif.convert(sample, out)
            if out.read_bytes() != golden:
                failures.append(out)

    def reading():
        with raf2sif.open(sample) as raf:
            for _ in range(20):
                if not np.array_equal(raf.array("U", 8), u8):
                    failures.append("U")

    threads = [threading.Thread(target=converting, args=(0,)), threading.Thread(target=reading)]
    threads += [threading.Thread(target=converting, args=(1,))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert failures == []


def test_read_sif_reads_both_styles_and_refuses_other_lines(tmp_path):
    lines = [
        "GNODE     0.10000000E+01  0.20000000+100 -1.00000000-120  6.00000000E+00",
        "         -0.25000000E+01",
        "MISOPL    0.20000000E+02",
        "               3",
        "          0.17000000E-02  0.35500000E+09",
        "IEND      0.00000000E+00",
    ]
    path = tmp_path / "hand.sif"
    path.write_bytes("".join(line + "\r\n" for line in lines).encode())
    records = raf2sif.read_sif(path)
    assert [name for name, _ in records] == ["GNODE", "MISOPL", "IEND"]
    assert list(records[0][1]) == [1.0, 0.2e100, -1.0e-120, 6.0, -2.5]
    assert list(records.named("MISOPL")[0]) == [20.0, 3.0, 0.0017, 0.355e9]
    path.write_bytes(b"IEND      0.00000000E+00\r\n\r\n  *** ERROR IN Z2EDI   ***\r\n")
    with pytest.raises(ValueError, match="line 2"):
        raf2sif.read_sif(path)

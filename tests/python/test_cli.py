"""python3 -m raf2sif: info, vtu, plot and history, and its exit statuses."""

import subprocess
import sys
import xml.etree.ElementTree as ET

import numpy as np
import pytest

import raf2sif
from conftest import RAFINFO, write_sample

PNG = b"\x89PNG\r\n\x1a\n"


def cli(*args, cwd=None):
    return subprocess.run([sys.executable, "-m", "raf2sif", *map(str, args)], capture_output=True, text=True, cwd=cwd)


@pytest.fixture(scope="module")
def sample(tmp_path_factory):
    return write_sample(tmp_path_factory.mktemp("cli") / "sample.raf")


def test_plot_and_history_write_pictures(sample, tmp_path):
    assert cli("plot", sample, "--step", 8, "-o", tmp_path / "frame.png").returncode == 0
    assert cli("history", sample, "--node", 360, "--dof", "ux", "-o", tmp_path / "h.png").returncode == 0
    for name in ("frame.png", "h.png"):
        assert (tmp_path / name).read_bytes().startswith(PNG)


def test_default_scale_makes_the_largest_displacement_a_tenth():
    from raf2sif.pictures import default_scale

    points = np.array([[0.0, 0, 0], [3, 4, 0]])
    assert default_scale(points, np.array([[0.0, 0, 0], [0, 0, 0.25]])) == pytest.approx(2.0)
    assert default_scale(points, np.zeros((2, 3))) == 1.0


def test_vtu_series_reads_back_with_each_steps_displacements(sample, tmp_path):
    import meshio

    done = cli("vtu", sample, "-o", tmp_path / "out", "--first", 4)
    assert done.returncode == 0, done.stderr
    datasets = ET.parse(tmp_path / "out" / "sample.pvd").getroot().iter("DataSet")
    files = {int(d.get("timestep")): d.get("file") for d in datasets}
    assert sorted(files) == [5, 8]
    with raf2sif.open(sample) as raf:
        for step, name in files.items():
            back = meshio.read(tmp_path / "out" / name)
            np.testing.assert_array_equal(back.point_data["displacement"], raf.array("U", step)[:, :3])


def test_info_is_the_inspectors_report(sample):
    ours = cli("info", sample, "--json")
    theirs = subprocess.run([RAFINFO, "--json", str(sample)], capture_output=True, text=True)
    assert ours.returncode == 0 and ours.stdout == theirs.stdout


@pytest.mark.parametrize(
    "args",
    [("plot", "{raf}", "-o", "x.png"), ("plot", "{raf}", "--step", "4", "-o", "x.png"),
     ("history", "{raf}", "--node", "7", "-o", "x.png"), ("history", "{raf}", "--node", "10", "--dof", "uw", "-o", "x.png"),
     ("convert", "{raf}")],
)
def test_bad_arguments_exit_2_with_one_line(sample, tmp_path, args):
    done = cli(*(a.format(raf=sample) for a in args), cwd=tmp_path)
    assert done.returncode == 2 and done.stderr.count("\n") == 1


def test_damaged_file_exits_1_with_raflibs_text(sample, tmp_path):
    cut = tmp_path / "cut.raf"
    cut.write_bytes(sample.read_bytes()[:3000])
    for args in (("plot", cut, "--step", 8, "-o", tmp_path / "x.png"), ("info", cut)):
        done = cli(*args)
        assert done.returncode == 1 and "RAFLIB message 1036" in done.stderr

"""raf2sif.open on writer-made files: the key, the directory, the arrays the
writer wrote (in both byte orders and in format version 0) and the mesh."""

import numpy as np
import pytest

import raf2sif

NNP, NEL, NSTEP = 36, 68, 10


def expected_u(tcoord, step):
    """U as the writer makes it for the sample: a multiple of each node's height."""
    lf = step / NSTEP
    n = np.arange(len(tcoord))[:, None]
    k = np.arange(6)[None, :]
    scale = np.where(k < 3, 1.0e-3, 1.0e-5)
    return lf * scale * (tcoord[:, 2:3] + 1.0) * (k % 3 + 1) + 1.0e-6 * (n % 7)


@pytest.mark.parametrize("kind", ["native", "big-endian", "version0"])
def test_sample_reads_as_written(samples, kind):
    with raf2sif.open(samples[kind]) as raf:
        assert raf.key["identification"] == "RAFLIB  "
        assert raf.key["byte_order"] == ("big" if kind == "big-endian" else "little")
        assert raf.key["upgraded_in_memory"] == (kind == "version0")
        assert raf.steps == NSTEP and raf.stored_steps == [3, 5, 8]
        assert raf.parameters["NNP"] == NNP and raf.parameters["NEL"] == NEL
        u = {a["name"]: a for a in raf.arrays}["U"]
        assert (u["type"], u["store"], u["elements"]) == ("DP", "POST", 6 * NNP)
        assert sorted(u["raf_numbers"]) == [3, 5, 8]

        tcoord = raf.array("TCOORD")
        assert tcoord.shape == (NNP, 3) and tcoord.dtype == np.float64
        assert sorted(set(tcoord[:, 2])) == [0.0, 3.5, 7.0, 10.5]
        for step in raf.stored_steps:
            np.testing.assert_allclose(raf.array("U", step), expected_u(tcoord, step), rtol=1e-14, atol=1e-20)

        # TMIDFO is stored in single precision: widened exactly.
        mid = raf.array("TMIDFO", 5)
        e = np.arange(NEL)[:, None]
        k = np.arange(6)[None, :]
        single = np.float32(5) / np.float32(NSTEP) * np.float32(500) * ((k + 1) * (1 + e % 3)).astype(np.float32)
        assert mid.shape == (NEL, 6) and np.array_equal(mid, single.astype(np.float64))

        tfle = raf.array("TFLE", 8)
        sign = np.where(np.arange(12) % 2, -1.0, 1.0)
        assert tfle.shape == (NEL, 12)
        np.testing.assert_allclose(tfle[4], 0.8 * 1000 * np.arange(1, 13) * 5 * sign)

        mnpc, mpmnpc = raf.array("MNPC"), raf.array("MPMNPC")
        assert len(mnpc) == NEL and mpmnpc.dtype == np.int32
        assert [len(nodes) for nodes in mnpc] == list(np.diff(mpmnpc))
        assert raf.array("MSTRU").ndim == 1


def test_wrong_requests_raise(samples):
    raf = raf2sif.open(samples["native"])
    with pytest.raises(ValueError, match="give a step"):
        raf.array("U")
    with pytest.raises(ValueError, match="no record"):
        raf.array("U", 4)
    with pytest.raises(ValueError, match="not an array"):
        raf.array("NOSUCH")
    with pytest.raises(ValueError, match="MXSTEP"):
        raf.array("U", 2**31 - 1)
    # A refused request leaves the file readable.
    assert raf.array("TCOORD").shape == (NNP, 3)
    assert raf.work_words() > 0
    raf.close()
    with pytest.raises(ValueError, match="closed"):
        raf.array("TCOORD")


def test_two_files_alternate(samples, tmp_path):
    # Each call sets its own file up in the libraries again.
    a, b = raf2sif.open(samples["native"]), raf2sif.open(samples["big-endian"])
    for step in (3, 8, 5):
        assert np.array_equal(a.array("U", step), b.array("U", step))


def test_mesh_written_as_vtu_reads_back(samples, tmp_path):
    import meshio

    with raf2sif.open(samples["native"]) as raf:
        mesh = raf.mesh(step=8)
        u, mnpex = raf.array("U", 8), raf.array("MNPEX")
        assert sum(len(c.data) for c in mesh.cells) == NEL
        lines = [c for c in mesh.cells if c.type == "line"][0]
        assert lines.data.shape[1] == 2
        path = tmp_path / "frame.vtu"
        meshio.write(path, mesh)
    back = meshio.read(path)
    np.testing.assert_array_equal(back.points, mesh.points)
    np.testing.assert_array_equal(back.point_data["displacement"], u[:, :3])
    np.testing.assert_array_equal(back.point_data["rotation"], u[:, 3:])
    np.testing.assert_array_equal(back.point_data["node"], mnpex)
    assert {c.type for c in back.cells} == {c.type for c in mesh.cells}
    np.testing.assert_array_equal(np.concatenate(back.cell_data["element"]), np.concatenate(mesh.cell_data["element"]))

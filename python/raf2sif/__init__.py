"""RAF files, conversions and SIF files from Python.

Every byte of a RAF file is read by the converter's own libraries (RAFLIB,
the DMS and the array layer), so byte order, format version 0 and damaged
files are handled exactly as the converter handles them:

    import raf2sif
    with raf2sif.open("analysis.raf") as raf:
        u = raf.array("U", step=raf.stored_steps[-1])   # (NNP, 6) float64
        mesh = raf.mesh(step=raf.stored_steps[-1])      # a meshio.Mesh
    raf2sif.convert("analysis.raf", "analysis.sif")
    records = raf2sif.read_sif("analysis.sif")

The libraries keep one state per process; one lock serializes every call
into them, and long reads and conversions release the GIL.
"""

import numpy as np

from . import _core
from ._core import ConversionError, RafError
from .records import SifRecords

__all__ = ["open", "convert", "read_sif", "RafFile", "SifRecords", "RafError", "ConversionError"]

# Cell types of meshio by element node count; other counts are polygons.
_CELL_TYPES = {1: "vertex", 2: "line", 3: "triangle", 4: "quad"}


class RafFile:
    """A RAF file opened for reading only (format version 0 upgraded in memory)."""

    def __init__(self, path):
        self._file = _core.open(str(path))
        self.path = str(path)
        self.key = self._file.key
        self.arrays = self._file.arrays
        self.parameters = self._file.parameters
        self.steps = self._file.steps
        self.stored_steps = list(self._file.stored_steps)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __repr__(self):
        state = "closed" if self.closed else f"{len(self.arrays)} arrays, stored steps {self.stored_steps}"
        return f"<raf2sif.RafFile {self.path!r}: {state}>"

    @property
    def closed(self):
        return self._file.closed

    def close(self):
        self._file.close()

    def work_words(self):
        """The work space, in 4-byte words, that a conversion of this file needs."""
        return self._file.work_words()

    def array(self, name, step=None):
        """The values of array `name`, for `step` when it is stored per step.

        int32 or float64 (reals stored in single precision widened exactly);
        (rows, columns) where the structure parameters give the columns
        (TCOORD (NNP, 3), U (NNP, 6), TMIDFO (NEL, 6), ...), TFLE (NEL, 12)
        by MPEVEC, MNPC and MELECC a list of one array per element by
        MPMNPC; flat otherwise.
        """
        values, offsets = self._file.array(str(name).upper(), step)
        if offsets is None:
            return values
        return [values[offsets[i] : offsets[i + 1]] for i in range(len(offsets) - 1)]

    def mesh(self, step=None):
        """The model as a meshio.Mesh, with the results of `step` when given.

        Points from TCOORD; one cell block per element node count (two-node
        beams as "line"); cell data "element_type", "element", "material"
        and "section" (external numbers), point data "node" (external node
        numbers); with a step also point data "displacement" and "rotation"
        (from U) and cell data "end_forces" (TFLE, twelve per element, NaN
        where an element has none).
        """
        import meshio

        m = self._file.mesh(step)
        cells, cell_data = [], {"element_type": [], "element": [], "material": [], "section": []}
        if step is not None:
            cell_data["end_forces"] = []
        for nodes, connectivity, elements in m["blocks"]:
            cells.append((_CELL_TYPES.get(nodes, "polygon"), connectivity))
            index = elements - 1
            cell_data["element_type"].append(m["types"][index])
            cell_data["element"].append(m["numbers"][index])
            cell_data["material"].append(m["materials"][index])
            cell_data["section"].append(m["sections"][index])
            if step is not None:
                cell_data["end_forces"].append(m["forces"][index])
        point_data = {"node": m["node_numbers"]}
        if step is not None:
            point_data["displacement"] = np.ascontiguousarray(m["displacements"][:, :3])
            point_data["rotation"] = np.ascontiguousarray(m["displacements"][:, 3:])
        return meshio.Mesh(m["points"], cells, point_data=point_data, cell_data=cell_data)


def open(path):  # noqa: A001 - the package's name for opening a file
    """Opens a RAF file for reading only; raises RafError when it cannot be read."""
    return RafFile(path)


def convert(raf, sif, first=None, last=None, words=None):
    """Converts RAF file `raf` (its name ending in .raf) into SIF file `sif`.

    The same SIF bytes and messages as the program, for the steps `first`
    to `last` (None: as a blank answer), with a work space of `words`
    4-byte words (None: what the file needs). Returns the console text;
    raises ConversionError with the failure's message chain (and the
    console text as its `console` attribute).
    """
    return _core.convert(str(raf), str(sif), first, last, words)


def read_sif(path):
    """The records of a SIF file, each a name and its values."""
    names, offsets, values = _core.read_sif(str(path))
    return SifRecords(names, offsets, values)

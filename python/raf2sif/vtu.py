"""One VTU file per stored step and a .pvd collection of them."""

import os
from xml.sax.saxutils import quoteattr


def write_series(raf, directory, first=None, last=None):
    """Writes the mesh of every stored step of `raf` from `first` to `last`
    as DIR/STEM_stepN.vtu and the collection DIR/STEM.pvd, whose times are
    the step numbers. Returns the path of the .pvd file."""
    import meshio

    os.makedirs(directory, exist_ok=True)
    stem = os.path.splitext(os.path.basename(raf.path))[0]
    steps = [s for s in raf.stored_steps if (first is None or s >= first) and (last is None or s <= last)]
    datasets = []
    for step in steps:
        name = f"{stem}_step{step}.vtu"
        meshio.write(os.path.join(directory, name), raf.mesh(step), file_format="vtu")
        datasets.append(f'    <DataSet timestep="{step}" part="0" file={quoteattr(name)}/>')
    pvd = os.path.join(directory, stem + ".pvd")
    with open(pvd, "w", encoding="ascii") as out:
        out.write('<?xml version="1.0"?>\n<VTKFile type="Collection" version="0.1">\n  <Collection>\n')
        out.write("".join(d + "\n" for d in datasets))
        out.write("  </Collection>\n</VTKFile>\n")
    return pvd

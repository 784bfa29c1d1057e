"""Pictures of a RAF file's results with matplotlib (Agg: no display needed)."""

import numpy as np

DOFS = ("ux", "uy", "uz", "rx", "ry", "rz")


def _pyplot():
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    return plt


def _edges(mesh):
    """The node index pairs of every element's outline: the segment of a
    two-node element, the closed outline of one with more nodes."""
    pairs = []
    for block in mesh.cells:
        nodes = block.data
        if nodes.shape[1] < 2:
            continue
        closing = nodes.shape[1] > 2
        for k in range(nodes.shape[1] - (0 if closing else 1)):
            pairs.append(np.stack([nodes[:, k], nodes[:, (k + 1) % nodes.shape[1]]], axis=1))
    return np.concatenate(pairs) if pairs else np.empty((0, 2), dtype=np.int64)


def default_scale(points, translations):
    """The magnification that makes the largest displacement a tenth of the
    model's size (the diagonal of its bounding box); 1 when nothing moves."""
    size = float(np.linalg.norm(points.max(axis=0) - points.min(axis=0))) if len(points) else 0.0
    largest = float(np.linalg.norm(translations, axis=1).max()) if len(translations) else 0.0
    return 0.1 * size / largest if largest > 0 and size > 0 else 1.0


def plot_frame(raf, step, out, scale=None):
    """The undeformed and the deformed frame of stored step `step` in 3D,
    displacements magnified by `scale` (default: default_scale). Returns
    the scale used."""
    from mpl_toolkits.mplot3d.art3d import Line3DCollection

    plt = _pyplot()
    mesh = raf.mesh(step)
    points = mesh.points
    moved = mesh.point_data["displacement"]
    if scale is None:
        scale = default_scale(points, moved)
    deformed = points + scale * moved
    edges = _edges(mesh)
    fig = plt.figure(figsize=(7, 6), dpi=100)
    ax = fig.add_subplot(projection="3d")
    ax.add_collection3d(Line3DCollection(points[edges], colors="0.6", linewidths=0.8, linestyles="dashed"))
    ax.add_collection3d(Line3DCollection(deformed[edges], colors="tab:red", linewidths=1.4))
    both = np.concatenate([points, deformed])
    low, high = both.min(axis=0), both.max(axis=0)
    ax.set_xlim(low[0], high[0])
    ax.set_ylim(low[1], high[1])
    ax.set_zlim(low[2], high[2])
    ax.set_box_aspect(np.maximum(high - low, 1e-9 * max(float(np.max(high - low)), 1.0)))
    ax.set_xlabel("x")
    ax.set_ylabel("y")
    ax.set_zlabel("z")
    ax.set_title(f"{raf.path}: step {step}, displacements x {scale:.3g}\n(dashed: undeformed)", fontsize=9)
    fig.savefig(out)
    plt.close(fig)
    return scale


def node_history(raf, node, dof):
    """The stored steps and the values of component `dof` (one of DOFS) of
    the node of external number `node` at each of them."""
    numbers = raf.array("MNPEX")
    index = np.flatnonzero(numbers == node)
    if len(index) == 0:
        raise ValueError(f"the model has no node {node}")
    column = DOFS.index(dof)
    steps = list(raf.stored_steps)
    return steps, [float(raf.array("U", s)[index[0], column]) for s in steps]


def plot_history(raf, node, dof, out):
    """One node's displacement component over the stored steps."""
    plt = _pyplot()
    steps, values = node_history(raf, node, dof)
    fig, ax = plt.subplots(figsize=(6, 4), dpi=100)
    ax.plot(steps, values, marker="o")
    ax.set_xlabel("step")
    ax.set_ylabel(dof)
    ax.set_title(f"{raf.path}: node {node}, {dof}", fontsize=9)
    ax.grid(True, linewidth=0.4)
    fig.tight_layout()
    fig.savefig(out)
    plt.close(fig)

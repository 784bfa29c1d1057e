#!/usr/bin/python3
"""The Python package on a large model: open, array("U", step) (the first
call, which sets the file up in the libraries, and then per call), mesh(step)
and convert(), timed with the package of a release build tree.

    /usr/bin/python3 bench/python_bench.py [NODES [STEPS [BUILD_DIR]]]   (defaults 20000 20 build)

Run `make build` first.
"""

import os
import subprocess
import sys
import statistics
import tempfile
import time

nodes = int(sys.argv[1]) if len(sys.argv) > 1 else 20000
steps = int(sys.argv[2]) if len(sys.argv) > 2 else 20
build = os.path.abspath(sys.argv[3] if len(sys.argv) > 3 else "build")
sys.path.insert(0, os.path.join(build, "python"))
import raf2sif  # noqa: E402
import meshio  # noqa: E402,F401  (imported before timing mesh())


def timed(f, repeat):
    """The shortest and the median of `repeat` runs of f, in milliseconds."""
    times = []
    for _ in range(repeat):
        t = time.perf_counter()
        f()
        times.append(1e3 * (time.perf_counter() - t))
    return min(times), statistics.median(times)


with tempfile.TemporaryDirectory() as tmp:
    raf_path = os.path.join(tmp, "large.raf")
    subprocess.run([os.path.join(build, "tools", "rafwrite"), "large", str(nodes), str(steps), raf_path],
                   check=True, stdout=subprocess.DEVNULL)
    print(f"model: {nodes} nodes and elements, {steps} stored steps, {os.path.getsize(raf_path) / 1e6:.1f} MB")
    t = time.perf_counter()
    raf = raf2sif.open(raf_path)
    print(f"open:                      {1e3 * (time.perf_counter() - t):8.2f} ms")
    stored = raf.stored_steps
    t = time.perf_counter()
    raf.array("U", stored[0])
    print(f"first array('U', step):    {1e3 * (time.perf_counter() - t):8.2f} ms (sets the file up)")
    k = iter(range(10**9))
    print("of 200, 5, 3 runs:              best    median")
    u = timed(lambda: raf.array("U", stored[next(k) % len(stored)]), 200)
    print(f"array('U', step):          {u[0]:8.2f} {u[1]:8.2f} ms ({6 * nodes * 8e-6 / u[1]:.2f} GB/s of values)")
    print("mesh(step):                {:8.2f} {:8.2f} ms".format(*timed(lambda: raf.mesh(stored[0]), 5)))
    sif = os.path.join(tmp, "large.sif")
    print("convert():                 {:8.2f} {:8.2f} ms".format(*timed(lambda: raf2sif.convert(raf_path, sif), 3)))
    raf.close()

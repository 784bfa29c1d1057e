#!/usr/bin/python3
"""Line coverage of src/ per folder, and the lines left unreached by file.

    coverage_report.py PROFDATA SRC_DIR UNREACHED_FILE BINARY...

Reads the merged profile of the replay programs with llvm-cov, prints a line
per folder of src/ (and one for RAFLIB's read paths) and the unreached lines
of every file as ranges, and writes the same listing into UNREACHED_FILE.
The lines of the routines fuzz/unreachable.txt names (routines the targets
cannot call, each with its reason) are counted apart: each folder's line
gives its coverage of all its lines and of the rest.
"""
import json
import os
import re
import subprocess
import sys

LLVM_COV = os.environ.get("LLVM_COV", "llvm-cov-14")
CXXFILT = os.environ.get("CXXFILT", "llvm-cxxfilt-14")
# RAFLIB's files on the road of a read: opening, the MFP lookup, the record
# transfer, the readers, the upgrade of old files and the computer types.
RAFLIB_READ = ["open.cc", "mfp.cc", "transfer.cc", "readers.cc", "upgrade.cc", "machine.cc"]


def llvm_cov(command, profdata, binaries, *extra):
    args = [LLVM_COV, command, "-instr-profile=" + profdata, binaries[0]]
    for b in binaries[1:]:
        args += ["-object", b]
    # stderr: warnings of functions whose profiles differ between the
    # programs (inline functions compiled in both).
    return subprocess.run(args + list(extra), check=True, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout


def ranges(numbers):
    out, start, prev = [], None, None
    for n in numbers:
        if start is None:
            start = prev = n
        elif n == prev + 1:
            prev = n
        else:
            out.append(f"{start}" if start == prev else f"{start}-{prev}")
            start = prev = n
    if start is not None:
        out.append(f"{start}" if start == prev else f"{start}-{prev}")
    return ", ".join(out)


def left_out_routines(path):
    """(file under src/, routine) -> reason, from the list of routines the
    targets cannot call."""
    routines = {}
    with open(path) as listing:
        for line in listing:
            if line.strip() and not line.startswith("#"):
                rel, routine, reason = line.split(None, 2)
                routines[(rel, routine)] = reason.strip()
    return routines


def routine_extents(profdata, binaries, src):
    """(file under src/, routine) -> the (first, last) lines of its bodies, from
    the first region of every function the programs hold."""
    export = json.loads(llvm_cov("export", profdata, binaries))
    functions = export["data"][0]["functions"]
    demangled = subprocess.run([CXXFILT], input="\n".join(f["name"] for f in functions),
                               check=True, stdout=subprocess.PIPE, text=True).stdout.split("\n")
    extents = {}
    for f, name in zip(functions, demangled):
        path = os.path.realpath(f["filenames"][0])
        if not path.startswith(src + os.sep):
            continue
        # "file.cc:ns::(anonymous namespace)::routine(args)" -> "routine"
        name = re.sub(r"^[\w.]+\.(cc|h):", "", name).replace("(anonymous namespace)::", "")
        name = name.split("(")[0].split("::")[-1]
        region = f["regions"][0]
        extents.setdefault((os.path.relpath(path, src), name), set()).add((region[0], region[2]))
    return extents


def main():
    profdata, src, unreached_file, binaries = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    src = os.path.realpath(src)

    # The unreached lines: those llvm-cov shows with a count of 0.
    shown = llvm_cov("show", profdata, binaries, "-show-instantiations=false")
    unreached, current = {}, None
    for line in shown.splitlines():
        m = re.match(r"^(/\S+):$", line)
        if m:
            name = os.path.realpath(m.group(1))
            current = os.path.relpath(name, src) if name.startswith(src + os.sep) else None
            continue
        m = re.match(r"^\s*(\d+)\|\s*0\|", line)
        if m and current:
            unreached.setdefault(current, set()).add(int(m.group(1)))

    # Of those, the lines of the routines the targets cannot call.
    routines = left_out_routines(os.path.join(os.path.dirname(__file__), "unreachable.txt"))
    extents = routine_extents(profdata, binaries, src)
    left_out, explained = {}, []
    for (rel, routine), reason in sorted(routines.items()):
        lines = {n for first, last in extents.get((rel, routine), ()) for n in range(first, last + 1)}
        lines &= unreached.get(rel, set())
        if lines:
            left_out.setdefault(rel, set()).update(lines)
            explained.append(f"src/{rel}: {routine} {ranges(sorted(lines))}: {reason}")

    summary = json.loads(llvm_cov("export", profdata, binaries, "-summary-only"))
    folders = {}
    for f in summary["data"][0]["files"]:
        name = os.path.realpath(f["filename"])
        if not name.startswith(src + os.sep):
            continue
        rel = os.path.relpath(name, src)
        lines = f["summary"]["lines"]
        folder = rel.split(os.sep)[0]
        rows = [folder]
        if folder == "raflib" and os.path.basename(rel) in RAFLIB_READ:
            rows.append("raflib read paths")
        for row in rows:
            total = folders.setdefault(row, [0, 0, 0])
            total[0] += lines["count"]
            total[1] += lines["covered"]
            total[2] += len(left_out.get(rel, ()))

    print(f"{'folder':<24}{'lines':>8}{'reached':>9}{'%':>8}{'left out':>10}{'% of rest':>11}")
    for row in sorted(folders):
        count, covered, out = folders[row]
        share = 100.0 * covered / count if count else 100.0
        rest = 100.0 * covered / (count - out) if count > out else 100.0
        print(f"{'src/' + row:<24}{count:>8}{covered:>9}{share:>8.1f}{out:>10}{rest:>11.1f}")

    elsewhere = [f"src/{rel}: {ranges(sorted(nums - left_out.get(rel, set())))}"
                 for rel, nums in sorted(unreached.items()) if nums - left_out.get(rel, set())]
    listing = (["Left out: routines the targets cannot call (fuzz/unreachable.txt)"] + explained +
               ["", "Unreached in the routines the targets call"] + elsewhere)
    with open(unreached_file, "w") as out:
        out.write("\n".join(listing) + "\n")
    print(f"\nUnreached lines by file (also in {unreached_file}):")
    print("\n".join(listing))


if __name__ == "__main__":
    main()

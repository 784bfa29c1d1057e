#!/usr/bin/python3
"""Line coverage of src/ per folder, and the lines left unreached by file.

    coverage_report.py PROFDATA SRC_DIR UNREACHED_FILE BINARY...

Reads the merged profile of the replay programs with llvm-cov, prints a line
per folder of src/ (and one for RAFLIB's read paths) and the unreached lines
of every file as ranges, and writes the same listing into UNREACHED_FILE.
"""
import json
import os
import re
import subprocess
import sys

LLVM_COV = os.environ.get("LLVM_COV", "llvm-cov-14")
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


def main():
    profdata, src, unreached_file, binaries = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    src = os.path.realpath(src)
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
            total = folders.setdefault(row, [0, 0])
            total[0] += lines["count"]
            total[1] += lines["covered"]

    print(f"{'folder':<24}{'lines':>8}{'reached':>9}{'%':>8}")
    for row in sorted(folders):
        count, covered = folders[row]
        share = 100.0 * covered / count if count else 100.0
        print(f"{'src/' + row:<24}{count:>8}{covered:>9}{share:>8.1f}")

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
            unreached.setdefault(current, []).append(int(m.group(1)))
    listing = [f"src/{rel}: {ranges(sorted(set(nums)))}" for rel, nums in sorted(unreached.items())]
    with open(unreached_file, "w") as out:
        out.write("\n".join(listing) + "\n")
    print(f"\nUnreached lines by file (also in {unreached_file}):")
    print("\n".join(listing))


if __name__ == "__main__":
    main()

"""python3 -m raf2sif: info, vtu, plot and history on a RAF file.

Exit status 0; 1 when the file cannot be read (RAFLIB's text on standard
error); 2 for a bad argument (a one-line message).
"""

import argparse
import sys

PROG = "python3 -m raf2sif"


class _Parser(argparse.ArgumentParser):
    def error(self, message):
        sys.stderr.write(f"{PROG}: {message}\n")
        sys.exit(2)


def _parser():
    from .pictures import DOFS

    p = _Parser(prog=PROG, description="RAF files through the converter's own libraries.")
    sub = p.add_subparsers(dest="command", required=True, parser_class=_Parser)
    info = sub.add_parser("info", help="the inspector's report")
    info.add_argument("file")
    info.add_argument("--json", action="store_true", help="as one JSON document")
    vtu = sub.add_parser("vtu", help="one VTU file per stored step and a .pvd collection")
    vtu.add_argument("file")
    vtu.add_argument("-o", dest="out", default=".", help="the directory (default: the current one)")
    vtu.add_argument("--first", type=int, help="the first step")
    vtu.add_argument("--last", type=int, help="the last step")
    plot = sub.add_parser("plot", help="the undeformed and the deformed frame of a step")
    plot.add_argument("file")
    plot.add_argument("--step", type=int, required=True)
    plot.add_argument("--scale", type=float, help="displacement magnification")
    plot.add_argument("-o", dest="out", required=True, help="the PNG file")
    history = sub.add_parser("history", help="one node's displacement over the stored steps")
    history.add_argument("file")
    history.add_argument("--node", type=int, required=True, help="external node number")
    history.add_argument("--dof", choices=DOFS, default="uz")
    history.add_argument("-o", dest="out", required=True, help="the PNG file")
    return p


def _bad(message):
    sys.stderr.write(f"{PROG}: {message}\n")
    return 2


def _run(args):
    import raf2sif
    from . import pictures, vtu

    if args.command == "info":
        text, failure = raf2sif._core.report(args.file, args.json)
        sys.stdout.write(text)
        if failure:
            sys.stdout.flush()
            sys.stderr.write(f"{PROG}: {args.file}: {failure}\n")
            return 1
        return 0
    with raf2sif.open(args.file) as raf:
        if args.command == "vtu":
            print(vtu.write_series(raf, args.out, args.first, args.last))
        elif args.command == "plot":
            if args.step not in raf.stored_steps:
                return _bad(f"step {args.step} has no stored results (stored: {raf.stored_steps})")
            pictures.plot_frame(raf, args.step, args.out, args.scale)
        else:
            pictures.plot_history(raf, args.node, args.dof, args.out)
    return 0


def main(argv=None):
    args = _parser().parse_args(argv)
    import raf2sif

    try:
        return _run(args)
    except raf2sif.RafError as e:
        sys.stderr.write(f"{PROG}: {args.file}: {e}\n")
        return 1
    except ValueError as e:
        return _bad(str(e))

"""RAF files written by the project's writer, and the built programs."""

import os
import subprocess

import pytest

BUILD = os.path.abspath(os.environ.get("RAF2SIF_BUILD", os.path.join(os.path.dirname(__file__), "..", "..", "build")))
RAFWRITE = os.path.join(BUILD, "tools", "rafwrite")
RAFINFO = os.path.join(BUILD, "tools", "rafinfo")
RAF2SIF = os.path.join(BUILD, "src", "driver", "raf2sif")

# rafwrite's options for each kind of sample file.
KINDS = {"native": [], "big-endian": ["--big-endian"], "version0": ["--version0"]}


def write_sample(path, *options):
    subprocess.run([RAFWRITE, "sample", str(path), *options], check=True, stdout=subprocess.DEVNULL)
    return path


def run_program(directory, prefix, sif, first="", last=""):
    """The built converter on the dialogue's answers; its console output."""
    answers = f"{prefix}\n{sif}\n{first}\n{last}\n"
    done = subprocess.run([RAF2SIF], input=answers, capture_output=True, text=True, cwd=directory)
    return done.returncode, done.stdout


@pytest.fixture(scope="session")
def samples(tmp_path_factory):
    """The sample analysis written in each kind."""
    d = tmp_path_factory.mktemp("samples")
    return {kind: write_sample(d / f"{kind.replace('-', '')}.raf", *opts) for kind, opts in KINDS.items()}

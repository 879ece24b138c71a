"""Runs the measurements of scripts/bench, which has built everything and set up Wine, and writes the report."""
import os
import shutil
import statistics
import struct
import subprocess
import sys
import time
from pathlib import Path

import extract
import inputs
import report

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build" / "bench"
STUB = ROOT / "build" / "win64" / "themesetup.exe"
THEMEPACK = ROOT / "build" / "linux" / "themepack"
BENCH_INSTALLER = ROOT / "build" / "win64" / "bench" / "bench_installer.exe"


def timed(command, passing, **options):
    """Seconds one run of command takes; its output is dropped, a status not in passing stops the benchmark."""
    start = time.perf_counter()
    status = subprocess.run(command, stdout=subprocess.DEVNULL, **options).returncode
    seconds = time.perf_counter() - start
    if status not in passing:
        raise SystemExit(f"bench: {command} ended with status {status}")
    return seconds


def repeat(count, command, before=None, passing=(0,), **options):
    """Median seconds of count runs; before (not timed) runs ahead of each."""
    seconds = []
    for _ in range(count):
        if before:
            before()
        seconds.append(timed(command, passing, **options))
    return statistics.median(seconds)


def payload_of(package, target):
    """Writes the package's ZIP payload, located by its 20-byte trailer, to target."""
    with open(package, "rb") as file:
        file.seek(-20, os.SEEK_END)
        _, _, _, offset, length = struct.unpack("<5I", file.read(20))
        file.seek(offset)
        with open(target, "wb") as out:
            while length > 0:
                piece = file.read(min(length, 1 << 20))
                out.write(piece)
                length -= len(piece)


def run_installer_bench(package, repeats):
    """Medians of bench_installer's figures under Wine: seconds, and bytes for the peaks."""
    result = subprocess.run(["wine", str(BENCH_INSTALLER), str(package), str(repeats)], check=True,
                            stdout=subprocess.PIPE, text=True)
    values = {}
    # Only "name value" lines are figures; Wine may print other lines of its own.
    for fields in (line.split() for line in result.stdout.splitlines()):
        if len(fields) == 2:
            values.setdefault(fields[0], []).append(float(fields[1]))
    return {name: statistics.median(found) for name, found in values.items()}


def measure(name, description, files, repeats):
    folder = WORK / "inputs" / name
    paths = inputs.ensure(folder, files)
    unpacked = sum(path.stat().st_size for path in paths)
    patterns = ["%ThemeDir%Bench\\" + str(path.relative_to(folder)).replace("/", "\\") + "=" + str(path)
                for path in paths]
    package = WORK / f"{name}.exe"
    zipped = WORK / f"{name}.zip"
    payload = WORK / f"{name}-payload.zip"
    unzipped = WORK / f"{name}-unzip"
    row = {"name": name, "description": description, "files": len(paths), "unpacked": unpacked}

    print(f"== {name}: {description}, {unpacked / inputs.MB:.1f} MB", flush=True)
    row["create_s"] = repeat(repeats, [THEMEPACK, "create", "--stub", STUB, "-o", package, *patterns])
    row["zip_s"] = repeat(repeats, ["zip", "-6", "-q", "-r", "-X", zipped, "."], cwd=folder,
                          before=lambda: zipped.unlink(missing_ok=True))
    row["package_bytes"] = package.stat().st_size
    row["zip_bytes"] = zipped.stat().st_size

    payload_of(package, payload)
    # Status 1 is a warning: the entries' names use backslashes, which unzip turns into folders.
    row["unzip_s"] = repeat(repeats, ["unzip", "-o", "-qq", payload, "-d", unzipped], passing=(0, 1),
                            before=lambda: shutil.rmtree(unzipped, ignore_errors=True),
                            stderr=subprocess.DEVNULL)
    row.update(run_installer_bench(package, repeats))
    for leftover in (zipped, payload):
        leftover.unlink(missing_ok=True)
    shutil.rmtree(unzipped, ignore_errors=True)
    return row


def main():
    quick = os.environ.get("BENCH_QUICK", "0") == "1"
    repeats = int(os.environ.get("BENCH_REPEATS", "3" if quick else "5"))
    sets = [entry for entry in inputs.SETS if not (quick and entry[0] == "500MB")]
    started = time.perf_counter()
    rows = [measure(name, description, files, repeats) for name, description, files in sets]
    gigabytes = os.environ.get("BENCH_EXTRACT_GB")
    comparison = extract.table(extract.measure(float(gigabytes), repeats)) if gigabytes else ""
    stubs = {arch: (ROOT / "build" / arch / "themesetup.exe").stat().st_size for arch in ("win64", "win32")}
    settings = [f"{name}={os.environ[name]}" for name in ("BENCH_QUICK", "BENCH_REPEATS", "BENCH_EXTRACT_GB")
                if name in os.environ]
    command = " ".join(settings + ["scripts/bench"])
    table = report.write(ROOT / "docs", rows, stubs, repeats, command, time.perf_counter() - started, comparison)
    print(table)


if __name__ == "__main__":
    sys.exit(main())

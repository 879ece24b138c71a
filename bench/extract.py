"""themepack extract beside Python's zipfile and Info-ZIP unzip on one multi-gigabyte package, natively.

Optional: scripts/bench runs it when BENCH_EXTRACT_GB is set, and it runs on its own after
scripts/build linux win64:  python3 bench/extract.py [GB] [RUNS]
The package and everything unpacked are deleted afterwards; the generated files too, unless
BENCH_EXTRACT_KEEP=1 keeps them for the next run.
"""
import mmap
import os
import shutil
import statistics
import struct
import subprocess
import sys
import time
import zipfile
from pathlib import Path

import inputs

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build" / "bench" / "extract"
STUB = ROOT / "build" / "win64" / "themesetup.exe"
THEMEPACK = ROOT / "build" / "linux" / "themepack"
GB = 1_000_000_000
SMALL_FILES = 20_000  # 1-20 KB each, about 210 MB in all
LARGE_FILES = 12
ZIPFILE = "import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])"


def files_of(total):
    """Many small files in folders of 100, and a few large ones of the three kinds for the rest."""
    small = inputs.many_files(SMALL_FILES)
    rest = total - sum(size for _, _, size in small)
    return small + inputs.few_files("large", rest, LARGE_FILES)


def slash_names(package):
    """Writes the entries' names with '/' where themepack wrote '\\', as ZIP tools write them.

    The names keep their length. The installer and themepack never use them (the patterns say where each file
    goes), but zipfile takes a backslash for part of a name on Linux and would write every file into one
    folder; with slashes the three tools write the same folders and files."""
    with zipfile.ZipFile(package) as archive:
        entries = archive.infolist()
        record = archive.start_dir
    with open(package, "r+b") as file, mmap.mmap(file.fileno(), 0) as bytes_:
        for entry in entries:
            name_length, extra_length, comment_length = struct.unpack_from("<3H", bytes_, record + 28)
            local = entry.header_offset
            for name_at, length in ((record + 46, name_length),
                                    (local + 30, struct.unpack_from("<H", bytes_, local + 26)[0])):
                bytes_[name_at:name_at + length] = bytes_[name_at:name_at + length].replace(b"\\", b"/")
            record += 46 + name_length + extra_length + comment_length


def tree_size(folder):
    """Files below folder and their bytes."""
    sizes = [path.stat().st_size for path in Path(folder).rglob("*") if path.is_file()]
    return len(sizes), sum(sizes)


def clean(folder):
    """Takes folder away and writes back what the last run left dirty, so that no run pays for another."""
    shutil.rmtree(folder, ignore_errors=True)
    os.sync()


def medians(commands, runs, reference):
    """Median seconds of each (name, command words, output folder), and of each one's ratio to reference's.

    The commands take turns, A B C, B C A, C A B ..., each into an emptied folder: the disk of a shared
    machine drifts, and a ratio taken within one round holds where a time taken minutes apart does not; no
    command always follows the same one."""
    seconds = {name: [] for name, _, _ in commands}
    for round_ in range(runs):
        turn = round_ % len(commands)
        for name, words, out in commands[turn:] + commands[:turn]:
            clean(out)
            start = time.perf_counter()
            subprocess.run(words, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            seconds[name].append(time.perf_counter() - start)
    result = {}
    for name, values in seconds.items():
        result[f"{name}_runs"] = values
        result[f"{name}_s"] = statistics.median(values)
        result[f"{name}_range"] = (min(values), max(values))
        result[f"{name}_ratio"] = statistics.median(value / base for value, base in zip(values, seconds[reference]))
    return result


def measure(gigabytes, runs):
    """The comparison's figures: sizes, counts and median seconds."""
    # One folder a size: a kept folder of another size is not mistaken for this one.
    folder = WORK / f"inputs-{gigabytes:g}GB"
    package = WORK / "large.exe"
    files = files_of(int(gigabytes * GB))
    print(f"== extract: {len(files):,} files, {gigabytes:g} GB unpacked (made once, kept in {folder})", flush=True)
    paths = inputs.ensure(folder, files)
    patterns = ["%ThemeDir%" + str(path.relative_to(folder)).replace("/", "\\") + "=" + str(path) for path in paths]
    listing = WORK / "files.txt"
    # As a package file: twenty thousand arguments would pass the command line's limit.
    listing.write_text("[Package]\nStub=" + str(STUB) + "\nOutput=" + str(package) + "\n[Files]\n" +
                       "\n".join(patterns) + "\n")
    started = time.perf_counter()
    subprocess.run([THEMEPACK, "build", listing], check=True, stdout=subprocess.DEVNULL)
    create_seconds = time.perf_counter() - started
    slash_names(package)
    with open(package, "rb") as file:
        file.seek(-20, os.SEEK_END)
        payload_bytes = struct.unpack("<5I", file.read(20))[4]
    outs = {name: WORK / f"out-{name}" for name in ("themepack", "zipfile", "unzip")}
    commands = [
        ("themepack", [str(THEMEPACK), "extract", str(package), "--root", str(outs["themepack"])], outs["themepack"]),
        ("zipfile", [sys.executable, "-c", ZIPFILE, str(package), str(outs["zipfile"])], outs["zipfile"]),
        # Status 1 is unzip's warning about the program image before the archive.
        ("unzip", ["sh", "-c", 'unzip -o -qq "$0" -d "$1"; [ $? -le 1 ]', str(package), str(outs["unzip"])],
         outs["unzip"]),
    ]
    try:
        figures = medians(commands, runs, "zipfile")
        # Every tool wrote everything: themepack the theme's files, the others PackHead too.
        for name, out in outs.items():
            count, size = tree_size(out)
            expected = len(files) + (0 if name == "themepack" else 1)
            if count != expected:
                raise SystemExit(f"bench: {name} wrote {count} files, not {expected}")
        row = {"files": len(files), "unpacked": sum(path.stat().st_size for path in paths),
               "package_bytes": package.stat().st_size, "payload_bytes": payload_bytes, "runs": runs,
               "create_s": create_seconds, **figures}
    finally:
        for out in outs.values():
            shutil.rmtree(out, ignore_errors=True)
        package.unlink(missing_ok=True)
        listing.unlink(missing_ok=True)
        if os.environ.get("BENCH_EXTRACT_KEEP", "0") != "1":
            shutil.rmtree(folder, ignore_errors=True)
            folder.with_name(folder.name + ".complete").unlink(missing_ok=True)
    return row


def table(row):
    """The comparison as a markdown section."""
    def cell(name):
        seconds = row[f"{name}_s"]
        low, high = row[f"{name}_range"]
        return f"{seconds:.2f} s ({low:.2f}-{high:.2f}), {row[f'{name}_ratio']:.2f}x"
    return "\n".join([
        "### themepack extract, Python's zipfile and Info-ZIP unzip (native Linux, one package)",
        "",
        f"{row['files']:,} files, {row['unpacked'] / 1e6:,.0f} MB unpacked; "
        f"package {row['package_bytes'] / 1e6:,.0f} MB, payload {row['payload_bytes'] / 1e6:,.0f} MB. "
        f"Median seconds of {row['runs']} runs each (fastest-slowest), and the median of each round's ratio "
        "to zipfile.",
        "",
        "| themepack extract | zipfile extractall | unzip |",
        "|---|---|---|",
        f"| {cell('themepack')} | {cell('zipfile')} | {cell('unzip')} |",
        "",
    ])


def main():
    gigabytes = float(sys.argv[1]) if len(sys.argv) > 1 else 3
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    row = measure(gigabytes, runs)
    for name in ("themepack", "zipfile", "unzip"):
        print(f"{name}: " + " ".join(f"{seconds:.2f}" for seconds in row[f"{name}_runs"]) + " s")
    print(table(row))


if __name__ == "__main__":
    sys.exit(main())

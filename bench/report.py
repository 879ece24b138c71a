"""The benchmark's report: markdown tables and a throughput plot (SVG, drawn by hand) in docs/."""
import datetime
import math
import os
import subprocess

MB = 1_000_000
SVG_NAME = "performance.svg"

# Throughput series: label, seconds key, bytes key, colour, dashes ("" for ours).
SERIES = [
    ("ExtractFiles", "extract_files_s", "unpacked", "#1f5fbf", ""),
    ("minizip loop", "minizip_loop_s", "unpacked", "#1f5fbf", "6 4"),
    ("Info-ZIP unzip (Linux)", "unzip_s", "unpacked", "#1f5fbf", "2 3"),
    ("LoadPackage", "load_package_s", "payload_bytes", "#2a8a3a", ""),
    ("copy loop", "copy_loop_s", "payload_bytes", "#2a8a3a", "6 4"),
    ("themepack create", "create_s", "unpacked", "#c8641e", ""),
    ("zip -6 (Linux)", "zip_s", "unpacked", "#c8641e", "6 4"),
]


def rate(row, seconds_key, bytes_key):
    return row[bytes_key] / MB / row[seconds_key]


def seconds(value):
    return f"{value:.3f} s" if value < 1 else f"{value:.2f} s"


def cell(row, seconds_key, bytes_key):
    return f"{seconds(row[seconds_key])} ({rate(row, seconds_key, bytes_key):.0f} MB/s)"


def table(rows, stubs):
    def section(title, header, line):
        text = [f"### {title}", "", "| Package | " + " | ".join(header) + " |",
                "|---" * (len(header) + 1) + "|"]
        text += ["| " + row["name"] + " | " + " | ".join(line(row)) + " |" for row in rows]
        return "\n".join(text) + "\n"

    megabytes = lambda count: f"{count / MB:.1f}"
    return "\n".join([
        section("Packages", ["Contents", "Files", "Unpacked MB", "Package MB", "zip -6 MB"],
                lambda r: [r["description"], f"{r['files']:,}", megabytes(r["unpacked"]),
                           megabytes(r["package_bytes"]), megabytes(r["zip_bytes"])]),
        section("Loader (Wine)", ["Start to first wizard page", "LoadPackage (copy + PackHead)",
                                  "Baseline: copy loop, 64 KB ReadFile/WriteFile"],
                lambda r: [seconds(r["wizard_shown_s"]), cell(r, "load_package_s", "payload_bytes"),
                           cell(r, "copy_loop_s", "payload_bytes")]),
        section("Engine (Wine; MB/s of unpacked data)", ["ExtractFiles", "Baseline: minizip loop, 32 KB WriteFile",
                                                          "Info-ZIP unzip, native Linux"],
                lambda r: [cell(r, "extract_files_s", "unpacked"), cell(r, "minizip_loop_s", "unpacked"),
                           cell(r, "unzip_s", "unpacked")]),
        section("Packager (native Linux; MB/s of unpacked data)", ["themepack create", "zip -6"],
                lambda r: [cell(r, "create_s", "unpacked"), cell(r, "zip_s", "unpacked")]),
        section("Peak working set (Wine)", ["Installer, wizard shown", "Bench process, after loads and extractions"],
                lambda r: [megabytes(r.get("installer_peak_bytes", 0)) + " MB",
                           megabytes(r["bench_peak_bytes"]) + " MB"]),
        "### Installer stub\n\n| themesetup.exe | Bytes |\n|---|---|\n" +
        "".join(f"| {arch} | {size:,} |\n" for arch, size in stubs.items()),
    ])


def plot(rows):
    """Throughput against unpacked size, log-log; ours solid, baselines dashed in the same colour."""
    width, height, left, right, top, bottom = 760, 420, 70, 210, 40, 50
    xs = [math.log10(row["unpacked"] / MB) for row in rows]
    rates = [rate(row, key, size) for row in rows for _, key, size, _, _ in SERIES]
    # Decades around the data; "1 MB" of files may fall a hair short of 10^0.
    x_low, x_high = math.floor(min(xs) + 0.05), math.ceil(max(xs) - 0.05)
    y_low, y_high = math.floor(math.log10(min(rates))), math.ceil(math.log10(max(rates)))
    x_high, y_high = max(x_high, x_low + 1), max(y_high, y_low + 1)
    to_x = lambda v: left + (v - x_low) / (x_high - x_low) * (width - left - right)
    to_y = lambda v: height - bottom - (v - y_low) / (y_high - y_low) * (height - top - bottom)
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'font-family="sans-serif" font-size="12">',
           f'<rect width="{width}" height="{height}" fill="white"/>',
           f'<text x="{left}" y="22" font-size="14">Throughput (MB/s) against package size '
           f'(MB unpacked), log scales</text>']
    for power in range(x_low, x_high + 1):
        x = to_x(power)
        out.append(f'<line x1="{x:.1f}" y1="{top}" x2="{x:.1f}" y2="{height - bottom}" stroke="#ddd"/>')
        out.append(f'<text x="{x:.1f}" y="{height - bottom + 18}" text-anchor="middle">{10 ** power:g}</text>')
    for power in range(y_low, y_high + 1):
        y = to_y(power)
        out.append(f'<line x1="{left}" y1="{y:.1f}" x2="{width - right}" y2="{y:.1f}" stroke="#ddd"/>')
        out.append(f'<text x="{left - 6}" y="{y + 4:.1f}" text-anchor="end">{10 ** power:g}</text>')
    for index, (label, key, size, colour, dashes) in enumerate(SERIES):
        points = " ".join(f"{to_x(x):.1f},{to_y(math.log10(rate(row, key, size))):.1f}" for x, row in zip(xs, rows))
        dash = f' stroke-dasharray="{dashes}"' if dashes else ""
        out.append(f'<polyline points="{points}" fill="none" stroke="{colour}" stroke-width="2"{dash}/>')
        for point in points.split():
            cx, cy = point.split(",")
            out.append(f'<circle cx="{cx}" cy="{cy}" r="3" fill="{colour}"/>')
        y = top + 10 + index * 22
        out.append(f'<line x1="{width - right + 15}" y1="{y}" x2="{width - right + 45}" y2="{y}" '
                   f'stroke="{colour}" stroke-width="2"{dash}/>')
        out.append(f'<text x="{width - right + 52}" y="{y + 4}">{label}</text>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def machine():
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name")),
                 "unknown CPU")
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    commit = subprocess.run(["git", "describe", "--always", "--dirty"], capture_output=True, text=True).stdout.strip()
    return f"{os.cpu_count()} CPUs ({model}), {wine}, {os.uname().sysname} {os.uname().release}, commit {commit}"


def write(folder, rows, stubs, repeats, command, seconds, comparison=""):
    """Writes PERFORMANCE.md and the plot into folder; returns the tables, then comparison (markdown) if any."""
    tables = table(rows, stubs) + ("\n" + comparison if comparison else "")
    (folder / SVG_NAME).write_text(plot(rows))
    (folder / "PERFORMANCE.md").write_text(f"""# Performance

Made by `{command}` on {datetime.date.today()} (the measuring took {seconds / 60:.0f} minutes): {machine()}.
Every figure is the median of {repeats} runs; MB is 1,000,000 bytes. The Windows figures come from
`bench/BenchInstaller.cpp` under Wine, the Linux ones from the Linux release build and Debian's
`zip` and `unzip`. Reproduce with `scripts/bench` (all three packages, 5 runs each) or
`BENCH_QUICK=1 scripts/bench` (no 500 MB package, 3 runs); `BENCH_REPEATS=N` sets the runs;
`BENCH_EXTRACT_GB=N` adds themepack extract against Python's zipfile and unzip on one package of N GB.

- Start to first wizard page: from CreateProcess to the first page shown (polled every 50 ms), then Cancel.
- LoadPackage: the installer's load (trailer, payload copy to a temporary file in 256 KiB pieces,
  PackHead, the pictures' files); its baseline copies as many bytes from the same package with
  CreateFileA, ReadFile and WriteFile in 64 KiB pieces.
- ExtractFiles: the engine on the payload copy LoadPackage made, into an empty folder each run; its
  baseline inflates the same entries with minizip, through the installer's own archive reads, into the
  files and folders the installer writes (32 KiB WriteFile; no patterns, checks, log or progress), the
  limit of this design here; Info-ZIP `unzip` unpacks the same payload natively.
- themepack create and `zip -6` pack the same files.
- Peak working set: the installer's while its wizard shows, and the bench process's after all its loads
  and extractions (psapi PeakWorkingSetSize). Both should stay flat as packages grow.

![Throughput against package size]({SVG_NAME})

{tables}""")
    return tables

#!/usr/bin/env python3
"""Lists the functions a Windows program imports, ordinarily and delayed.

    pe_imports.py PROGRAM...                 one line per import: build library function kind
    pe_imports.py --list LIST PROGRAM...     the audited list, rewritten from the programs;
                                             notes already in LIST are kept by name
    pe_imports.py --check LIST PROGRAM...    fails when a program imports what LIST lacks,
                                             or LIST has a function without a note

GNU ld leaves the delay-import directory empty even when dlltool's delayed
import libraries are linked in, so delayed imports are found by their
descriptors instead: every 32-byte record, anywhere in the image, whose
fields all point where a delay-import descriptor's must.
"""
import re
import struct
import sys

ORDINARY, DELAYED = "ordinary", "delayed"
BUILDS = {0x14C: "i686", 0x8664: "x86_64"}
UNREVIEWED = "?"


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        if self.data[:2] != b"MZ":
            raise ValueError(f"{path}: not an executable")
        pe = self.u32(0x3C)
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: no PE header")
        machine, sections, _, _, _, optional_size = struct.unpack_from("<HHIIIH", self.data, pe + 4)
        self.build = BUILDS.get(machine, f"machine-{machine:#x}")
        optional = pe + 24
        magic = self.u16(optional)
        if magic not in (0x10B, 0x20B):
            raise ValueError(f"{path}: unknown optional header {magic:#x}")
        self.wide = magic == 0x20B  # PE32+: 64-bit thunks, no BaseOfData
        self.image_base = struct.unpack_from("<Q" if self.wide else "<I", self.data, optional + (24 if self.wide else 28))[0]
        self.size_of_image = self.u32(optional + 56)
        directories = optional + (112 if self.wide else 96)
        count = self.u32(directories - 4)
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i) for i in range(count)]
        self.sections = []  # (rva, virtual size, file offset, raw size)
        for i in range(sections):
            header = optional + optional_size + 40 * i
            vsize, rva, raw_size, raw_offset = struct.unpack_from("<IIII", self.data, header + 8)
            self.sections.append((rva, max(vsize, raw_size), raw_offset, raw_size))

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        """File offset of rva, or None when no section's file data holds it."""
        for start, _, raw_offset, raw_size in self.sections:
            if start <= rva < start + raw_size:
                return raw_offset + rva - start
        return None

    def string(self, rva, limit=256):
        offset = self.offset(rva)
        if offset is None:
            return None
        end = self.data.find(b"\0", offset, offset + limit)
        if end < 0:
            return None
        text = self.data[offset:end]
        return text.decode("ascii") if text and all(0x20 < c < 0x7F for c in text) else None

    def thunks(self, rva):
        """Names of a lookup table at rva ('#n' for an ordinal); None when it is not one."""
        size, flag = (8, 1 << 63) if self.wide else (4, 1 << 31)
        names = []
        offset = self.offset(rva)
        while offset is not None and offset + size <= len(self.data):
            value = int.from_bytes(self.data[offset:offset + size], "little")
            if value == 0:
                return names
            if value & flag:
                if value & ~flag > 0xFFFF:
                    return None
                names.append(f"#{value & 0xFFFF}")
            else:
                # A hint, then the name.
                name = self.string(value + 2) if value < self.size_of_image else None
                if name is None or not re.fullmatch(r"[A-Za-z_?@$][\w?@$]*", name):
                    return None
                names.append(name)
            offset += size
        return None

    def ordinary_imports(self):
        rva, size = self.directories[1] if len(self.directories) > 1 else (0, 0)
        offset = self.offset(rva) if size else None
        while offset is not None:
            lookup, _, _, name, address = struct.unpack_from("<IIIII", self.data, offset)
            if name == 0:
                break
            for function in self.thunks(lookup or address) or []:
                yield self.string(name), function, ORDINARY
            offset += 20

    def delay_descriptors(self):
        """(library, name table rva) of each delay-import descriptor."""
        rva, size = self.directories[13] if len(self.directories) > 13 else (0, 0)
        if size:
            offset = self.offset(rva)
            while offset is not None and any(self.data[offset:offset + 32]):
                attributes, name, _, _, table = struct.unpack_from("<5I", self.data, offset)
                yield self.string(self.rva(name, attributes)), self.rva(table, attributes)
                offset += 32
            return
        seen = set()
        for start, _, raw_offset, raw_size in self.sections:
            for at in range(raw_offset, raw_offset + raw_size - 31, 4):
                attributes, name, module, address, table = struct.unpack_from("<5I", self.data, at)
                # RVA-based records only: dlltool writes nothing else, and
                # old VA-based ones would make almost any pointer a match.
                if attributes != 1 or (name, table) in seen:
                    continue
                if not all(0 < value < self.size_of_image for value in (name, module, address, table)):
                    continue
                library = self.string(name)
                if library is None or not library.lower().endswith(".dll"):
                    continue
                if self.thunks(table) is None or self.offset(address) is None:
                    continue
                seen.add((name, table))
                yield library, table

    def rva(self, value, attributes):
        return value if attributes & 1 else value - self.image_base

    def delayed_imports(self):
        for library, table in self.delay_descriptors():
            for function in self.thunks(table) or []:
                yield library, function, DELAYED

    def imports(self):
        """Sorted (library in capitals without '.dll', function, kind)."""
        found = set()
        for library, function, kind in list(self.ordinary_imports()) + list(self.delayed_imports()):
            found.add((re.sub(r"\.dll$", "", library, flags=re.I).upper(), function, kind))
        return sorted(found)


def read_list(path):
    """{(library, function): (builds, note)} of an audited list."""
    entries = {}
    library = None
    for line in read_lines(path):
        if line.startswith("== "):
            library = line[3:].split()[0]
        elif line.strip() and not line.startswith("#") and library:
            words = line.split()
            at = 1
            while at < len(words) and words[at] in BUILDS.values():
                at += 1
            entries[(library, words[0])] = (set(words[1:at]), " ".join(words[at:]) or UNREVIEWED)
    return entries


def read_lines(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []


def gather(programs):
    """{(library, function): (builds, kinds)} over all programs."""
    found = {}
    for program in programs:
        image = Image(program)
        for library, function, kind in image.imports():
            builds, kinds = found.setdefault((library, function), (set(), set()))
            builds.add(image.build)
            kinds.add(kind)
    return found


def write_list(path, programs):
    """Rewrites the tables from the programs; the prose before and after them stays."""
    lines = read_lines(path)
    tables = [at for at, line in enumerate(lines) if line.startswith("== ")]
    header = lines[:tables[0]] if tables else lines
    trailer = [at for at, line in enumerate(lines) if line.startswith("#") and tables and at > tables[0]]
    trailer = lines[trailer[0]:] if trailer else []
    while header and not header[-1].strip():
        header.pop()
    entries = read_list(path)
    found = gather(programs)
    width = max(len(function) for _, function in found) + 2
    out = header
    for library in sorted({library for library, _ in found}):
        kinds = set().union(*(k for (l, _), (_, k) in found.items() if l == library))
        out += ["", f"== {library} ({', '.join(sorted(kinds))})"]
        for (l, function), (builds, _) in sorted(found.items()):
            if l == library:
                columns = " ".join(b if b in builds else " " * len(b) for b in ("i686", "x86_64"))
                note = entries.get((library, function), (None, UNREVIEWED))[1]
                out.append(f"{function:<{width}}{columns}  {note}")
    out += [""] + trailer if trailer else []
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


def check(path, programs):
    """Non-zero when a program imports what the list lacks for its build, or the list has no note for it."""
    entries = read_list(path)
    failed = False
    for (library, function), (builds, _) in sorted(gather(programs).items()):
        listed, note = entries.get((library, function), (set(), UNREVIEWED))
        for build in sorted(builds - listed):
            print(f"not on {path}: {library} {function} ({build})", file=sys.stderr)
            failed = True
        if note == UNREVIEWED and listed:
            print(f"no note in {path}: {library} {function}", file=sys.stderr)
            failed = True
    return 1 if failed else 0


def main(args):
    if args[:1] == ["--list"] and len(args) > 2:
        write_list(args[1], args[2:])
        return 0
    if args[:1] == ["--check"] and len(args) > 2:
        return check(args[1], args[2:])
    if not args or args[0].startswith("-"):
        print(__doc__, file=sys.stderr)
        return 2
    for program in args:
        image = Image(program)
        for library, function, kind in image.imports():
            print(image.build, library, function, kind)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

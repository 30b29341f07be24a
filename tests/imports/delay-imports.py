#!/usr/bin/env python3
"""Lists the delay-loaded imports of a PE executable as "dll!Function".

The linker we use does not fill the delay-import data directory, and the
release build keeps no symbols, so the descriptors are found by their shape:
delay-imports.py EXE
"""
import re
import struct
import sys

DLL_NAME = re.compile(rb"[A-Za-z0-9_]+\.dll\0", re.IGNORECASE)


def main(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections_count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
    image_base = struct.unpack_from("<Q" if wide else "<I", data, optional + (24 if wide else 28))[0]
    sections = []
    table = optional + optional_size
    searched = []
    for i in range(sections_count):
        name = data[table + 40 * i:table + 40 * i + 8]
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        sections.append((rva, max(virtual_size, raw_size), raw))
        if not name.startswith(b"/") and not name.startswith(b".debug"):
            searched.append((raw, min(raw_size, virtual_size)))

    def offset(rva):
        for start, size, raw in sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("RVA 0x%x is in no section" % rva)

    def text(rva):
        at = offset(rva)
        return data[at:data.index(b"\0", at)].decode("ascii")

    def resolves(rva):
        try:
            offset(rva)
            return True
        except ValueError:
            return False

    def descriptors():
        """(attributes, name, slots, names) of every 32-byte record whose
        attribute word is 0 or 1, whose name field points at "x.dll" and
        whose handle and table fields point into the image."""
        for raw, size in searched:
            end = min(raw + size, len(data)) - 32
            for at in range(raw, end + 1, 4):
                attributes, name, handle, slots, names = struct.unpack_from("<5I", data, at)
                if attributes > 1:
                    continue
                # Without the "RVA" attribute the fields hold addresses.
                rebase = 0 if attributes & 1 else image_base
                fields = [name - rebase, handle - rebase, slots - rebase, names - rebase]
                if min(fields) <= 0 or not all(resolves(f) for f in fields):
                    continue
                if DLL_NAME.match(data, offset(fields[0])):
                    yield attributes, fields[0], fields[2], fields[3], rebase

    for _, name, slots, names, rebase in descriptors():
        dll = text(name).lower()
        thunk = offset(names)
        slot = offset(slots)
        size = 8 if wide else 4
        word = "<Q" if wide else "<I"
        ordinal_flag = 1 << (size * 8 - 1)
        while True:
            entry = struct.unpack_from(word, data, thunk)[0]
            if entry == 0:
                break
            if entry & ordinal_flag:
                function = "#%d" % (entry & 0xFFFF)
            else:
                function = text((entry - rebase) + 2)
            # Until the first call a slot points at the code that loads the
            # DLL; a null one crashes there.
            if struct.unpack_from(word, data, slot)[0] == 0:
                sys.exit("%s: %s!%s has no loader stub (called through __imp_?)"
                         % (path, dll, function))
            print("%s!%s" % (dll, function))
            thunk += size
            slot += size


if __name__ == "__main__":
    main(sys.argv[1])

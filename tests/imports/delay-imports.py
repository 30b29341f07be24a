#!/usr/bin/env python3
"""Lists the delay-loaded imports of a PE executable as "dll!Function".

The linker we use does not fill the delay-import data directory, so the
descriptors are found by their symbols: delay-imports.py EXE VA...
"""
import struct
import sys


def main(path, addresses):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections_count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
    image_base = struct.unpack_from("<Q" if wide else "<I", data, optional + (24 if wide else 28))[0]
    sections = []
    table = optional + optional_size
    for i in range(sections_count):
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        sections.append((rva, max(virtual_size, raw_size), raw))

    def offset(rva):
        for start, size, raw in sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("RVA 0x%x is in no section" % rva)

    def text(rva):
        at = offset(rva)
        return data[at:data.index(b"\0", at)].decode("ascii")

    for address in addresses:
        fields = struct.unpack_from("<8I", data, offset(int(address, 16) - image_base))
        attributes, name, _, slots, names = fields[:5]
        # Without the "RVA" attribute the fields hold addresses.
        rebase = 0 if attributes & 1 else image_base
        dll = text(name - rebase).lower()
        thunk = offset(names - rebase)
        slot = offset(slots - rebase)
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
    main(sys.argv[1], sys.argv[2:])

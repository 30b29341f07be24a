#!/usr/bin/env python3
"""Writes a release zip to standard output, the same bytes on every run:
make_zip.py --epoch SECONDS --readme FILE --version V --name FOLDER EXE...

The entries sit in FOLDER/ in a fixed order (README.txt, the programs,
SHA256SUMS), all with the given time, the same attributes and compression.
README.txt gets CRLF line ends and its @VERSION@ filled in.
"""
import argparse
import hashlib
import io
import os
import sys
import time
import zipfile


def entry(name, when):
    info = zipfile.ZipInfo(name, date_time=when)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS: no host-specific attributes
    info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
    return info


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--epoch", type=int, required=True)
    parser.add_argument("--readme", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()

    # Zip times are local times with two-second steps, from 1980 on.
    when = time.gmtime(max(args.epoch, 315532800))[:6]
    when = when[:5] + (when[5] - when[5] % 2,)

    readme = open(args.readme, encoding="utf-8").read().replace("@VERSION@", args.version)
    files = [("README.txt", readme.replace("\r\n", "\n").replace("\n", "\r\n").encode("ascii"))]
    for path in args.programs:
        with open(path, "rb") as program:
            files.append((os.path.basename(path), program.read()))
    sums = "".join("%s *%s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in files)
    files.append(("SHA256SUMS", sums.encode("ascii")))

    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        for name, data in files:
            archive.writestr(entry(args.name + "/" + name, when), data, compresslevel=9)
    sys.stdout.buffer.write(buffer.getvalue())


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Turns an interface language file into its compressed form and back.

    python3 scripts/compress_language.py plain.tvl compressed.tvl
    python3 scripts/compress_language.py --expand compressed.tvl plain.tvl

The compressed form is the indicator "TVC", the character "1" and a zlib stream of the plain
file. The program reads both forms; it never writes the compressed one, so a compressed language
is edited as its expanded copy and compressed again.
"""
import sys
import zlib

HEADER = b"TVC1"


def main(args):
    expand = args[:1] == ["--expand"]
    source, target = args[1:] if expand else args
    with open(source, "rb") as f:
        data = f.read()
    if expand:
        if not data.startswith(HEADER):
            sys.exit(f"{source} is not compressed")
        out = zlib.decompress(data[len(HEADER):])
    else:
        out = HEADER + zlib.compress(data, 9)
    with open(target, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1:])

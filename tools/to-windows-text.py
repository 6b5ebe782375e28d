#!/usr/bin/env python3
"""Converts a UTF-8 text file to what Notepad reads on every Windows from
7 to 11, under code page 932 and under Windows' UTF-8 setting alike:
CRLF line ends, and either

    to-windows-text.py --bom SOURCE OUTPUT   UTF-8 behind a byte order mark
    to-windows-text.py SOURCE OUTPUT         ASCII, no mark

Without the mark, Notepad may read the file in the ANSI code page, so
anything but ASCII there fails, naming its line and column. Either way
invalid UTF-8 fails, and nothing is written.
"""
import os
import sys


def convert(text, bom):
    """The output bytes, or raises ValueError naming the first character
    that ASCII lacks, where there is to be no mark."""
    lines = text.split("\n")
    if not bom:
        for number, line in enumerate(lines, 1):
            col = next((i for i, c in enumerate(line) if ord(c) > 0x7F), None)
            if col is not None:
                raise ValueError("line %d, column %d: U+%04X %r is not ASCII; "
                                 "a file with more than ASCII goes out with --bom"
                                 % (number, col + 1, ord(line[col]), line[col]))
    return (b"\xef\xbb\xbf" if bom else b"") + "\r\n".join(lines).encode("utf-8")


def main(argv):
    bom = argv[1:2] == ["--bom"]
    args = argv[2:] if bom else argv[1:]
    if len(args) != 2:
        sys.exit("usage: to-windows-text.py [--bom] SOURCE OUTPUT")
    source, output = args
    # Any line ends the source has (a Windows checkout may give CRLF) read
    # as "\n", and an editor's byte order mark is dropped: the output is
    # the same.
    try:
        with open(source, encoding="utf-8-sig") as f:
            data = convert(f.read(), bom)
    except (UnicodeDecodeError, ValueError) as e:
        sys.exit("%s: %s" % (source, e))
    temp = output + ".tmp"
    with open(temp, "wb") as f:
        f.write(data)
    os.replace(temp, output)


if __name__ == "__main__":
    main(sys.argv)

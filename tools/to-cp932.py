#!/usr/bin/env python3
"""Converts a UTF-8 text file to what Notepad on a Japanese Windows reads:
code page 932, CRLF line ends, no byte order mark.

    to-cp932.py SOURCE OUTPUT

Fails, and writes nothing, on any character that code page 932 cannot
hold, or that would read back as another one (U+301C WAVE DASH would come
back as the full-width tilde U+FF5E).
"""
import os
import sys


def convert(text):
    """The CP932 bytes of text, or raises ValueError naming the first
    character that does not fit, with its line and column."""
    out = []
    for number, line in enumerate(text.split("\n"), 1):
        encoded = line.encode("cp932", errors="replace")
        # Python's codec also takes a few look-alikes one way (U+301C is
        # written as the bytes of U+FF5E): only what reads back counts.
        back = encoded.decode("cp932")
        if back != line:
            col = next((i for i, (a, b) in enumerate(zip(line, back)) if a != b),
                       min(len(line), len(back)))
            raise ValueError("line %d, column %d: U+%04X %r has no code page 932 form"
                             % (number, col + 1, ord(line[col]), line[col]))
        out.append(encoded)
    return b"\r\n".join(out)


def main(argv):
    if len(argv) != 3:
        sys.exit("usage: to-cp932.py SOURCE OUTPUT")
    source, output = argv[1], argv[2]
    # Any line ends the source has (a Windows checkout may give CRLF) read
    # as "\n", and a byte order mark is dropped: the output is the same.
    try:
        with open(source, encoding="utf-8-sig") as f:
            data = convert(f.read())
    except (UnicodeDecodeError, ValueError) as e:
        sys.exit("%s: %s" % (source, e))
    temp = output + ".tmp"
    with open(temp, "wb") as f:
        f.write(data)
    os.replace(temp, output)


if __name__ == "__main__":
    main(sys.argv)

#!/usr/bin/env python3
"""Writes the release: NAME-VERSION.zip and SHA256SUMS.

    mkdist.py --name sweepane --version 1.1 --source-dir DIR --out DIR FILE...
    mkdist.py ... --no-sums --entry PATH FILE [--entry PATH FILE ...]

The zip holds one folder NAME-VERSION/ with FILE... in the order given,
each under its own name, then each --entry's FILE under PATH. --no-sums
leaves SHA256SUMS alone (the test bundle is not a release).
The same inputs give the same bytes, whoever builds them, wherever and
whenever:
  - every entry is dated with the last commit's time (SOURCE_DATE_EPOCH
    when set), as a clock in Japan reads it: zip times carry no zone and
    the extractor shows them as local time;
  - fixed permissions (rw-r--r--), no extra fields, no host user or group;
  - entries are stored, not deflated: deflate output depends on the zlib
    build, and the download is small either way.
"""
import argparse
import datetime
import hashlib
import os
import subprocess
import zipfile

JST = datetime.timezone(datetime.timedelta(hours=9))
ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)  # the earliest time a zip entry can hold


def source_date(source_dir):
    """Seconds since 1970: SOURCE_DATE_EPOCH, or the last commit's time,
    or None outside a git checkout."""
    env = os.environ.get("SOURCE_DATE_EPOCH")
    if env:
        return int(env)
    try:
        out = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True).stdout
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return None


def entry_time(epoch):
    if epoch is None:
        return ZIP_EPOCH
    t = datetime.datetime.fromtimestamp(epoch, JST)
    return max(ZIP_EPOCH, (t.year, t.month, t.day, t.hour, t.minute, t.second))


def write_zip(path, folder, entries, when):
    with zipfile.ZipFile(path, "w") as z:
        for inside, source in entries:
            info = zipfile.ZipInfo(folder + "/" + inside, when)
            info.compress_type = zipfile.ZIP_STORED
            info.create_system = 3  # Unix, so that the mode below is read
            info.external_attr = 0o100644 << 16
            with open(source, "rb") as f:
                z.writestr(info, f.read())


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--name", required=True)
    p.add_argument("--version", required=True)
    p.add_argument("--source-dir", required=True)
    p.add_argument("--out", required=True)
    p.add_argument("--no-sums", action="store_true")
    p.add_argument("--entry", nargs=2, action="append", default=[], metavar=("PATH", "FILE"))
    p.add_argument("files", nargs="*")
    a = p.parse_args()
    entries = [(os.path.basename(f), f) for f in a.files] + a.entry
    if not entries:
        p.error("nothing to put in the zip")

    folder = "%s-%s" % (a.name, a.version)
    zip_name = folder + ".zip"
    os.makedirs(a.out, exist_ok=True)
    zip_path = os.path.join(a.out, zip_name)
    sums_path = os.path.join(a.out, "SHA256SUMS")

    # Written aside and moved into place: a failed run leaves no half zip.
    write_zip(zip_path + ".tmp", folder, entries, entry_time(source_date(a.source_dir)))
    written = [zip_path]
    if not a.no_sums:
        with open(zip_path + ".tmp", "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        with open(sums_path + ".tmp", "w", newline="\n") as f:
            f.write("%s  %s\n" % (digest, zip_name))
        written.append(sums_path)
    for path in written:
        os.replace(path + ".tmp", path)
        print("mkdist: %s" % path)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The release that make dist writes, and the two tools that write it.

    dist_test.py SOURCE_DIR BUILD_DIR DIST_DIR VERSION
"""
import calendar
import hashlib
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

SOURCE, BUILD, DIST, VERSION = sys.argv[1:5]
FOLDER = "sweepane-" + VERSION
ZIP = os.path.join(DIST, FOLDER + ".zip")
BUNDLE_FOLDER = "sweepane-tests-" + VERSION
BUNDLE = os.path.join(DIST, BUNDLE_FOLDER + ".zip")
TOOLS = os.path.join(SOURCE, "tools")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def run_tool(name, *args, env=None):
    return subprocess.run([sys.executable, os.path.join(TOOLS, name), *args],
                          capture_output=True, text=True, env=env)


class Zip(unittest.TestCase):
    def setUp(self):
        self.assertTrue(os.path.exists(ZIP), "no %s: run make dist" % ZIP)
        self.assertTrue(os.path.exists(BUNDLE), "no %s: run make test-bundle" % BUNDLE)
        self.zip = zipfile.ZipFile(ZIP)
        self.bundle = zipfile.ZipFile(BUNDLE)
        self.addCleanup(self.zip.close)
        self.addCleanup(self.bundle.close)

    def test_holds_the_built_program_and_readme(self):
        self.assertEqual(self.zip.namelist(), [FOLDER + "/" + n for n in ("sweepane.exe", "readme.txt", "LICENSE.txt")])
        self.assertIsNone(self.zip.testzip(), "CRC")
        for name in ("sweepane.exe", "readme.txt", "LICENSE.txt"):
            self.assertEqual(self.zip.read(FOLDER + "/" + name), read(os.path.join(BUILD, name)),
                             "%s differs from the build's; run make dist again" % name)

    def test_bundle_holds_the_release_and_a_windows_batch_file(self):
        names = self.bundle.namelist()
        self.assertEqual(names[:5], [BUNDLE_FOLDER + "/" + n for n in
                                     ("sweepane.exe", "readme.txt", "LICENSE.txt", "NOTICES.txt", "run-tests.cmd")])
        self.assertTrue(all(n.startswith(BUNDLE_FOLDER + "/tests/") for n in names[5:]), names)
        programs = sorted(f[:-4] for f in os.listdir(os.path.join(SOURCE, "tests")) if f.endswith("_test.cpp"))
        self.assertEqual(sorted(n for n in names if n.endswith("_test.exe")),
                         [BUNDLE_FOLDER + "/tests/%s.exe" % p for p in programs], "every test program")
        for name in ("sweepane.exe", "readme.txt", "LICENSE.txt"):
            self.assertEqual(self.bundle.read(BUNDLE_FOLDER + "/" + name),
                             self.zip.read(FOLDER + "/" + name), name + " as released")
        for name in ("run-tests.cmd", "LICENSE.txt", "NOTICES.txt"):  # for cmd and Notepad
            text = self.bundle.read(BUNDLE_FOLDER + "/" + name)
            self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), name + " has CRLF line ends")

    def test_entries_carry_nothing_of_the_builder(self):
        infos = self.zip.infolist() + self.bundle.infolist()
        for i in infos:
            with self.subTest(i.filename):
                self.assertEqual(i.date_time, infos[0].date_time, "one time for all, in both zips")
                self.assertEqual(i.compress_type, zipfile.ZIP_STORED, "stored, as README says")
                self.assertEqual(i.external_attr >> 16, 0o100644, "mode")
                self.assertEqual(i.create_system, 3)
                self.assertEqual(i.extra, b"", "extra fields (times, uid, gid)")
                self.assertEqual(i.flag_bits, 0, "UTF-8 name or data descriptor")
                self.assertTrue(i.filename.isascii())
        self.assertEqual(self.zip.comment, b"")


class Sums(unittest.TestCase):
    def test_sha256sum_checks_the_zip(self):
        digest = hashlib.sha256(read(ZIP)).hexdigest()
        self.assertEqual(read(os.path.join(DIST, "SHA256SUMS")),
                         ("%s  %s.zip\n" % (digest, FOLDER)).encode())
        check = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=DIST,
                               capture_output=True, text=True)
        self.assertEqual(check.returncode, 0, check.stdout + check.stderr)


class Readme(unittest.TestCase):
    def test_the_built_readme_is_the_source_text(self):
        with open(os.path.join(SOURCE, "doc", "readme.txt"), encoding="utf-8") as f:
            source = f.read()
        built = read(os.path.join(BUILD, "readme.txt"))
        self.assertEqual(built, b"\xef\xbb\xbf" + source.replace("\n", "\r\n").encode())

    def test_conversion(self):
        bom = b"\xef\xbb\xbf" + "概要\r\nｷｬﾝｾﾙ 〜 ①\r\n".encode()
        cases = [
            # --bom or not, source bytes, expected output or the error's words
            (True, "概要\nｷｬﾝｾﾙ 〜 ①\n".encode(), bom),
            (True, "概要\r\nｷｬﾝｾﾙ 〜 ①\r\n".encode(), bom),          # a Windows checkout
            (True, "\ufeff概要\nｷｬﾝｾﾙ 〜 ①\n".encode(), bom),        # an editor's BOM, not two
            (True, b"ok \xff\n", "can't decode byte 0xff"),
            (False, b"MIT\nok\n", b"MIT\r\nok\r\n"),
            (False, b"\xef\xbb\xbfMIT\nok\n", b"MIT\r\nok\r\n"),      # no mark where none goes
            (False, "MIT\n(c) ©\n".encode(), "line 2, column 5: U+00A9"),
        ]
        with tempfile.TemporaryDirectory() as tmp:
            src, out = os.path.join(tmp, "src.txt"), os.path.join(tmp, "out.txt")
            for with_bom, data, expected in cases:
                with self.subTest(data):
                    if os.path.exists(out):
                        os.remove(out)
                    with open(src, "wb") as f:
                        f.write(data)
                    r = run_tool("to-windows-text.py", *(["--bom"] if with_bom else []), src, out)
                    if isinstance(expected, bytes):
                        self.assertEqual(r.returncode, 0, r.stderr)
                        self.assertEqual(read(out), expected)
                    else:
                        self.assertNotEqual(r.returncode, 0)
                        self.assertIn(expected, r.stderr)
                        self.assertFalse(os.path.exists(out), "output written anyway")


class EntryTimes(unittest.TestCase):
    """Zip times have no zone; Windows shows them as local time, so they
    are written as a clock in Japan reads the release time."""

    def test_release_time_in_japan(self):
        cases = [
            ((2026, 12, 7, 3, 0, 0), (2026, 12, 7, 12, 0, 0)),
            ((2026, 12, 31, 15, 30, 8), (2027, 1, 1, 0, 30, 8)),
            ((1970, 1, 1, 0, 0, 0), (1980, 1, 1, 0, 0, 0)),   # before zip time begins
        ]
        with tempfile.TemporaryDirectory() as tmp:
            payload = os.path.join(tmp, "a.txt")
            with open(payload, "wb") as f:
                f.write(b"x")
            for utc, japan in cases:
                with self.subTest(utc):
                    env = dict(os.environ, SOURCE_DATE_EPOCH=str(calendar.timegm(utc)), TZ="UTC")
                    r = run_tool("mkdist.py", "--name", "t", "--version", "1", "--source-dir",
                                 tmp, "--out", tmp, payload, env=env)
                    self.assertEqual(r.returncode, 0, r.stderr)
                    with zipfile.ZipFile(os.path.join(tmp, "t-1.zip")) as z:
                        self.assertEqual(z.infolist()[0].date_time, japan)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])

"""Finding the library, and the python3 -m chatsieve command."""

import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path
from unittest import mock

from chatsieve import LibraryNotFound, load_library


class LibraryTest(unittest.TestCase):
    def test_says_what_it_looked_for(self):
        cases = [
            ({"CHATSIEVE_LIBRARY": "/nowhere/libchatsieve.so"}, None, "/nowhere/libchatsieve.so"),
            ({}, "/nowhere/else.so", "/nowhere/else.so"),
            ({}, "libc.so.6", "has no chatsieve_filter_new"),
        ]
        for environment, path, reason in cases:
            with self.subTest(reason=reason), mock.patch.dict(os.environ, environment):
                with self.assertRaises(LibraryNotFound) as raised:
                    load_library(path)
                self.assertIn(reason, str(raised.exception))


class CommandTest(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        self.words = Path(directory.name) / "words.txt"
        self.words.write_text("bad\n씨발\n", encoding="utf-8")

    def run_command(self, *arguments, stdin=""):
        return subprocess.run(
            [sys.executable, "-m", "chatsieve", *arguments],
            input=stdin,
            capture_output=True,
            text=True,
            encoding="utf-8",
        )

    def test_check_and_mask(self):
        cases = [
            (["check", "--list", str(self.words), "fine"], "", 0, "clean\tfine\n"),
            (["check", "--list", str(self.words)], "ok\n씨발아\n", 1, "clean\tok\nlisted\t씨발아\n"),
            (
                ["mask", "--list", str(self.words), "--options", "separators", "b.a.d"],
                "",
                0,
                "*.*.*\n",
            ),
            (
                ["mask", "--list", str(self.words), "--char", "#", "--keep-first", "씨발"],
                "",
                0,
                "씨#\n",
            ),
        ]
        for arguments, stdin, status, output in cases:
            with self.subTest(arguments=arguments):
                result = self.run_command(*arguments, stdin=stdin)
                self.assertEqual(
                    (result.returncode, result.stdout), (status, output), result.stderr
                )

    def test_policy_and_load_notes(self):
        self.words.write_text("bad\t\t1\nBAD\nworse\tslur\t3\n", encoding="utf-8")
        policy = ["--min-severity", "2", "--categories", "slur"]
        result = self.run_command("check", "--list", str(self.words), *policy, "bad", "worse")
        self.assertEqual((result.returncode, result.stdout), (1, "clean\tbad\nlisted\tworse\n"))
        self.assertIn("chatsieve: " + str(self.words) + ":2: the same word as", result.stderr)

    def test_errors_exit_2_with_the_reason(self):
        cases = [
            (["check", "--list", "/nowhere.txt", "x"], "/nowhere.txt: cannot open"),
            (
                ["check", "--list", str(self.words), "--options", "loud", "x"],
                "unknown option 'loud'",
            ),
        ]
        for arguments, reason in cases:
            with self.subTest(arguments=arguments):
                result = self.run_command(*arguments)
                self.assertEqual(result.returncode, 2)
                self.assertIn(reason, result.stderr)


if __name__ == "__main__":
    unittest.main()

"""Screening through the Python package: positions, masking, loading, threads."""

import sys
import tempfile
import threading
import time
import unittest
import warnings
from pathlib import Path

from chatsieve import ChatsieveError, Filter, LoadError, LoadWarning, Match, Option

WORDS = ["씨발", "bad", "나쁜말"]


class ScreeningTest(unittest.TestCase):
    def setUp(self):
        self.filter = Filter(WORDS, options=Option.SEPARATORS, allowed=["badge"])

    def test_find_reports_string_indices_and_the_listed_word(self):
        cases = [
            ("clean text", []),
            ("a b.a.d day", [(2, 7, "bad")]),
            ("너 씨.발", [(2, 5, "씨발")]),
            ("😀씨발😀 BAD", [(1, 3, "씨발"), (5, 8, "bad")]),  # astral: one index each
            ("\udcff나쁜말", [(1, 4, "나쁜말")]),  # a lone surrogate is one index
            ("badge", []),  # covered by an allowed word
        ]
        for text, expected in cases:
            with self.subTest(text=text):
                self.assertEqual(self.filter.find(text), [Match(*m) for m in expected])
                self.assertEqual(self.filter.check(text), bool(expected))

    def test_find_returns_every_match_of_a_long_text(self):
        text = "씨발 " * 100
        matches = self.filter.find(text)
        self.assertEqual(len(matches), 100)
        self.assertEqual(matches[-1], Match(297, 299, "씨발"))

    def test_mask_replaces_each_character_once(self):
        cases = [
            ("a b.a.d day", "*", False, "a *.*.* day"),
            ("씨발 렉", "*", False, "** 렉"),
            ("bad bad", "●", False, "●●● ●●●"),  # the result is longer than the text
            ("😀씨발\udcff", "#", True, "😀씨#\udcff"),
            ("clean", "*", False, "clean"),
            ("", "*", False, ""),
        ]
        for text, char, keep_first, expected in cases:
            with self.subTest(text=text, char=char):
                self.assertEqual(self.filter.mask(text, char, keep_first=keep_first), expected)

    def test_rejects_what_the_library_cannot_take(self):
        cases = [
            (lambda: self.filter.mask("bad", "**"), ValueError),
            (lambda: self.filter.mask("bad", "\ud800"), ValueError),
            (lambda: self.filter.check(b"bad"), TypeError),
            (lambda: Filter(["a\nb"]), ValueError),
            (lambda: Filter(["#tag"]), ValueError),
            (lambda: Filter("bad"), TypeError),
            (lambda: Filter(options=1 << 30), ValueError),
        ]
        for call, error in cases:
            with self.subTest(error=error):
                self.assertRaises(error, call)


class LoadingTest(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        self.directory = Path(directory.name)

    def write(self, name, data):
        path = self.directory / name
        path.write_bytes(data)
        return path

    def test_loads_files_and_replaces_words(self):
        screen = Filter(path=self.write("words.txt", "# list\n\nbad\r\n씨발\n".encode()))
        self.assertEqual(screen.words(), ["bad", "씨발"])
        screen.reload(words=["나쁜말"])
        self.assertEqual(screen.find("bad 나쁜말"), [Match(4, 7, "나쁜말")])
        screen.reload(self.write("allowed.txt", "나쁜말이다\n".encode()), allowed=True)
        self.assertFalse(screen.check("나쁜말이다"))

    def test_a_failed_load_carries_the_reason_and_keeps_the_words(self):
        screen = Filter(["bad"])
        cases = [
            (self.directory / "missing.txt", -3, "missing.txt"),
            (self.write("broken.txt", b"ok\n\xff\xfe\n"), -4, "broken.txt:2"),
        ]
        for path, code, reason in cases:
            with self.subTest(path=path.name):
                with self.assertRaises(LoadError) as raised:
                    screen.reload(path)
                self.assertEqual(raised.exception.code, code)
                self.assertIn(reason, str(raised.exception))
                self.assertIsInstance(raised.exception, ChatsieveError)
                self.assertTrue(screen.check("bad"))


class PolicyTest(unittest.TestCase):
    WORDS = ["bad\tslur\t3\tstart", "ass\t\t1\tstart", "년\tinsult\t2\twhole", "darn"]

    def test_find_carries_what_the_list_says(self):
        screen = Filter(self.WORDS)
        self.assertEqual(
            screen.find("이 년아 bad 😀ass class 작년"),
            [
                Match(2, 3, "년", "insult", 2),
                Match(5, 8, "bad", "slur", 3),
                Match(10, 13, "ass", "", 1),
            ],
        )

    def test_policies_choose_the_words_that_count(self):
        text = "bad ass darn"
        cases = [
            ({}, ["bad", "ass", "darn"]),
            ({"min_severity": 2}, ["bad", "darn"]),
            ({"min_severity": 3}, ["bad"]),
            ({"categories": ["slur", "insult"]}, ["bad"]),
            ({"categories": "insult,family"}, []),
            ({"min_severity": 1, "categories": ()}, ["bad", "ass", "darn"]),
        ]
        changed = Filter(self.WORDS)
        for policy, words in cases:
            with self.subTest(policy=policy):
                made = Filter(self.WORDS, **policy)
                changed.set_policy(**{"min_severity": 1, "categories": (), **policy})
                changed.reload(words=self.WORDS)  # the policy holds through loads
                for screen in (made, changed):
                    self.assertEqual([m.word for m in screen.find(text)], words)
                    self.assertEqual(screen.check(text), bool(words))
        self.assertEqual((changed.min_severity, changed.categories), (1, ()))

    def test_refuses_values_out_of_range_and_changes_nothing(self):
        screen = Filter(self.WORDS, min_severity=2, categories=["slur"])
        cases = [
            {"min_severity": 0},
            {"min_severity": 4},
            {"min_severity": True},
            {"min_severity": "2"},
            {"categories": ["a b"]},
            {"categories": "slur,,insult"},
            {"categories": ["slur,insult"]},
            {"min_severity": 3, "categories": ["é"]},
        ]
        for policy in cases:
            with self.subTest(policy=policy):
                self.assertRaises(ValueError, screen.set_policy, **policy)
                self.assertEqual((screen.min_severity, screen.categories), (2, ("slur",)))
                self.assertEqual([m.word for m in screen.find("bad ass")], ["bad"])

    def test_a_load_that_leaves_out_entries_warns_its_caller(self):
        cases = [
            (lambda: Filter(["bad", "BAD"]), r"<text>:2: the same word as <text>:1"),
            (lambda: Filter(["b.."], options=Option.SEPARATORS), r"<text>:1: .* one character"),
            (lambda: Filter().reload(words=["ok", "x", "OK"]), r"<text>:3: the same word as"),
        ]
        for load, note in cases:
            with self.subTest(note=note):
                with self.assertWarnsRegex(LoadWarning, note) as warned:
                    load()
                self.assertEqual(warned.filename, __file__)
        with warnings.catch_warnings():
            warnings.simplefilter("error")
            Filter(["bad"]).reload(words=["worse"])


class ThreadsTest(unittest.TestCase):
    def test_screening_while_reloading_sees_whole_word_lists(self):
        lists = [["bad", "worse"], ["씨발", "나쁜말"]]
        screen = Filter(lists[0])
        text = "a bad 씨발 worse 나쁜말 z"
        expected = [
            [Match(2, 5, "bad"), Match(9, 14, "worse")],
            [Match(6, 8, "씨발"), Match(15, 18, "나쁜말")],
        ]
        stop = threading.Event()
        seen = []

        def screen_until_stopped():
            while not stop.is_set():
                found = screen.find(text)
                if found not in expected or screen.mask(text).count("*") not in (8, 5):
                    seen.append(found)

        threads = [threading.Thread(target=screen_until_stopped) for _ in range(3)]
        for thread in threads:
            thread.start()
        for round_ in range(300):
            screen.reload(words=lists[round_ % 2])
        stop.set()
        for thread in threads:
            thread.join()
        self.assertEqual(seen, [])

    def test_other_threads_run_while_the_library_screens(self):
        screen = Filter(["씨발"])
        text = "clean chat " * 2_000_000  # ASCII encodes at once; the C call scans it all
        stamps = []
        done = threading.Event()

        def tick():
            while not done.is_set():
                stamps.append(time.perf_counter())

        ticker = threading.Thread(target=tick)
        switch_interval = sys.getswitchinterval()
        sys.setswitchinterval(0.0005)  # short hand-overs around the call
        self.addCleanup(sys.setswitchinterval, switch_interval)
        ticker.start()
        start = time.perf_counter()
        self.assertFalse(screen.check(text))
        end = time.perf_counter()
        done.set()
        ticker.join()
        # The middle half of that time is the C call alone: the GIL must be free then.
        quarter = (end - start) / 4
        self.assertTrue(any(start + quarter < stamp < end - quarter for stamp in stamps))


if __name__ == "__main__":
    unittest.main()


class KoreanTest(unittest.TestCase):
    def test_a_ready_korean_filter_reads_disguises_under_the_general_chat_policy(self):
        screen = Filter.korean()
        self.assertEqual(screen.min_severity, 2)
        self.assertTrue(screen.check("야 ㅅ1ㅂ 뭐하냐"))
        self.assertFalse(screen.check("시발점에서 만나"))  # an allowed word
        self.assertFalse(screen.check("존나 맛있다"))  # mild: severity 1
        [match] = screen.find("병.신아")
        self.assertEqual((match.category, match.severity), ("insult", 2))
        with self.assertRaises(LoadError):
            screen.reload_builtin("xx")
        self.assertTrue(screen.check("병신"))

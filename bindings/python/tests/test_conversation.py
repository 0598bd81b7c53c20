"""Conversations through the Python package: pieces, positions, limits, repeats, reloads."""

import gc
import threading
import unittest

from chatsieve import ConversationMatch, ConversationPart, Filter, Option

WORDS = ["시발", "개새끼"]


def last_find(conversation, messages, times=None):
    times = times or [None] * len(messages)
    for message, time in zip(messages[:-1], times[:-1]):
        conversation.check(message, time)
    return conversation.find(messages[-1], times[-1])


class ConversationTest(unittest.TestCase):
    def setUp(self):
        self.filter = Filter(WORDS, options=Option.SPACES | Option.SEPARATORS)

    def test_finds_words_sent_in_pieces_with_their_parts(self):
        cases = [
            (["시", "발"], [(0, 1, "시발", ((1, 0, 1), (0, 0, 1)))]),
            (["개", "새", "끼"], [(0, 1, "개새끼", ((2, 0, 1), (1, 0, 1), (0, 0, 1)))]),
            # Indices into each message's str, astral characters one each.
            (["😀 시", "발😀"], [(0, 1, "시발", ((1, 2, 3), (0, 0, 1)))]),
            (["😀", "시", "😀 시발"], [(2, 4, "시발", ((0, 2, 4),))]),
            (["몇 시", "발표 시작"], []),  # as 몇 시 발표 시작 reads
            (["시발", "안녕"], []),  # a word in an earlier message is not reported again
        ]
        for messages, expected in cases:
            with self.subTest(messages=messages):
                found = last_find(self.filter.conversation(), messages)
                self.assertEqual(
                    found,
                    [
                        ConversationMatch(s, e, w, "", 2, tuple(ConversationPart(*p) for p in ps))
                        for s, e, w, ps in expected
                    ],
                )
                checked = self.filter.conversation()
                self.assertEqual([checked.check(m) for m in messages][-1], bool(expected))

    def test_check_and_mask_screen_the_new_message_with_the_earlier_ones(self):
        talk = self.filter.conversation()
        self.assertEqual([talk.check(m) for m in ("시", "발", "안녕")], [False, True, False])
        talk = self.filter.conversation()
        shown = [talk.mask(m, "●", time=None) for m in ("😀 개", "새", "끼!", "끼")]
        self.assertEqual(shown, ["😀 개", "새", "●!", "끼"])

    def test_limits_bound_what_is_remembered(self):
        cases = [
            ({"messages": 1}, ["개", "새", "끼"], None, False),
            ({"messages": 2}, ["개", "새", "끼"], None, True),
            ({"characters": 1}, ["시", "발"], None, True),
            ({"characters": 3}, ["개 새", "끼"], None, True),
            ({"characters": 2}, ["개 새", "끼"], None, False),
            ({"window": 10}, ["시", "발"], [100.0, 109.5], True),
            ({"window": 10}, ["시", "발"], [100.0, 110.5], False),
        ]
        for limits, messages, times, listed in cases:
            with self.subTest(limits=limits, messages=messages):
                found = last_find(self.filter.conversation(**limits), messages, times)
                self.assertEqual(bool(found), listed)

    def test_refuses_limits_and_times_out_of_range(self):
        cases = [
            (lambda: self.filter.conversation(messages=0), ValueError),
            (lambda: self.filter.conversation(messages=8), ValueError),
            (lambda: self.filter.conversation(characters=1025), ValueError),
            (lambda: self.filter.conversation(characters=True), ValueError),
            (lambda: self.filter.conversation(window=0), ValueError),
            (lambda: self.filter.conversation(window=float("inf")), ValueError),
            (lambda: self.filter.conversation(window=10).check("시"), TypeError),
            (lambda: self.filter.conversation().check("시", time="now"), TypeError),
            (lambda: self.filter.conversation().check("시", time=2.0**60), ValueError),
        ]
        for call, error in cases:
            with self.subTest(error=error):
                self.assertRaises(error, call)

    def test_repeats_after_the_filters_reading_and_forget(self):
        talk = Filter(WORDS, options=Option.KOREAN).conversation()
        repeats = []
        for message in ("도배", "도배", "ㅋㅋㅋ", "ㅋㅋㅋㅋ", "도배"):
            talk.check(message)
            repeats.append(talk.repeats)
        self.assertEqual(repeats, [0, 1, 0, 0, 1])
        self.assertGreater(talk.memory, 0)
        talk.check("시")
        talk.forget()
        self.assertFalse(talk.check("발"))
        self.assertEqual(talk.repeats, 0)

    def test_screens_with_the_words_in_force_and_keeps_its_filter(self):
        talk = Filter(["시발"], options=Option.SPACES).conversation()
        gc.collect()  # the conversation holds its filter
        self.assertEqual([talk.check(m) for m in ("시", "발")], [False, True])
        screen = Filter(["시발"], options=Option.SPACES)
        talk = screen.conversation()
        cases = [(["bad", "시발"], ["시발"]), (["bad"], [])]
        for words, found in cases:
            with self.subTest(words=words):
                talk.check("시")
                screen.reload(words=words)
                self.assertEqual([m.word for m in talk.find("발")], found)

    def test_names_the_words_a_find_saw_while_another_thread_reloads(self):
        lists = [["시발", "bad"], ["bad", "worse", "시발"]]
        screen = Filter(lists[0], options=Option.SPACES)

        def reload_in_turns():
            for round_ in range(5000):
                screen.reload(words=lists[round_ % 2])

        reloader = threading.Thread(target=reload_in_turns)
        talk = screen.conversation()
        seen = set()
        reloader.start()
        while reloader.is_alive():
            talk.check("시")
            seen.update(m.word for m in talk.find("발"))
        reloader.join()
        self.assertEqual(seen, {"시발"})


if __name__ == "__main__":
    unittest.main()

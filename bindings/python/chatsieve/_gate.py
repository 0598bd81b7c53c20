"""A gate between loads and the calls that resolve word indices after screening with the
live filter: such calls run together, and a load waits for them and keeps new ones out
while it changes the words, so that the indices a call got name the words it saw."""

from __future__ import annotations

import threading


class WordsGate:
    __slots__ = ("_condition", "_readers", "_loading")

    def __init__(self) -> None:
        self._condition = threading.Condition(threading.Lock())
        self._readers = 0
        self._loading = False

    def enter_reading(self) -> None:
        with self._condition:
            while self._loading:
                self._condition.wait()
            self._readers += 1

    def leave_reading(self) -> None:
        with self._condition:
            self._readers -= 1
            if not self._readers:
                self._condition.notify_all()

    def enter_loading(self) -> None:
        """For one load at a time: the caller holds the filter's load lock."""
        with self._condition:
            self._loading = True  # new readers wait from now on, so the load is not starved
            while self._readers:
                self._condition.wait()

    def leave_loading(self) -> None:
        with self._condition:
            self._loading = False
            self._condition.notify_all()

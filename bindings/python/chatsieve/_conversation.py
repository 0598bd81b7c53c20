"""One speaker's conversation with a filter, through the library's UTF-8 interface."""

from __future__ import annotations

import collections
import ctypes
import math
import threading
import weakref
from typing import NamedTuple

from ._filter import Filter, _code_points_at, _encode, _Handle, mask_code, masked
from ._library import (
    CONVERSATION_MAX_CHARACTERS,
    CONVERSATION_MAX_MESSAGES,
    E_SPACE,
    ConversationMatchRecord,
    ConversationOptionsRecord,
)

_CONTINUATION_BYTES = bytes(range(0x80, 0xC0))
# Times stay where the library's differences of two of them cannot overflow.
_LARGEST_TIME_MS = 2**53 - 1


class ConversationPart(NamedTuple):
    """A message a word spans: `message` counts back from the new one (0 is the new one,
    1 the one before), and `start`, `end` are indices into that message's str."""

    message: int
    start: int
    end: int


class ConversationMatch(NamedTuple):
    """A word that ends in the new message: `text[start:end]` is its part in the new
    message (start 0 when it began in an earlier one), with the word as listed, its
    category and severity, and `parts`, every message it spans, earliest first and the new
    one last."""

    start: int
    end: int
    word: str
    category: str
    severity: int
    parts: tuple[ConversationPart, ...]


class _Sent(NamedTuple):
    """What a message's parts need of it: its length in indices, and the bytes of its
    UTF-8 end that the library may still remember."""

    length: int
    byte_length: int
    tail: bytes

    def span_from(self, begin: int) -> tuple[int, int]:
        """The str indices from byte `begin`, which lies in the remembered end, to the end:
        a part in an earlier message runs to its end."""
        after = self.tail[len(self.tail) - (self.byte_length - begin) :]
        return self.length - len(after.translate(None, _CONTINUATION_BYTES)), self.length


def _limit(name: str, value: int, largest: int) -> int:
    if not isinstance(value, int) or isinstance(value, bool) or not 1 <= value <= largest:
        raise ValueError(f"{name} must be an int from 1 to {largest}, not {value!r}")
    return value


def _milliseconds(name: str, seconds: float) -> int:
    if isinstance(seconds, bool) or not isinstance(seconds, int | float):
        raise TypeError(f"{name} must be a number of seconds, not {type(seconds).__name__}")
    if not math.isfinite(seconds) or abs(seconds * 1000) > _LARGEST_TIME_MS:
        raise ValueError(f"{name} must be a finite number of seconds within ±2**53 ms")
    return round(seconds * 1000)


def _free(library: ctypes.CDLL, pointer: int, filter_handle: _Handle) -> None:
    # The filter handle is an argument so that the filter outlives the conversation.
    library.chatsieve_conversation_free(pointer)


class Conversation:
    """One speaker's messages screened as they come, so that a word sent in pieces (시
    then 발) is found in the message that completes it. Made by Filter.conversation().

    It remembers the ends of the last `messages` messages (1 to 7), at most `characters`
    code points of them (1 to 1024), and, with a `window` in seconds, forgets messages
    sent that long before the new one; each message is then screened joined to them as
    one text with a space between each, with the filter's words and policy in force at
    the call. Only the words that end in the new message are reported. With a window,
    every call takes the message's `time` in seconds on any clock of the host's (e.g.
    time.monotonic()). One thread at a time uses a conversation: others wait for it.
    The conversation keeps its filter alive, and is freed when it is collected.
    """

    def __init__(
        self,
        filter: Filter,
        *,
        messages: int = 3,
        characters: int = 12,
        window: float | None = None,
    ) -> None:
        if not isinstance(filter, Filter):
            raise TypeError(f"filter must be a chatsieve.Filter, not {type(filter).__name__}")
        window_ms = 0 if window is None else _milliseconds("window", window)
        if window is not None and window_ms < 1:
            raise ValueError(f"window must be at least a millisecond, not {window!r}")
        self._filter = filter
        self._library = library = filter._library
        options = ConversationOptionsRecord(
            ctypes.sizeof(ConversationOptionsRecord),
            _limit("messages", messages, CONVERSATION_MAX_MESSAGES),
            _limit("characters", characters, CONVERSATION_MAX_CHARACTERS),
            window_ms,
        )
        self._pointer = library.chatsieve_conversation_new(filter._live.pointer, options)
        if not self._pointer:
            raise MemoryError("chatsieve: out of memory making a conversation")
        self.messages, self.characters, self.window = messages, characters, window
        # A remembered code point takes at most 4 bytes.
        self._tail_bytes = 4 * characters
        # The new message first, then those before it, as parts count them.
        self._sent: collections.deque[_Sent] = collections.deque(maxlen=messages + 1)
        self._lock = threading.Lock()
        self._records = (ConversationMatchRecord * 4)()
        self._count = ctypes.c_size_t()
        weakref.finalize(self, _free, library, self._pointer, filter._live)

    def check(self, text: str, time: float | None = None) -> bool:
        """Whether `text` completes or holds a word; remembers it."""
        data = _encode(text)
        time_ms = self._time_ms(time)
        with self._lock:
            result = self._library.chatsieve_conversation_check(
                self._pointer, data, len(data), time_ms
            )
            return self._remembered(text, data, result) == 1

    def find(self, text: str, time: float | None = None) -> list[ConversationMatch]:
        """Every word that ends in `text`, begun in it or in an earlier message, ordered by
        start, then end, then word; remembers it."""
        data = _encode(text)
        time_ms = self._time_ms(time)
        call = self._library.chatsieve_conversation_find
        with self._lock, self._filter._words_in_force() as pinned:
            records, count = self._records, self._count
            result = call(self._pointer, data, len(data), time_ms, records, len(records), count)
            if result == E_SPACE:  # a failed call remembers nothing: make it again
                records = self._records = (ConversationMatchRecord * count.value)()
                result = call(self._pointer, data, len(data), time_ms, records, len(records), count)
            if self._remembered(text, data, result) == 0:
                return []
            return self._matches(data, records[: count.value], pinned)

    def mask(
        self, text: str, char: str = "*", *, keep_first: bool = False, time: float | None = None
    ) -> str:
        """`text` with its part of every word found masked, as Filter.mask masks; the
        earlier messages were delivered already, and find() says which took part."""
        data = _encode(text)
        time_ms = self._time_ms(time)
        code = mask_code(char, keep_first)
        pointer, library = self._pointer, self._library
        outcome = 0

        def call(mask: int, out: ctypes.Array[ctypes.c_char], length_out: object) -> int:
            nonlocal outcome
            outcome = library.chatsieve_conversation_mask(
                pointer, data, len(data), time_ms, mask, out, len(out), length_out
            )
            return outcome

        with self._lock:
            shown = masked(text, data, code, call, self._fail)
            self._remembered(text, data, outcome)
            return shown

    @property
    def repeats(self) -> int:
        """How many of the remembered messages before it the last message repeats, read as
        the filter reads text but with drawn-out characters left long (ㅋㅋㅋ does not
        repeat ㅋㅋㅋㅋ; 도배 repeats 도배)."""
        return int(self._library.chatsieve_conversation_repeats(self._pointer))

    @property
    def memory(self) -> int:
        """The bytes the library holds for this conversation, remembered text included."""
        return int(self._library.chatsieve_conversation_memory(self._pointer))

    def forget(self) -> None:
        """Forgets every message, as if the conversation were new."""
        with self._lock:
            self._library.chatsieve_conversation_forget(self._pointer)
            self._sent.clear()

    def __repr__(self) -> str:
        return (
            f"<chatsieve.Conversation: messages={self.messages}, characters={self.characters},"
            f" window={self.window!r}>"
        )

    def _time_ms(self, time: float | None) -> int:
        if time is not None:
            return _milliseconds("time", time)
        if self.window is not None:
            # Without times every message would look just sent, and the window never close.
            raise TypeError("a conversation with a window needs the time of each message")
        return 0

    def _remembered(self, text: str, data: bytes, result: int) -> int:
        """Raises for a failed call; else notes the message the library now remembers."""
        if result < 0:
            self._fail(result)
        self._sent.appendleft(_Sent(len(text), len(data), data[-self._tail_bytes :]))
        return result

    def _matches(
        self, data: bytes, found: list[ConversationMatchRecord], pinned: _Handle
    ) -> list[ConversationMatch]:
        index = None
        if self._sent[0].length != len(data):  # not ASCII: bytes are not characters
            offsets = [o for r in found for o in (r.details.match.begin, r.details.match.end)]
            index = _code_points_at(data, offsets)
        matches = []
        for record in found:
            details = record.details
            start, end = details.match.begin, details.match.end
            if index is not None:
                start, end = index[start], index[end]
            parts = [
                ConversationPart(part.message, *self._sent[part.message].span_from(part.begin))
                for part in record.parts[: record.part_count - 1]
            ]
            parts.append(ConversationPart(0, start, end))
            word = self._filter._word(pinned, details.match.word)
            category = Filter._category(pinned, details)
            matches.append(
                ConversationMatch(start, end, word, category, details.severity, tuple(parts))
            )
        return matches

    def _fail(self, result: int) -> None:
        self._filter._fail(result)

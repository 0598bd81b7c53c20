"""The Filter class: screening Python strings through the library's UTF-8 interface."""

from __future__ import annotations

import ctypes
import os
import threading
import weakref
from collections.abc import Iterable
from typing import NamedTuple

from ._errors import ChatsieveError, LoadError
from ._library import E_ARGUMENT, E_SPACE, MatchRecord, load_library
from ._options import MASK_KEEP_FIRST, Option

_MESSAGE_CAPACITY = 1024
_FIRST_FIND_CAPACITY = 16
_CONTINUATION_BYTES = bytes(range(0x80, 0xC0))

Path = str | os.PathLike[str]


class Match(NamedTuple):
    """One occurrence of a listed word: `text[start:end]`, and the word as listed."""

    start: int
    end: int
    word: str


def _encode(text: str) -> bytes:
    if not isinstance(text, str):
        raise TypeError(f"text must be str, not {type(text).__name__}")
    # Lone surrogates become invalid UTF-8, which the library never matches and copies
    # through, so they come back unchanged.
    return text.encode("utf-8", "surrogatepass")


def _word_list_text(words: Iterable[str]) -> bytes:
    if isinstance(words, str):
        raise TypeError("words must be an iterable of words, not one str")
    lines = []
    for word in words:
        if not isinstance(word, str):
            raise TypeError(f"words must be str, not {type(word).__name__}")
        if not word.strip() or "\n" in word or "\r" in word or word.startswith("#"):
            raise ValueError(
                f"{word!r} cannot be a listed word: empty, a line break or a leading #"
            )
        lines.append(word)
    return "\n".join(lines).encode("utf-8")


def _code_points_at(data: bytes, offsets: Iterable[int]) -> dict[int, int]:
    """The code point index of each UTF-8 byte offset of `data`."""
    # Every code point of an encoded str has exactly one byte that is not a
    # continuation byte.
    indices = {}
    byte = point = 0
    for offset in sorted(set(offsets)):
        point += len(data[byte:offset].translate(None, _CONTINUATION_BYTES))
        byte = offset
        indices[offset] = point
    return indices


class _Scratch(threading.local):
    """Result buffers reused by each thread's calls, so that screening a line allocates
    little."""

    def __init__(self) -> None:
        self.records = (MatchRecord * _FIRST_FIND_CAPACITY)()
        self.count = ctypes.c_size_t()
        self.count_out = ctypes.byref(self.count)
        self.out = ctypes.create_string_buffer(256)
        self.length = ctypes.c_size_t()
        self.length_out = ctypes.byref(self.length)


_scratch = _Scratch()


class _Handle:
    """One C filter, freed when the last reference to it goes."""

    __slots__ = ("pointer", "words", "__weakref__")

    def __init__(self, library: ctypes.CDLL, pointer: int | None) -> None:
        if not pointer:
            raise MemoryError("chatsieve: out of memory making a filter")
        self.pointer = pointer
        # The listed words by index, filled as matches name them.
        self.words: dict[int, str] = {}
        weakref.finalize(self, library.chatsieve_filter_free, pointer)


class Filter:
    """Forbidden words, optionally allowed words, under options fixed when it is made.

    Any number of threads may screen with one filter while another reloads it: each
    call sees the old words or the new ones, never a mix. The C calls release the GIL.
    """

    def __init__(
        self,
        words: Iterable[str] | None = None,
        *,
        path: Path | None = None,
        allowed: Iterable[str] | None = None,
        allowed_path: Path | None = None,
        options: int = Option.NONE,
        library: Path | None = None,
    ) -> None:
        """Make a filter from `words` or the word-list file at `path` (neither: empty).

        Allowed words (from `allowed` or `allowed_path`) cover the occurrences of
        forbidden words that lie inside them. `options` combines `Option` flags.
        `library` names a libchatsieve.so to use instead of the installed one.
        Raises LoadError with the library's reason when a list does not load.
        """
        if words is not None and path is not None:
            raise TypeError("give words or path, not both")
        if allowed is not None and allowed_path is not None:
            raise TypeError("give allowed or allowed_path, not both")
        self._library = load_library(library)
        self.options = Option(options)
        pointer = self._library.chatsieve_filter_new(int(options))
        if not pointer:
            raise ValueError(f"the library refused options {int(options):#x}: unknown option bits")
        # Loads go into the live filter; screening uses a clone of it, so that the
        # indices find() reports resolve against the same words.
        self._live = _Handle(self._library, pointer)
        self._load_lock = threading.Lock()
        self._pinned = self._pin()
        if words is not None or path is not None:
            self.reload(path, words=words)
        if allowed is not None or allowed_path is not None:
            self.reload(allowed_path, words=allowed, allowed=True)

    def reload(
        self, path: Path | None = None, *, words: Iterable[str] | None = None, allowed: bool = False
    ) -> None:
        """Replace the forbidden words (allowed words with `allowed=True`).

        From the word-list file at `path`: a UTF-8 list, one word a line (blank lines and
        lines starting with '#' skipped), or either binary word-list file. Or from
        `words`. On failure LoadError carries the library's reason and nothing changes.
        """
        library = self._library
        message = ctypes.create_string_buffer(_MESSAGE_CAPACITY)
        with self._load_lock:
            if path is not None and words is None:
                result = library.chatsieve_filter_load(
                    self._live.pointer, os.fsencode(path), int(allowed), message, len(message)
                )
            elif words is not None and path is None:
                text = _word_list_text(words)
                result = library.chatsieve_filter_load_text(
                    self._live.pointer, text, len(text), int(allowed), message, len(message)
                )
            else:
                raise TypeError("give exactly one of path or words")
            if result < 0:
                raise LoadError(result, message.value.decode("utf-8", "replace"))
            self._pinned = self._pin()

    def check(self, text: str) -> bool:
        """Whether `text` holds a forbidden word that no allowed word covers."""
        data = _encode(text)
        pinned = self._pinned  # held for the call: a reload may free the old one
        result: int = self._library.chatsieve_check(pinned.pointer, data, len(data))
        if result < 0:
            self._fail(result)
        return result == 1

    def find(self, text: str) -> list[Match]:
        """Every occurrence of every forbidden word not covered by an allowed word.

        Overlaps included, ordered by start, then end, then word; `start` and `end` are
        indices into `text`.
        """
        data = _encode(text)
        pinned = self._pinned
        scratch = _scratch
        records = scratch.records
        find = self._library.chatsieve_find
        result = find(pinned.pointer, data, len(data), records, len(records), scratch.count_out)
        if result == E_SPACE:
            records = scratch.records = (MatchRecord * scratch.count.value)()
            result = find(pinned.pointer, data, len(data), records, len(records), scratch.count_out)
        if result < 0:
            self._fail(result)
        if result == 0:
            return []
        found = records[: scratch.count.value]
        if len(data) == len(text):  # ASCII: bytes are characters
            return [Match(r.begin, r.end, self._word(pinned, r.word)) for r in found]
        index = _code_points_at(data, [o for r in found for o in (r.begin, r.end)])
        return [Match(index[r.begin], index[r.end], self._word(pinned, r.word)) for r in found]

    def mask(self, text: str, char: str = "*", *, keep_first: bool = False) -> str:
        """`text` with every character of every occurrence replaced by `char`.

        One `char` per character. Characters skipped inside an occurrence (separators,
        and what the Korean options skip) are kept; with `keep_first` so is the first
        character of each occurrence.
        """
        if not isinstance(char, str) or len(char) != 1 or "\ud800" <= char <= "\udfff":
            raise ValueError(f"char must be one character, not {char!r}")
        mask = ord(char) | (MASK_KEEP_FIRST if keep_first else 0)
        data = _encode(text)
        pinned = self._pinned
        scratch = _scratch
        # Each masked character becomes one `char`: this is the most the result needs.
        needed = len(data) * (1 if mask < 0x80 else 4)
        out = scratch.out
        if len(out) < needed:
            out = scratch.out = ctypes.create_string_buffer(needed)
        call = self._library.chatsieve_mask
        result = call(pinned.pointer, data, len(data), mask, out, len(out), scratch.length_out)
        if result == E_SPACE:
            out = scratch.out = ctypes.create_string_buffer(scratch.length.value)
            result = call(pinned.pointer, data, len(data), mask, out, len(out), scratch.length_out)
        if result < 0:
            self._fail(result)
        if result == 0:
            return text
        masked = ctypes.string_at(out, scratch.length.value)
        return masked.decode("utf-8", "surrogatepass")

    def words(self) -> list[str]:
        """The forbidden words in force, in the order of their indices."""
        pinned = self._pinned
        return [
            self._word(pinned, index)
            for index in range(self._library.chatsieve_word_count(pinned.pointer))
        ]

    def __repr__(self) -> str:
        count = self._library.chatsieve_word_count(self._pinned.pointer)
        return f"<chatsieve.Filter: {count} words, options={self.options!r}>"

    def _pin(self) -> _Handle:
        return _Handle(self._library, self._library.chatsieve_filter_clone(self._live.pointer))

    def _word(self, pinned: _Handle, index: int) -> str:
        word = pinned.words.get(index)
        if word is None:
            length = ctypes.c_size_t()
            address = self._library.chatsieve_word(pinned.pointer, index, ctypes.byref(length))
            if not address:
                raise ChatsieveError(E_ARGUMENT, f"the library has no word {index}")
            word = ctypes.string_at(address, length.value).decode("utf-8", "surrogatepass")
            pinned.words[index] = word
        return word

    def _fail(self, result: int) -> None:
        raise ChatsieveError(result, self._library.chatsieve_strerror(result).decode())

"""The Filter class: screening Python strings through the library's UTF-8 interface."""

from __future__ import annotations

import contextlib
import ctypes
import os
import re
import threading
import warnings
import weakref
from collections.abc import Callable, Iterable, Iterator
from typing import TYPE_CHECKING, NamedTuple

from ._errors import ChatsieveError, LoadError, LoadWarning
from ._gate import WordsGate
from ._library import E_ARGUMENT, E_SPACE, MatchDetailsRecord, load_library
from ._options import MASK_KEEP_FIRST, Option

_MESSAGE_CAPACITY = 1024
_FIRST_FIND_CAPACITY = 16
_CONTINUATION_BYTES = bytes(range(0x80, 0xC0))
_CATEGORY_NAME = re.compile(r"[A-Za-z0-9_-]{1,64}")
_SEVERITIES = (1, 2, 3)

if TYPE_CHECKING:
    from ._conversation import Conversation

Path = str | os.PathLike[str]


class Match(NamedTuple):
    """One occurrence of a listed word: `text[start:end]`, the word as listed, and what the
    list says of it: its category ("" for none) and severity (1 mild, 2 offensive, 3
    severe)."""

    start: int
    end: int
    word: str
    category: str = ""
    severity: int = 2


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


def _category_names(categories: Iterable[str] | str | None) -> tuple[str, ...]:
    """The names of `categories`: an iterable of names, or one comma-separated str."""
    if categories is None:
        return ()
    names = tuple(categories.split(",")) if isinstance(categories, str) else tuple(categories)
    if names == ("",):
        return ()
    for name in names:
        if not isinstance(name, str) or not _CATEGORY_NAME.fullmatch(name):
            raise ValueError(
                f"{name!r} is not a category name: 1 to 64 ASCII letters, digits, '-' or '_'"
            )
    return names


def _checked_severity(severity: int) -> int:
    if not isinstance(severity, int) or isinstance(severity, bool) or severity not in _SEVERITIES:
        raise ValueError(f"min_severity must be 1, 2 or 3, not {severity!r}")
    return severity


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
        self.records = (MatchDetailsRecord * _FIRST_FIND_CAPACITY)()
        self.count = ctypes.c_size_t()
        self.count_out = ctypes.byref(self.count)
        self.out = ctypes.create_string_buffer(256)
        self.length = ctypes.c_size_t()
        self.length_out = ctypes.byref(self.length)


_scratch = _Scratch()


def mask_code(char: str, keep_first: bool) -> int:
    """The library's mask argument for one mask character."""
    if not isinstance(char, str) or len(char) != 1 or "\ud800" <= char <= "\udfff":
        raise ValueError(f"char must be one character, not {char!r}")
    return ord(char) | (MASK_KEEP_FIRST if keep_first else 0)


def masked(
    text: str,
    data: bytes,
    mask: int,
    call: Callable[[int, ctypes.Array[ctypes.c_char], object], int],
    fail: Callable[[int], None],
) -> str:
    """`text` (encoded as `data`) masked by `call(mask, out, length_out)`, a mask call of
    the library; made again with more room when the first is short of it."""
    scratch = _scratch
    # Each masked character becomes one mask character: this is the most the result needs.
    needed = len(data) * (1 if mask & ~MASK_KEEP_FIRST < 0x80 else 4)
    out = scratch.out
    if len(out) < needed:
        out = scratch.out = ctypes.create_string_buffer(needed)
    result = call(mask, out, scratch.length_out)
    if result == E_SPACE:
        out = scratch.out = ctypes.create_string_buffer(scratch.length.value)
        result = call(mask, out, scratch.length_out)
    if result < 0:
        fail(result)
    if result == 0:
        return text
    return ctypes.string_at(out, scratch.length.value).decode("utf-8", "surrogatepass")


class _Handle:
    """One C filter, freed when the last reference to it goes."""

    __slots__ = ("pointer", "words", "categories", "__weakref__")

    def __init__(self, library: ctypes.CDLL, pointer: int | None) -> None:
        if not pointer:
            raise MemoryError("chatsieve: out of memory making a filter")
        self.pointer = pointer
        # The listed words by index, filled as matches name them, and their categories.
        self.words: dict[int, str] = {}
        self.categories: dict[int, str] = {}
        weakref.finalize(self, library.chatsieve_filter_free, pointer)


class Filter:
    """Forbidden words, optionally allowed words, under options fixed when it is made.

    A policy chooses which forbidden words count: those of at least `min_severity` and,
    when `categories` names any, of those categories; the others are as if not listed.
    It holds through reloads. Any number of threads may screen with one filter while
    another reloads it or changes its policy: each call sees the old words and policy or
    the new ones, never a mix. The C calls release the GIL.
    """

    def __init__(
        self,
        words: Iterable[str] | None = None,
        *,
        path: Path | None = None,
        allowed: Iterable[str] | None = None,
        allowed_path: Path | None = None,
        options: int = Option.NONE,
        min_severity: int = 1,
        categories: Iterable[str] | str | None = None,
        library: Path | None = None,
    ) -> None:
        """Make a filter from `words` or the word-list file at `path` (neither: empty).

        Allowed words (from `allowed` or `allowed_path`) cover the occurrences of
        forbidden words that lie inside them. `options` combines `Option` flags.
        `min_severity` (1 to 3) and `categories` (names, or "hate,sexual"; None: every
        word) are the policy, as set_policy() sets it. `library` names a libchatsieve.so
        to use instead of the installed one. Raises LoadError with the library's reason
        when a list does not load; warns with LoadWarning when entries were left out.
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
        self._words_gate = WordsGate()
        self._min_severity = 1
        self._categories: tuple[str, ...] = ()
        self.set_policy(min_severity=min_severity, categories=categories)
        if words is not None or path is not None:
            self._warn_of(self._load(path, words, False))
        if allowed is not None or allowed_path is not None:
            self._warn_of(self._load(allowed_path, allowed, True))

    @classmethod
    def korean(cls, *, library: Path | None = None) -> Filter:
        """A ready Korean filter: the built-in Korean lexicon and its allowed words, read
        with Option.RECOMMENDED, and the general-chat policy (severity 2 and 3 count)."""
        screen = cls(options=Option.RECOMMENDED, min_severity=2, library=library)
        screen.reload_builtin("ko")
        return screen

    def reload_builtin(self, name: str) -> None:
        """Replace the forbidden and allowed words at once by a lexicon compiled into the
        library ("ko"). Raises LoadError for an unknown name, naming the known ones."""
        library = self._library
        message = ctypes.create_string_buffer(_MESSAGE_CAPACITY)
        with self._load_lock, self._loading():
            result = library.chatsieve_filter_load_builtin(
                self._live.pointer, name.encode("utf-8"), message, len(message)
            )
            note = message.value.decode("utf-8", "replace")
            if result < 0:
                raise LoadError(result, note)
            self._pinned = self._pin()
        self._warn_of(note)

    def reload(
        self, path: Path | None = None, *, words: Iterable[str] | None = None, allowed: bool = False
    ) -> None:
        """Replace the forbidden words (allowed words with `allowed=True`).

        From the word-list file at `path`: a UTF-8 list, one word a line (blank lines and
        lines starting with '#' skipped), or either binary word-list file. Or from
        `words`, each a line of such a list: a word, perhaps with its category, severity
        and where it counts after tabs ("년\\tinsult\\t2\\twhole"). On failure LoadError
        carries the library's reason and nothing changes. When the filter left out or
        merged entries, a LoadWarning names the first.
        """
        self._warn_of(self._load(path, words, allowed))

    def set_policy(
        self, *, min_severity: int | None = None, categories: Iterable[str] | str | None = None
    ) -> None:
        """Choose which forbidden words count, for every later call and reload.

        `min_severity`: 1 (every word), 2 (leave out the mild ones) or 3 (the severe ones
        alone). `categories`: names such as ("hate", "sexual"), or one comma-separated
        str; () or "" counts every word, with a category or without. An argument left
        out (None) keeps its value. Both change together: no call sees one without the
        other. Raises ValueError for a value out of range, and nothing changes then.
        """
        severity = self._min_severity if min_severity is None else _checked_severity(min_severity)
        names = self._categories if categories is None else _category_names(categories)
        library = self._library
        with self._load_lock:
            for result in (
                library.chatsieve_filter_set_min_severity(self._live.pointer, severity),
                library.chatsieve_filter_set_categories(
                    self._live.pointer, ",".join(names).encode("ascii")
                ),
            ):
                if result < 0:
                    self._fail(result)
            self._min_severity, self._categories = severity, names
            # Screening uses the pinned clone, so both changes appear at once.
            self._pinned = self._pin()

    @property
    def min_severity(self) -> int:
        """The least severity of a word that counts (1 to 3); see set_policy()."""
        return self._min_severity

    @property
    def categories(self) -> tuple[str, ...]:
        """The categories whose words count; () for every word. See set_policy()."""
        return self._categories

    def _load(self, path: Path | None, words: Iterable[str] | None, allowed: bool) -> str:
        """Loads and returns the library's note on left-out or merged entries ("" for none)."""
        library = self._library
        message = ctypes.create_string_buffer(_MESSAGE_CAPACITY)
        with self._load_lock, self._loading():
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
            note = message.value.decode("utf-8", "replace")
            if result < 0:
                raise LoadError(result, note)
            self._pinned = self._pin()
            return note

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
        indices into `text`; each match carries its word's category and severity.
        """
        data = _encode(text)
        pinned = self._pinned
        scratch = _scratch
        records = scratch.records
        find = self._library.chatsieve_find_details
        result = find(pinned.pointer, data, len(data), records, len(records), scratch.count_out)
        if result == E_SPACE:
            records = scratch.records = (MatchDetailsRecord * scratch.count.value)()
            result = find(pinned.pointer, data, len(data), records, len(records), scratch.count_out)
        if result < 0:
            self._fail(result)
        if result == 0:
            return []
        found = records[: scratch.count.value]
        if len(data) == len(text):  # ASCII: bytes are characters
            index = None
        else:
            index = _code_points_at(data, [o for r in found for o in (r.match.begin, r.match.end)])
        matches = []
        for record in found:
            match = record.match
            start, end = match.begin, match.end
            if index is not None:
                start, end = index[start], index[end]
            word = self._word(pinned, match.word)
            matches.append(Match(start, end, word, self._category(pinned, record), record.severity))
        return matches

    def mask(self, text: str, char: str = "*", *, keep_first: bool = False) -> str:
        """`text` with every character of every occurrence replaced by `char`.

        One `char` per character. Characters skipped inside an occurrence (separators,
        and what the Korean options skip) are kept; with `keep_first` so is the first
        character of each occurrence.
        """
        data = _encode(text)
        pinned = self._pinned
        library = self._library

        def call(mask: int, out: ctypes.Array[ctypes.c_char], length_out: object) -> int:
            return library.chatsieve_mask(
                pinned.pointer, data, len(data), mask, out, len(out), length_out
            )

        return masked(text, data, mask_code(char, keep_first), call, self._fail)

    def conversation(
        self, *, messages: int = 3, characters: int = 12, window: float | None = None
    ) -> Conversation:
        """A new conversation of one speaker with this filter: see Conversation."""
        from ._conversation import Conversation

        return Conversation(self, messages=messages, characters=characters, window=window)

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

    @contextlib.contextmanager
    def _loading(self) -> Iterator[None]:
        self._words_gate.enter_loading()
        try:
            yield
        finally:
            self._words_gate.leave_loading()

    @contextlib.contextmanager
    def _words_in_force(self) -> Iterator[_Handle]:
        """The clone that names the live filter's words until the block ends."""
        self._words_gate.enter_reading()
        try:
            yield self._pinned
        finally:
            self._words_gate.leave_reading()

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

    @staticmethod
    def _category(pinned: _Handle, record: MatchDetailsRecord) -> str:
        category = pinned.categories.get(record.match.word)
        if category is None:
            address = record.category
            category = ctypes.string_at(address).decode("ascii") if address else ""
            pinned.categories[record.match.word] = category
        return category

    @staticmethod
    def _warn_of(note: str) -> None:
        # Two frames up: the caller of reload() or of Filter().
        if note:
            warnings.warn(note, LoadWarning, stacklevel=3)

    def _fail(self, result: int) -> None:
        raise ChatsieveError(result, self._library.chatsieve_strerror(result).decode())

"""The exceptions that carry the library's own reasons."""

from __future__ import annotations


class ChatsieveError(Exception):
    """A chatsieve call failed. `code` is the library's CHATSIEVE_E_ result."""

    def __init__(self, code: int, reason: str) -> None:
        super().__init__(reason)
        self.code = code
        self.reason = reason


class LoadError(ChatsieveError):
    """A word list was not loaded; the reason names the file (or "<text>") and line.

    The filter keeps the words it had.
    """


class LoadWarning(UserWarning):
    """A word list loaded, but the filter left out or merged some of its entries.

    The message names the file (or "<text>") and line of the first such entry: an entry
    the filter's options read as one character or as nothing is left out, and one read
    as an earlier entry is merged into it.
    """

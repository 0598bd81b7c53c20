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

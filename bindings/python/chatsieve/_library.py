"""Finding libchatsieve.so and declaring its filter interface to ctypes."""

from __future__ import annotations

import ctypes
import os
import threading
from pathlib import Path

LIBRARY_ENV = "CHATSIEVE_LIBRARY"
LIBRARY_NAME = "libchatsieve.so"
BUNDLED_LIBRARY = Path(__file__).with_name(LIBRARY_NAME)

E_SPACE = -2
E_ARGUMENT = -6

CONVERSATION_MAX_MESSAGES = 7
CONVERSATION_MAX_CHARACTERS = 1024


class LibraryNotFound(OSError):
    """libchatsieve.so could not be loaded; the message lists every place tried."""


class MatchRecord(ctypes.Structure):
    _fields_ = [
        ("begin", ctypes.c_size_t),
        ("end", ctypes.c_size_t),
        ("word", ctypes.c_uint32),
    ]


class MatchDetailsRecord(ctypes.Structure):
    # The category stays an address: find() decodes it once per word, not per match.
    _fields_ = [
        ("match", MatchRecord),
        ("severity", ctypes.c_int),
        ("category", ctypes.c_void_p),
    ]


class ConversationOptionsRecord(ctypes.Structure):
    _fields_ = [
        ("size", ctypes.c_size_t),
        ("messages", ctypes.c_size_t),
        ("characters", ctypes.c_size_t),
        ("window_ms", ctypes.c_int64),
    ]


class ConversationPartRecord(ctypes.Structure):
    _fields_ = [
        ("message", ctypes.c_size_t),
        ("begin", ctypes.c_size_t),
        ("end", ctypes.c_size_t),
    ]


class ConversationMatchRecord(ctypes.Structure):
    _fields_ = [
        ("details", MatchDetailsRecord),
        ("part_count", ctypes.c_size_t),
        ("parts", ConversationPartRecord * (CONVERSATION_MAX_MESSAGES + 1)),
    ]


_handle = ctypes.c_void_p
_size = ctypes.c_size_t
_size_out = ctypes.POINTER(ctypes.c_size_t)
_time = ctypes.c_int64

# name: (result type, argument types), as in chatsieve/filter.h.
_PROTOTYPES = {
    "chatsieve_filter_new": (_handle, [ctypes.c_uint32]),
    "chatsieve_filter_clone": (_handle, [_handle]),
    "chatsieve_filter_free": (None, [_handle]),
    "chatsieve_filter_load": (
        ctypes.c_int,
        [_handle, ctypes.c_char_p, ctypes.c_int, ctypes.c_char_p, _size],
    ),
    "chatsieve_filter_load_text": (
        ctypes.c_int,
        [_handle, ctypes.c_char_p, _size, ctypes.c_int, ctypes.c_char_p, _size],
    ),
    "chatsieve_filter_load_builtin": (
        ctypes.c_int,
        [_handle, ctypes.c_char_p, ctypes.c_char_p, _size],
    ),
    "chatsieve_word_count": (_size, [_handle]),
    "chatsieve_word": (ctypes.c_void_p, [_handle, ctypes.c_uint32, _size_out]),
    "chatsieve_filter_set_min_severity": (ctypes.c_int, [_handle, ctypes.c_int]),
    "chatsieve_filter_set_categories": (ctypes.c_int, [_handle, ctypes.c_char_p]),
    "chatsieve_check": (ctypes.c_int, [_handle, ctypes.c_char_p, _size]),
    "chatsieve_find_details": (
        ctypes.c_int,
        [_handle, ctypes.c_char_p, _size, ctypes.POINTER(MatchDetailsRecord), _size, _size_out],
    ),
    "chatsieve_mask": (
        ctypes.c_int,
        [_handle, ctypes.c_char_p, _size, ctypes.c_uint32, ctypes.c_char_p, _size, _size_out],
    ),
    "chatsieve_strerror": (ctypes.c_char_p, [ctypes.c_int]),
    "chatsieve_conversation_new": (_handle, [_handle, ctypes.POINTER(ConversationOptionsRecord)]),
    "chatsieve_conversation_free": (None, [_handle]),
    "chatsieve_conversation_forget": (None, [_handle]),
    "chatsieve_conversation_check": (ctypes.c_int, [_handle, ctypes.c_char_p, _size, _time]),
    "chatsieve_conversation_find": (
        ctypes.c_int,
        [
            _handle,
            ctypes.c_char_p,
            _size,
            _time,
            ctypes.POINTER(ConversationMatchRecord),
            _size,
            _size_out,
        ],
    ),
    "chatsieve_conversation_mask": (
        ctypes.c_int,
        [
            _handle,
            ctypes.c_char_p,
            _size,
            _time,
            ctypes.c_uint32,
            ctypes.c_char_p,
            _size,
            _size_out,
        ],
    ),
    "chatsieve_conversation_repeats": (_size, [_handle]),
    "chatsieve_conversation_memory": (_size, [_handle]),
}

_lock = threading.Lock()
_loaded: dict[str, ctypes.CDLL] = {}


def _declare(path: str) -> ctypes.CDLL:
    # CDLL, not PyDLL: every call releases the GIL, so threads screen in parallel.
    library = ctypes.CDLL(path)
    for name, (result, arguments) in _PROTOTYPES.items():
        try:
            function = getattr(library, name)
        except AttributeError:
            raise LibraryNotFound(
                f"{path} has no {name}: it is not a chatsieve library with the filter interface"
            ) from None
        function.restype = result
        function.argtypes = arguments
    return library


def _open(path: str) -> ctypes.CDLL:
    with _lock:
        if path not in _loaded:
            _loaded[path] = _declare(path)
        return _loaded[path]


def load_library(path: str | os.PathLike[str] | None = None) -> ctypes.CDLL:
    """The chatsieve library at `path`, or else the one this package was installed with.

    Without a path it tries, in order: the file named by the CHATSIEVE_LIBRARY
    environment variable (and only that, when it is set), the library bundled in this
    package's directory, then libchatsieve.so on the system's library search path.
    """
    if path is not None:
        try:
            return _open(os.fspath(path))
        except OSError as error:
            raise LibraryNotFound(f"cannot load the chatsieve library {path}: {error}") from None

    tried = []
    from_environment = os.environ.get(LIBRARY_ENV)
    if from_environment:
        candidates = [(f"{LIBRARY_ENV}={from_environment}", from_environment)]
    else:
        tried.append(f"{LIBRARY_ENV} (not set)")
        candidates = [
            (f"the bundled {BUNDLED_LIBRARY}", str(BUNDLED_LIBRARY)),
            (f"{LIBRARY_NAME} on the system library search path", LIBRARY_NAME),
        ]
    for description, candidate in candidates:
        try:
            return _open(candidate)
        except OSError as error:
            tried.append(f"{description} ({error})")
    raise LibraryNotFound(
        "cannot load the chatsieve library; looked for: "
        + "; ".join(tried)
        + f". Install the package with its bundled library, or set {LIBRARY_ENV} to the path of"
        f" {LIBRARY_NAME}."
    )

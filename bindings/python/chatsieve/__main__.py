"""python3 -m chatsieve check|mask: screen texts, or the lines of standard input."""

from __future__ import annotations

import argparse
import sys
import warnings
from collections.abc import Iterator, Sequence

from ._errors import ChatsieveError, LoadWarning
from ._filter import Filter
from ._library import LibraryNotFound
from ._options import parse_options


def _arguments(argv: Sequence[str] | None) -> argparse.Namespace:
    parser = argparse.ArgumentParser(
        prog="python3 -m chatsieve",
        description="Screen each TEXT, or each line of standard input, for listed words.",
    )
    commands = parser.add_subparsers(dest="command", required=True)
    check = commands.add_parser(
        "check", help="print 'listed' or 'clean' before each line; exit 1 when any is listed"
    )
    mask = commands.add_parser("mask", help="print each line with its listed words masked")
    mask.add_argument("--char", default="*", help="the mask character (default *)")
    mask.add_argument(
        "--keep-first", action="store_true", help="keep the first character of each word"
    )
    for command in (check, mask):
        command.add_argument("--list", required=True, help="the forbidden words' list file")
        command.add_argument("--allowed", help="the allowed words' list file")
        command.add_argument(
            "--options", default="", help="comma-separated options, e.g. separators,width,jamo"
        )
        command.add_argument(
            "--min-severity",
            type=int,
            choices=(1, 2, 3),
            default=1,
            help="count only words of at least this severity (1 mild, 2 offensive, 3 severe)",
        )
        command.add_argument(
            "--categories", help="count only words of these comma-separated categories"
        )
        command.add_argument("text", nargs="*", help="texts to screen (default: standard input)")
    return parser.parse_args(argv)


def _lines(texts: list[str]) -> Iterator[str]:
    if texts:
        yield from texts
    else:
        for line in sys.stdin:
            yield line.rstrip("\n")


def main(argv: Sequence[str] | None = None) -> int:
    """Run the command; 0 when all clean (or masked), 1 when check found a word, 2 on error."""
    arguments = _arguments(argv)
    try:
        with warnings.catch_warnings(record=True) as notes:
            warnings.simplefilter("always", LoadWarning)
            screen = Filter(
                path=arguments.list,
                allowed_path=arguments.allowed,
                options=parse_options(arguments.options),
                min_severity=arguments.min_severity,
                categories=arguments.categories,
            )
        for note in notes:  # as the chatsieve tool tells them
            print(f"chatsieve: {note.message}", file=sys.stderr)
        status = 0
        for line in _lines(arguments.text):
            if arguments.command == "check":
                listed = screen.check(line)
                status = max(status, int(listed))
                print(f"{'listed' if listed else 'clean'}\t{line}")  # as the chatsieve tool prints
            else:
                print(screen.mask(line, arguments.char, keep_first=arguments.keep_first))
        return status
    except (ChatsieveError, LibraryNotFound, ValueError) as error:
        print(f"chatsieve: {error}", file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main())

"""The matching options of chatsieve/filter.h, as flags."""

from __future__ import annotations

import enum


class Option(enum.IntFlag):
    """Options fixed when a filter is made; combine with `|`. 0 matches text as written.

    Every option applies to the listed words, the allowed words and the text alike.
    """

    NONE = 0
    #: Match across characters that are neither letters, digits, Hangul syllables nor
    #: spaces, and across runs of spaces.
    SEPARATORS = 0x1
    #: Full-width and half-width forms read as the ordinary characters.
    WIDTH = 0x2
    #: Zero-width and invisible characters and Hangul fillers skipped.
    INVISIBLE = 0x4
    #: Words spelt out in compatibility or conjoining jamo read as their syllables.
    JAMO = 0x8
    #: Syllables written as their initial consonant alone.
    INITIALS = 0x10
    #: Latin letters typed on a Korean 2-set keyboard read as the Hangul they type.
    KEYBOARD = 0x20
    #: Digits between the syllables of a word skipped.
    DIGITS = 0x40
    #: Drawn-out syllables and repeated Latin letters read as the plain word.
    REPEATS = 0x80
    #: Spaces between the syllables of a word skipped.
    SPACES = 0x100
    #: Shapes written for jamo and syllables among Hangul (人 for ㅅ, 7H for 개, 18 for 씨발).
    LOOKALIKE = 0x200
    #: Every Korean option above from WIDTH to SPACES.
    KOREAN = 0x1FE
    #: The reading recommended with the built-in Korean lexicon: KOREAN, SEPARATORS and
    #: LOOKALIKE.
    RECOMMENDED = 0x3FF


#: Keep the first character of every occurrence when masking.
MASK_KEEP_FIRST = 0x80000000


def parse_options(names: str) -> Option:
    """Options from comma-separated names, any case: "separators,width"."""
    options = Option.NONE
    for name in filter(None, (part.strip() for part in names.split(","))):
        try:
            options |= Option[name.upper()]
        except KeyError:
            known = ", ".join(name.lower() for name in Option.__members__ if name != "NONE")
            raise ValueError(f"unknown option {name!r}; known: {known}") from None
    return options

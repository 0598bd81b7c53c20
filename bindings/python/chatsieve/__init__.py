"""chatsieve: screen chat text for forbidden words, written for Korean.

    from chatsieve import Filter, Option
    f = Filter(["씨발", "bad"], options=Option.SEPARATORS)
    f.check("너 씨.발")          # True
    f.find("a b.a.d day")        # [Match(start=2, end=7, word='bad', category='', severity=2)]
    f.mask("씨발 렉")            # '** 렉'

    talk = f.conversation()      # one speaker's messages, for words sent in pieces
"""

from ._conversation import Conversation, ConversationMatch, ConversationPart
from ._errors import ChatsieveError, LoadError, LoadWarning
from ._filter import Filter, Match
from ._library import LibraryNotFound, load_library
from ._options import Option

__all__ = [
    "ChatsieveError",
    "Conversation",
    "ConversationMatch",
    "ConversationPart",
    "Filter",
    "LibraryNotFound",
    "LoadError",
    "LoadWarning",
    "Match",
    "Option",
    "load_library",
]

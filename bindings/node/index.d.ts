/** The matching option bits; combine with `|`, or name them in an array. */
export declare const Options: Readonly<{
  /** Match across characters that are neither letters, digits, Hangul syllables nor spaces. */
  SEPARATORS: number;
  /** Full-width and half-width forms read as the ordinary characters. */
  WIDTH: number;
  /** Zero-width and invisible characters and Hangul fillers skipped. */
  INVISIBLE: number;
  /** Words spelt out in compatibility or conjoining jamo read as their syllables. */
  JAMO: number;
  /** Syllables written as their initial consonant alone. */
  INITIALS: number;
  /** Latin letters typed on a Korean 2-set keyboard read as the Hangul they type. */
  KEYBOARD: number;
  /** Digits between the syllables of a word skipped. */
  DIGITS: number;
  /** Drawn-out syllables and repeated Latin letters read as the plain word. */
  REPEATS: number;
  /** Spaces between the syllables of a word skipped. */
  SPACES: number;
  /** Shapes written for jamo and syllables among Hangul (人 for ㅅ, 7H for 개, 18 for 씨발). */
  LOOKALIKE: number;
  /** Every Korean option above from WIDTH to SPACES. */
  KOREAN: number;
  /** KOREAN, SEPARATORS and LOOKALIKE: the reading recommended with the built-in lexicon. */
  RECOMMENDED: number;
}>;

/** An option by name, in any case; names the library adds later work as well. */
export type OptionName =
  | 'separators'
  | 'width'
  | 'invisible'
  | 'jamo'
  | 'initials'
  | 'keyboard'
  | 'digits'
  | 'repeats'
  | 'spaces'
  | 'lookalike'
  | 'korean'
  | 'recommended'
  | (string & {});

export interface FilterInit {
  /**
   * The forbidden words, each a line of a word list: the word, perhaps with its category,
   * severity and where it counts after tabs ('년\tinsult\t2\twhole'); or give `path`.
   */
  words?: Iterable<string>;
  /**
   * A word-list file: UTF-8, one word a line ('#' comments) with optional fields after
   * tabs (category, severity, where), or a binary word-list file.
   */
  path?: string;
  /** Allowed words: they cover the occurrences of forbidden words inside them. */
  allowed?: Iterable<string>;
  /** A word-list file of allowed words. */
  allowedPath?: string;
  /** Option bits (`Options.SEPARATORS | Options.WIDTH`) or names (`['separators', 'width']`). */
  options?: number | OptionName[];
  /** Count only words of at least this severity; default 1, every word. */
  minSeverity?: Severity;
  /** Count only words of these categories (`['hate', 'sexual']` or `'hate,sexual'`); default all. */
  categories?: string[] | string;
}

/** 1 mild (vulgar emphasis), 2 offensive (the default of a word), 3 severe. */
export type Severity = 1 | 2 | 3;

export interface Policy {
  /** Count only words of at least this severity; left out: unchanged. */
  minSeverity?: Severity;
  /** Count only words of these categories; [] or '' counts every word; left out: unchanged. */
  categories?: string[] | string;
}

export interface ReloadSource {
  path?: string;
  words?: Iterable<string>;
  /** Replace the allowed words instead of the forbidden ones. */
  allowed?: boolean;
}

export interface Match {
  /** `text.slice(start, end)` is the occurrence, in UTF-16 units as JavaScript indexes strings. */
  start: number;
  end: number;
  /** The word as listed. */
  word: string;
  /** The word's category as its list gives it; '' for none. */
  category: string;
  /** The word's severity as its list gives it (2 when it says nothing). */
  severity: Severity;
}

export interface MaskOptions {
  /** One character (one code point) put in place of each masked character; default '*'. */
  char?: string;
  /** Keep the first character of each occurrence. */
  keepFirst?: boolean;
}

/** An Error from the library; `code` names its result, e.g. 'CHATSIEVE_E_OPEN'. */
export interface ChatsieveError extends Error {
  code: string;
}

export declare class Filter {
  /**
   * Throws a ChatsieveError with the library's reason when a list does not load, and a
   * TypeError for a word or path holding a lone surrogate, which has no UTF-8 form.
   */
  constructor(init?: FilterInit);
  /** The option bits the filter was made with. */
  readonly options: number;
  /** The forbidden words in force, in the order of their indices. */
  readonly words: string[];
  /** The least severity of a word that counts. */
  readonly minSeverity: Severity;
  /** The categories whose words count; [] for every word. */
  readonly categories: string[];
  /**
   * Replaces the forbidden (or allowed) words; on failure throws, as the constructor does, and
   * changes nothing. Returns the library's note on entries it left out or merged ('' for none),
   * also emitted as a process warning of type 'ChatsieveLoadWarning'.
   */
  reload(source: string | ReloadSource): string;
  /** Replaces both lists by a lexicon compiled into the library ('ko'); returns the note. */
  reloadBuiltin(name: string): string;
  /** The built-in Korean lexicon, the recommended reading, severity 2 and 3 counting. */
  static korean(): Filter;
  /**
   * Chooses which forbidden words count, for every later call and reload; the others are as if
   * not listed. Throws a RangeError for a value out of range, and nothing changes then.
   */
  setPolicy(policy: Policy): void;
  /** Whether the text holds a forbidden word that no allowed word covers. */
  check(text: string): boolean;
  /** Every occurrence of every forbidden word, overlaps included, ordered by start, end, word. */
  find(text: string): Match[];
  /** The text with every character of every occurrence replaced by one mask character. */
  mask(text: string, options?: MaskOptions): string;
  /** A new conversation of one speaker with this filter: `new Conversation(this, limits)`. */
  conversation(limits?: ConversationLimits): Conversation;
}

export interface ConversationLimits {
  /** How many earlier messages a new one is joined with and compared to: 1 to 7, default 3. */
  messages?: number;
  /** How many code points of their text are remembered: 1 to 1024, default 12. */
  characters?: number;
  /**
   * Messages sent more than this many milliseconds before the new one are forgotten; default 0,
   * no window. With a window every call needs the message's time.
   */
  windowMs?: number;
}

/** A message a word found in a conversation spans. */
export interface ConversationPart {
  /** How many messages back: 0 is the new message, 1 the one before. */
  message: number;
  /** UTF-16 indices into that message; a part in an earlier message runs to its end. */
  start: number;
  end: number;
}

/** A word that ends in the new message: start and end are its part in it (start 0 when it began earlier). */
export interface ConversationMatch extends Match {
  /** Every message the word spans, earliest first and the new one last. */
  parts: ConversationPart[];
}

/**
 * One speaker's messages screened as they come, each joined to the ends of the last few as one
 * text with a space between each, so that a word sent in pieces is found in the message that
 * completes it. Screens with its filter's words and policy in force at each call; keeps the
 * filter alive and is freed by the garbage collector. `time` is the message's time in
 * milliseconds on any clock of the host's, needed when the limits have a window.
 */
export declare class Conversation {
  /** Throws a RangeError for limits out of range, a TypeError when `filter` is not a Filter. */
  constructor(filter: Filter, limits?: ConversationLimits);
  /** Whether the message completes or holds a word; remembers it. */
  check(text: string, time?: number): boolean;
  /** Every word that ends in the message, begun in it or earlier, ordered by start, end, word. */
  find(text: string, time?: number): ConversationMatch[];
  /** The message with its part of every word masked; earlier messages are as they were sent. */
  mask(text: string, time?: number, options?: MaskOptions): string;
  /** How many of the remembered messages before it the last message repeats (ㅋㅋㅋ is not ㅋㅋㅋㅋ). */
  readonly repeats: number;
  /** The bytes the library holds for this conversation, remembered text included. */
  readonly memory: number;
  /** Forgets every message, as if the conversation were new. */
  forget(): void;
}

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
  /** The recommended Korean reading: every option above but SEPARATORS. */
  KOREAN: number;
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
  | (string & {});

export interface FilterInit {
  /** The forbidden words; or give `path`. */
  words?: Iterable<string>;
  /** A word-list file: UTF-8, one word a line ('#' comments), or a binary word-list file. */
  path?: string;
  /** Allowed words: they cover the occurrences of forbidden words inside them. */
  allowed?: Iterable<string>;
  /** A word-list file of allowed words. */
  allowedPath?: string;
  /** Option bits (`Options.SEPARATORS | Options.WIDTH`) or names (`['separators', 'width']`). */
  options?: number | OptionName[];
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
  /** Replaces the forbidden (or allowed) words; on failure throws, as the constructor does, and changes nothing. */
  reload(source: string | ReloadSource): void;
  /** Whether the text holds a forbidden word that no allowed word covers. */
  check(text: string): boolean;
  /** Every occurrence of every forbidden word, overlaps included, ordered by start, end, word. */
  find(text: string): Match[];
  /** The text with every character of every occurrence replaced by one mask character. */
  mask(text: string, options?: MaskOptions): string;
}

// chatsieve for Node.js: screen chat text for forbidden words, written for Korean.
'use strict';

const path = require('node:path');

const addonPath = path.join(__dirname, 'build', 'chatsieve.node');

function loadAddon() {
  try {
    return require(addonPath);
  } catch (error) {
    throw new Error(
      `chatsieve: cannot load the addon ${addonPath} (${error.message}); ` +
        'run npm install in the package directory to build it',
    );
  }
}

const { NativeFilter, NativeConversation, options: nativeOptions, MASK_KEEP_FIRST } = loadAddon();

/** The option bits, by name: Options.SEPARATORS | Options.WIDTH ... */
const Options = Object.freeze({ ...nativeOptions });

function optionBits(options) {
  if (typeof options === 'number') return options;
  if (!Array.isArray(options))
    throw new TypeError('chatsieve: options must be a number or an array of names');
  let bits = 0;
  for (const name of options) {
    const bit = Options[String(name).toUpperCase()];
    if (bit === undefined) {
      throw new TypeError(
        `chatsieve: unknown option ${JSON.stringify(name)}; known: ${Object.keys(Options).join(', ')}`,
      );
    }
    bits |= bit;
  }
  return bits;
}

// A lone surrogate has no UTF-8 form: handed to the library it would become U+FFFD, and a
// word of it would then be found in every text holding U+FFFD, a path name another file.
// In a /u pattern a surrogate pair is one character and does not match.
const loneSurrogate = /[\ud800-\udfff]/u;

function refuseLoneSurrogate(string, refusal) {
  const found = loneSurrogate.exec(string);
  if (found) {
    throw new TypeError(
      `chatsieve: ${JSON.stringify(string)} ${refusal}: a lone surrogate at index ${found.index} has no UTF-8 form`,
    );
  }
}

function wordListText(words) {
  if (typeof words === 'string' || typeof words?.[Symbol.iterator] !== 'function') {
    throw new TypeError('chatsieve: words must be an iterable of strings');
  }
  const lines = [];
  for (const word of words) {
    if (typeof word !== 'string') throw new TypeError('chatsieve: every word must be a string');
    if (!word.trim() || /[\r\n]/.test(word) || word.startsWith('#')) {
      throw new TypeError(
        `chatsieve: ${JSON.stringify(word)} cannot be a listed word: empty, a line break or a leading #`,
      );
    }
    refuseLoneSurrogate(word, 'cannot be a listed word');
    lines.push(word);
  }
  return lines.join('\n');
}

const categoryName = /^[A-Za-z0-9_-]{1,64}$/;

function severityOf(minSeverity) {
  if (minSeverity !== 1 && minSeverity !== 2 && minSeverity !== 3) {
    throw new RangeError(`chatsieve: minSeverity must be 1, 2 or 3, not ${String(minSeverity)}`);
  }
  return minSeverity;
}

// Names from an array of names or one comma-separated string; [] for every word.
function categoryNames(categories) {
  if (categories === null) return [];
  let names;
  if (typeof categories === 'string') names = categories === '' ? [] : categories.split(',');
  else if (Array.isArray(categories)) names = [...categories];
  else throw new TypeError('chatsieve: categories must be an array of names or a string');
  for (const name of names) {
    if (typeof name !== 'string' || !categoryName.test(name)) {
      throw new RangeError(
        `chatsieve: ${JSON.stringify(name)} is not a category name: 1 to 64 ASCII letters, digits, '-' or '_'`,
      );
    }
  }
  return names;
}

// A load's note on entries left out or merged, through Node's own warnings.
function warnOf(note) {
  if (note) process.emitWarning(note, { type: 'ChatsieveLoadWarning', code: 'CHATSIEVE_LOAD_NOTE' });
  return note;
}

function maskCode(char, keepFirst) {
  const code = typeof char === 'string' ? char.codePointAt(0) : undefined;
  if (code === undefined || String.fromCodePoint(code) !== char || (code >= 0xd800 && code <= 0xdfff)) {
    throw new TypeError(`chatsieve: char must be one character, not ${JSON.stringify(char)}`);
  }
  return (keepFirst ? code | MASK_KEEP_FIRST : code) >>> 0;
}

// What a Conversation reaches of its Filter: its native filter, and its words and their
// categories by index. Set by Filter's static block.
let filterInternals;

/**
 * Forbidden words, optionally allowed words, under options fixed when it is made.
 * Positions are JavaScript string indices (UTF-16 units).
 */
class Filter {
  #native;
  #words = [];
  #categories = [];
  #minSeverity = 1;
  #chosenCategories = [];

  constructor({ words, path: listPath, allowed, allowedPath, options = 0, minSeverity = 1, categories = [] } = {}) {
    if (words !== undefined && listPath !== undefined)
      throw new TypeError('chatsieve: give words or path, not both');
    if (allowed !== undefined && allowedPath !== undefined) {
      throw new TypeError('chatsieve: give allowed or allowedPath, not both');
    }
    this.options = optionBits(options);
    this.#native = new NativeFilter(this.options);
    this.setPolicy({ minSeverity, categories });
    if (words !== undefined || listPath !== undefined) this.reload({ words, path: listPath });
    if (allowed !== undefined || allowedPath !== undefined) {
      this.reload({ words: allowed, path: allowedPath, allowed: true });
    }
  }

  /**
   * Chooses which forbidden words count, for every later call and reload: those of at
   * least `minSeverity` (1 to 3) and, when `categories` names any (an array of names or
   * 'a,b'), of those categories. A value left out keeps its setting. Throws a RangeError
   * for a value out of range, and nothing changes then.
   */
  setPolicy({ minSeverity = this.#minSeverity, categories = this.#chosenCategories } = {}) {
    const severity = severityOf(minSeverity);
    const names = categoryNames(categories);
    this.#native.setMinSeverity(severity);
    this.#native.setCategories(names.join(','));
    this.#minSeverity = severity;
    this.#chosenCategories = names;
  }

  /** The least severity of a word that counts, 1 to 3. */
  get minSeverity() {
    return this.#minSeverity;
  }

  /** The categories whose words count; [] for every word. */
  get categories() {
    return [...this.#chosenCategories];
  }

  /**
   * Replaces the forbidden words from a word-list file, or from `{ path }` or `{ words }`;
   * `{ allowed: true }` replaces the allowed words instead. A failed load throws an Error
   * with the library's reason and changes nothing. Returns the library's note on entries
   * it left out or merged ('' for none), which is also emitted as a process warning of
   * type 'ChatsieveLoadWarning'.
   */
  reload(source) {
    const {
      path: listPath,
      words,
      allowed = false,
    } = typeof source === 'string' ? { path: source } : (source ?? {});
    if ((listPath === undefined) === (words === undefined)) {
      throw new TypeError('chatsieve: reload needs exactly one of a path or words');
    }
    let note;
    if (listPath !== undefined) {
      const name = String(listPath);
      refuseLoneSurrogate(name, 'cannot name a word-list file');
      note = this.#native.load(name, allowed);
    } else {
      note = this.#native.loadText(wordListText(words), allowed);
    }
    if (!allowed) {
      this.#words = [];
      this.#categories = [];
    }
    return warnOf(note);
  }

  /**
   * A ready Korean filter: the built-in Korean lexicon and its allowed words, read with
   * Options.RECOMMENDED, and the general-chat policy (severity 2 and 3 count).
   */
  static korean() {
    const filter = new Filter({ options: Options.RECOMMENDED, minSeverity: 2 });
    filter.reloadBuiltin('ko');
    return filter;
  }

  /**
   * Replaces the forbidden and the allowed words at once by a lexicon compiled into the
   * library ('ko'). Throws an Error naming the known lexicons for an unknown name.
   */
  reloadBuiltin(name) {
    const note = this.#native.loadBuiltin(String(name));
    this.#words = [];
    this.#categories = [];
    return warnOf(note);
  }

  /** Whether the text holds a forbidden word that no allowed word covers. */
  check(text) {
    return this.#native.check(text);
  }

  /**
   * Every occurrence of every forbidden word, as { start, end, word, category, severity }:
   * text.slice(start, end), and what the list says of the word.
   */
  find(text) {
    const found = this.#native.find(text);
    if (found === undefined) return [];
    const matches = new Array(found.length / 4);
    for (let k = 0; k < matches.length; ++k) {
      const index = found[4 * k + 2];
      matches[k] = {
        start: found[4 * k],
        end: found[4 * k + 1],
        word: this.#word(index),
        category: this.#category(index),
        severity: found[4 * k + 3],
      };
    }
    return matches;
  }

  /** The text with each character of every occurrence replaced by `char` (default '*'). */
  mask(text, { char = '*', keepFirst = false } = {}) {
    return this.#native.mask(text, maskCode(char, keepFirst));
  }

  /** The forbidden words in force, in the order of their indices. */
  get words() {
    const count = this.#native.wordCount();
    return Array.from({ length: count }, (_, index) => this.#word(index));
  }

  /**
   * A new conversation of one speaker with this filter, with its limits: see Conversation.
   */
  conversation(limits) {
    return new Conversation(this, limits);
  }

  #word(index) {
    return (this.#words[index] ??= this.#native.word(index));
  }

  #category(index) {
    return (this.#categories[index] ??= this.#native.wordCategory(index));
  }

  static {
    filterInternals = {
      isFilter: (object) => typeof object === 'object' && object !== null && #native in object,
      native: (filter) => filter.#native,
      word: (filter, index) => filter.#word(index),
      category: (filter, index) => filter.#category(index),
    };
  }
}

const conversationLimits = { messages: [1, 7], characters: [1, 1024] };

function limitOf(name, value) {
  const [least, most] = conversationLimits[name];
  if (!Number.isInteger(value) || value < least || value > most) {
    throw new RangeError(`chatsieve: ${name} must be an integer from ${least} to ${most}, not ${String(value)}`);
  }
  return value;
}

// Milliseconds as the library takes them: whole, and small enough that the difference of
// two never overflows.
function millisecondsOf(name, value) {
  if (typeof value !== 'number') throw new TypeError(`chatsieve: ${name} must be a number of milliseconds`);
  const milliseconds = Math.round(value);
  if (!Number.isSafeInteger(milliseconds)) {
    throw new RangeError(`chatsieve: ${name} must be a finite number of milliseconds, not ${value}`);
  }
  return milliseconds;
}

/**
 * One speaker's messages screened as they come, so that a word sent in pieces (시 then 발)
 * is found in the message that completes it. Each message is screened joined to the ends of
 * the last `messages` (1 to 7, default 3) as one text with a space between each, at most
 * `characters` (1 to 1024, default 12) code points of them remembered, and, with a `windowMs`,
 * only those sent less than that long before it. The words and policy in force at each call
 * screen it. With a window every call takes the message's time in milliseconds on any clock
 * of the host's (Date.now(), performance.now()). Keeps its filter alive; freed by the
 * garbage collector.
 */
class Conversation {
  #filter;
  #native;
  #windowed;

  constructor(filter, { messages = 3, characters = 12, windowMs = 0 } = {}) {
    if (!filterInternals.isFilter(filter)) throw new TypeError('chatsieve: a conversation needs a Filter');
    const window = millisecondsOf('windowMs', windowMs);
    if (window < 0) throw new RangeError(`chatsieve: windowMs must not be negative, not ${windowMs}`);
    this.#filter = filter;
    this.#windowed = window > 0;
    this.#native = new NativeConversation(
      filterInternals.native(filter),
      limitOf('messages', messages),
      limitOf('characters', characters),
      window,
    );
  }

  /** Whether the message completes or holds a word; remembers it. */
  check(text, time) {
    return this.#native.check(text, this.#time(time));
  }

  /**
   * Every word that ends in the message, begun in it or in an earlier one, as
   * { start, end, word, category, severity, parts }: text.slice(start, end) is its part in
   * this message, and parts every message it spans, earliest first, as
   * { message, start, end } with message counting back (0 is this one, 1 the one before).
   * Remembers the message.
   */
  find(text, time) {
    const found = this.#native.find(text, this.#time(time));
    if (found === undefined) return [];
    const matches = [];
    for (let at = 0; at < found.length; ) {
      const [start, end, index, severity, partCount] = found.subarray(at, at + 5);
      at += 5;
      const parts = new Array(partCount);
      for (let p = 0; p < partCount; ++p, at += 3) {
        parts[p] = { message: found[at], start: found[at + 1], end: found[at + 2] };
      }
      const filter = this.#filter;
      const word = filterInternals.word(filter, index);
      matches.push({ start, end, word, category: filterInternals.category(filter, index), severity, parts });
    }
    return matches;
  }

  /**
   * The message with its part of every word masked, as Filter.mask masks; the earlier
   * messages were delivered already, and find says which took part. Remembers the message.
   */
  mask(text, time, { char = '*', keepFirst = false } = {}) {
    return this.#native.mask(text, this.#time(time), maskCode(char, keepFirst));
  }

  /**
   * How many of the remembered messages before it the last message repeats, read as the
   * filter reads text but with drawn-out characters left long: ㅋㅋㅋ does not repeat ㅋㅋㅋㅋ.
   */
  get repeats() {
    return this.#native.repeats();
  }

  /** The bytes the library holds for this conversation, remembered text included. */
  get memory() {
    return this.#native.memory();
  }

  /** Forgets every message, as if the conversation were new. */
  forget() {
    this.#native.forget();
  }

  #time(time) {
    if (time !== undefined && time !== null) return millisecondsOf('time', time);
    // Without times every message would look just sent, and the window never close.
    if (this.#windowed) throw new TypeError('chatsieve: a conversation with a window needs the time of each message');
    return 0;
  }
}

module.exports = { Conversation, Filter, Options };

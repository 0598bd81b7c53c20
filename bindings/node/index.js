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

const { NativeFilter, options: nativeOptions, MASK_KEEP_FIRST } = loadAddon();

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

function maskCode(char, keepFirst) {
  const code = typeof char === 'string' ? char.codePointAt(0) : undefined;
  if (code === undefined || String.fromCodePoint(code) !== char || (code >= 0xd800 && code <= 0xdfff)) {
    throw new TypeError(`chatsieve: char must be one character, not ${JSON.stringify(char)}`);
  }
  return (keepFirst ? code | MASK_KEEP_FIRST : code) >>> 0;
}

/**
 * Forbidden words, optionally allowed words, under options fixed when it is made.
 * Positions are JavaScript string indices (UTF-16 units).
 */
class Filter {
  #native;
  #words = [];

  constructor({ words, path: listPath, allowed, allowedPath, options = 0 } = {}) {
    if (words !== undefined && listPath !== undefined)
      throw new TypeError('chatsieve: give words or path, not both');
    if (allowed !== undefined && allowedPath !== undefined) {
      throw new TypeError('chatsieve: give allowed or allowedPath, not both');
    }
    this.options = optionBits(options);
    this.#native = new NativeFilter(this.options);
    if (words !== undefined || listPath !== undefined) this.reload({ words, path: listPath });
    if (allowed !== undefined || allowedPath !== undefined) {
      this.reload({ words: allowed, path: allowedPath, allowed: true });
    }
  }

  /**
   * Replaces the forbidden words from a word-list file, or from `{ path }` or `{ words }`;
   * `{ allowed: true }` replaces the allowed words instead. A failed load throws an Error
   * with the library's reason and changes nothing.
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
    if (listPath !== undefined) {
      const name = String(listPath);
      refuseLoneSurrogate(name, 'cannot name a word-list file');
      this.#native.load(name, allowed);
    } else {
      this.#native.loadText(wordListText(words), allowed);
    }
    if (!allowed) this.#words = [];
  }

  /** Whether the text holds a forbidden word that no allowed word covers. */
  check(text) {
    return this.#native.check(text);
  }

  /** Every occurrence of every forbidden word, as { start, end, word }: text.slice(start, end). */
  find(text) {
    const triples = this.#native.find(text);
    if (triples === undefined) return [];
    const matches = new Array(triples.length / 3);
    for (let k = 0; k < matches.length; ++k) {
      matches[k] = { start: triples[3 * k], end: triples[3 * k + 1], word: this.#word(triples[3 * k + 2]) };
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

  #word(index) {
    return (this.#words[index] ??= this.#native.word(index));
  }
}

module.exports = { Filter, Options };

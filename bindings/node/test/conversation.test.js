'use strict';

const assert = require('node:assert/strict');
const test = require('node:test');

const { Conversation, Filter, Options } = require('..');

const filter = new Filter({ words: ['시발', '개새끼'], options: Options.SPACES | Options.SEPARATORS });

// The matches of the last message, the earlier ones sent before it.
function lastFind(conversation, messages, times = []) {
  messages.slice(0, -1).forEach((message, k) => conversation.check(message, times[k]));
  return conversation.find(messages.at(-1), times.at(-1));
}

test('finds words sent in pieces, with the UTF-16 parts of every message they span', () => {
  const cases = [
    [['시', '발'], [[0, 1, '시발', [[1, 0, 1], [0, 0, 1]]]]],
    [['개', '새', '끼'], [[0, 1, '개새끼', [[2, 0, 1], [1, 0, 1], [0, 0, 1]]]]],
    [['😀 시', '발😀'], [[0, 1, '시발', [[1, 3, 4], [0, 0, 1]]]]], // an emoji is two units
    [['😀', '😀 시발'], [[3, 5, '시발', [[0, 3, 5]]]]],
    [['몇 시', '발표 시작'], []], // as 몇 시 발표 시작 reads
    [['시발', '안녕'], []], // a word in an earlier message is not reported again
  ];
  for (const [messages, expected] of cases) {
    const matches = expected.map(([start, end, word, parts]) => ({
      start,
      end,
      word,
      category: '',
      severity: 2,
      parts: parts.map(([message, from, to]) => ({ message, start: from, end: to })),
    }));
    assert.deepEqual(lastFind(filter.conversation(), messages), matches, messages.join('|'));
  }
  const talk = new Conversation(filter);
  assert.deepEqual(['😀 개', '새', '끼!', '끼'].map((m) => talk.mask(m, undefined, { char: '●' })), [
    '😀 개',
    '새',
    '●!',
    '끼',
  ]);
});

test('limits bound what is remembered, and are checked', () => {
  const cases = [
    [{ messages: 1 }, ['개', '새', '끼'], [], false],
    [{ messages: 2 }, ['개', '새', '끼'], [], true],
    [{ characters: 3 }, ['개 새', '끼'], [], true],
    [{ characters: 2 }, ['개 새', '끼'], [], false], // cut just after the space
    [{ windowMs: 10000 }, ['시', '발'], [100000, 109999.6], true],
    [{ windowMs: 10000 }, ['시', '발'], [100000, 110001], false],
  ];
  for (const [limits, messages, times, listed] of cases) {
    assert.equal(lastFind(filter.conversation(limits), messages, times).length > 0, listed, JSON.stringify(limits));
  }
  const refused = [
    [() => filter.conversation({ messages: 0 }), RangeError],
    [() => filter.conversation({ messages: 8 }), RangeError],
    [() => filter.conversation({ characters: 1.5 }), RangeError],
    [() => filter.conversation({ windowMs: -1 }), RangeError],
    [() => filter.conversation({ windowMs: 1000 }).check('시'), TypeError],
    [() => filter.conversation().check('시', '1s'), TypeError],
    [() => filter.conversation().check('시', 2 ** 60), RangeError],
    [() => new Conversation({}), TypeError],
  ];
  for (const [call, error] of refused) assert.throws(call, error, call.toString());
});

test('tells repeats after the reading, forgets, and screens with the words in force', () => {
  const talk = new Filter({ words: ['시발'], options: Options.KOREAN }).conversation();
  const repeats = ['도배', '도배', 'ㅋㅋㅋ', 'ㅋㅋㅋㅋ', '도배'].map((message) => {
    talk.check(message);
    return talk.repeats;
  });
  assert.deepEqual(repeats, [0, 1, 0, 0, 1]);
  assert.ok(talk.memory > 0);
  talk.check('시');
  talk.forget();
  assert.deepEqual([talk.check('발'), talk.repeats], [false, 0]);

  const reloaded = new Filter({ words: ['시발'], options: Options.SPACES });
  const speaker = reloaded.conversation();
  for (const [words, found] of [
    [['bad', '시발'], ['시발']],
    [['bad'], []],
  ]) {
    speaker.check('시');
    reloaded.reload({ words });
    assert.deepEqual(speaker.find('발').map((match) => match.word), found);
  }
});

'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const test = require('node:test');

const { Filter, Options } = require('..');

const screen = new Filter({ words: ['씨발', 'bad', '나쁜말'], allowed: ['badge'], options: ['separators'] });

test('find reports JavaScript string indices and the listed word', () => {
  const cases = [
    ['clean text', []],
    ['a b.a.d day', [[2, 7, 'bad']]],
    ['너 씨.발', [[2, 5, '씨발']]],
    [
      '😀씨발😀 BAD',
      [
        [2, 4, '씨발'],
        [7, 10, 'bad'],
      ],
    ], // an emoji is two units
    ['\udcff나쁜말', [[1, 4, '나쁜말']]],
    ['badge', []], // covered by an allowed word
  ];
  for (const [text, expected] of cases) {
    const matches = expected.map(([start, end, word]) => ({ start, end, word, category: '', severity: 2 }));
    assert.deepEqual(screen.find(text), matches, text);
    assert.equal(screen.check(text), expected.length > 0, text);
  }
});

test('find returns every match of a long text', () => {
  const matches = screen.find('씨발 '.repeat(100));
  assert.equal(matches.length, 100);
  assert.deepEqual(matches[99], { start: 297, end: 299, word: '씨발', category: '', severity: 2 });
});

test('mask replaces each character once', () => {
  const cases = [
    ['a b.a.d day', {}, 'a *.*.* day'],
    ['씨발 렉', {}, '** 렉'],
    ['bad bad', { char: '😀' }, '😀😀😀 😀😀😀'], // the result is longer than the text
    ['😀씨발\udcff', { char: '#', keepFirst: true }, '😀씨#\udcff'],
    ['clean', {}, 'clean'],
    ['', {}, ''],
  ];
  for (const [text, options, expected] of cases) assert.equal(screen.mask(text, options), expected, text);
});

test('rejects what the library cannot take', () => {
  const cases = [
    () => screen.mask('bad', { char: '**' }),
    () => screen.mask('bad', { char: '\ud800' }),
    () => screen.check(42),
    () => screen.find(undefined),
    () => new Filter({ words: ['a\nb'] }),
    () => new Filter({ words: ['#tag'] }),
    () => new Filter({ words: 'bad' }),
    () => new Filter({ options: ['loud'] }),
  ];
  for (const call of cases) assert.throws(call, TypeError, call.toString());
  assert.throws(() => new Filter({ options: 1 << 30 }), { code: 'CHATSIEVE_E_ARGUMENT' });
});

test('refuses a listed word or a path holding a lone surrogate, keeping the words', () => {
  const filter = new Filter({ words: ['bad'] });
  const cases = [
    () => new Filter({ words: ['bad', 'a\ud800'] }),
    () => new Filter({ allowed: ['\udcffbadge'] }),
    () => filter.reload({ words: ['\ud800'] }),
    () => filter.reload({ words: ['ok\udc00'], allowed: true }),
    () => filter.reload('words\ud800.txt'),
    () => new Filter({ allowedPath: 'allowed\udcff.txt' }),
  ];
  for (const call of cases) {
    assert.throws(call, { name: 'TypeError', message: /lone surrogate/ }, call.toString());
  }
  assert.deepEqual(filter.words, ['bad']);
  assert.equal(filter.check('\ufffd'), false);
  assert.equal(new Filter({ words: ['😀나쁜'] }).check('x😀나쁜'), true); // a pair is one character
});

test('matches carry what the list says, and a policy chooses the words that count', () => {
  const words = ['bad\tslur\t3\tstart', 'ass\t\t1\tstart', '년\tinsult\t2\twhole', 'darn'];
  assert.deepEqual(new Filter({ words }).find('이 년아 😀ass class 작년'), [
    { start: 2, end: 3, word: '년', category: 'insult', severity: 2 },
    { start: 7, end: 10, word: 'ass', category: '', severity: 1 },
  ]);
  const cases = [
    [{}, ['bad', 'ass', 'darn']],
    [{ minSeverity: 2 }, ['bad', 'darn']],
    [{ minSeverity: 3 }, ['bad']],
    [{ categories: ['slur', 'insult'] }, ['bad']],
    [{ categories: 'insult,family' }, []],
  ];
  const changed = new Filter({ words });
  for (const [policy, expected] of cases) {
    changed.setPolicy({ minSeverity: 1, categories: [], ...policy });
    changed.reload({ words }); // the policy holds through loads
    for (const filter of [new Filter({ words, ...policy }), changed]) {
      assert.deepEqual(filter.find('bad ass darn').map((match) => match.word), expected, JSON.stringify(policy));
      assert.equal(filter.check('bad ass darn'), expected.length > 0);
    }
  }

  const filter = new Filter({ words, minSeverity: 2, categories: ['slur'] });
  const refused = [{ minSeverity: 0 }, { minSeverity: '2' }, { categories: ['a b'] }, { categories: 'a,,b' }];
  for (const policy of [...refused, { minSeverity: 3, categories: ['é'] }]) {
    assert.throws(() => filter.setPolicy(policy), RangeError, JSON.stringify(policy));
    assert.deepEqual([filter.minSeverity, filter.categories], [2, ['slur']]);
  }
  assert.throws(() => filter.setPolicy({ categories: 42 }), TypeError);
  assert.deepEqual(filter.find('bad ass'), [{ start: 0, end: 3, word: 'bad', category: 'slur', severity: 3 }]);
});

test('a load that leaves out or merges entries returns its note and warns', async (t) => {
  const warned = [];
  const listen = (warning) => warning.name === 'ChatsieveLoadWarning' && warned.push(warning.message);
  process.on('warning', listen);
  t.after(() => process.off('warning', listen));
  const filter = new Filter({ words: ['bad', 'BAD'] });
  assert.match(filter.reload({ words: ['ok', 'x', 'OK'] }), /^<text>:3: the same word as <text>:1/);
  assert.equal(filter.reload({ words: ['fine'] }), '');
  await new Promise(setImmediate); // warnings are emitted on the next tick
  assert.equal(warned.length, 2);
  assert.match(warned[0], /^<text>:2: the same word as <text>:1/);
});

test('loads files, replaces words, and keeps them when a load fails', (t) => {
  const directory = fs.mkdtempSync(path.join(os.tmpdir(), 'chatsieve-'));
  t.after(() => fs.rmSync(directory, { recursive: true }));
  const write = (name, data) => {
    const file = path.join(directory, name);
    fs.writeFileSync(file, data);
    return file;
  };

  const filter = new Filter({ path: write('words.txt', '# list\n\nbad\r\n씨발\n') });
  assert.deepEqual(filter.words, ['bad', '씨발']);
  filter.reload({ words: ['나쁜말'] });
  assert.deepEqual(filter.find('bad 나쁜말'), [{ start: 4, end: 7, word: '나쁜말', category: '', severity: 2 }]);
  filter.reload({ path: write('allowed.txt', '나쁜말이다\n'), allowed: true });
  assert.equal(filter.check('나쁜말이다'), false);

  const failures = [
    [path.join(directory, 'missing.txt'), 'CHATSIEVE_E_OPEN', /missing\.txt: cannot open/],
    [write('broken.txt', Buffer.from('ok\n\xff\xfe\n', 'latin1')), 'CHATSIEVE_E_FORMAT', /broken\.txt:2/],
  ];
  for (const [file, code, message] of failures) {
    assert.throws(
      () => filter.reload(file),
      (error) => error instanceof Error && error.code === code && message.test(error.message),
    );
    assert.equal(filter.check('나쁜말'), true);
  }
});

test('takes options by name in any case', () => {
  assert.equal(new Filter({ options: ['Width', 'jamo'] }).options, Options.WIDTH | Options.JAMO);
});

test('screens in worker threads, each with its own filter', async () => {
  const { Worker } = require('node:worker_threads');
  const code = `const { Filter } = require(${JSON.stringify(path.join(__dirname, '..'))});
    const filter = new Filter({ words: ['씨발'] });
    require('node:worker_threads').parentPort.postMessage(filter.mask('너 씨발 ' + 'x'.repeat(300)));`;
  const run = () =>
    new Promise((resolve, reject) =>
      new Worker(code, { eval: true }).on('message', resolve).on('error', reject),
    );
  for (const masked of await Promise.all([run(), run()])) assert.equal(masked, `너 ** ${'x'.repeat(300)}`);
});

test('a ready Korean filter reads disguises under the general-chat policy', () => {
  const filter = Filter.korean();
  assert.equal(filter.minSeverity, 2);
  assert.equal(filter.check('야 ㅅ1ㅂ 뭐하냐'), true);
  assert.equal(filter.check('시발점에서 만나'), false);
  assert.equal(filter.check('존나 맛있다'), false);
  const [match] = filter.find('병.신아');
  assert.deepEqual([match.category, match.severity], ['insult', 2]);
  assert.throws(() => filter.reloadBuiltin('xx'), /no built-in lexicon is named 'xx'/);
});

// Lines a second of the Node.js package on a chat file, one thread.
// Usage: node node_speed.js WORDS CHAT
'use strict';

const fs = require('node:fs');
const { Filter } = require('../../bindings/node');

const [wordsPath, chatPath] = process.argv.slice(2);
const words = fs
  .readFileSync(wordsPath, 'utf8')
  .split('\n')
  .filter((word) => word && !word.startsWith('#'));
const lines = fs.readFileSync(chatPath, 'utf8').split('\n');
lines.pop();

// CPU seconds of this process: the machine may be shared.
function cpuSeconds() {
  const { user, system } = process.cpuUsage();
  return (user + system) / 1e6;
}

// Calls `job` on the lines in turn for about `seconds`, after a short warm-up.
function linesPerSecond(job, seconds = 1.5) {
  const run = (limit) => {
    const start = cpuSeconds();
    let done = 0;
    let elapsed = 0;
    while (elapsed < limit) {
      for (let k = 0; k < 64; ++k, ++done) job(lines[done % lines.length]);
      elapsed = cpuSeconds() - start;
    }
    return done / elapsed;
  };
  run(0.3);
  return run(seconds);
}

// Prints the rate, and in how many of the first 1,000 lines the job found a listed word,
// to compare answers.
function report(name, job) {
  const listed = lines.slice(0, 1000).filter(job).length;
  console.log(
    `${name.padEnd(34)} ${linesPerSecond(job).toFixed(0).padStart(10)} lines/s  (${listed} of 1000 listed)`,
  );
}

const filter = new Filter({ words });
report('chatsieve check', (line) => filter.check(line));
report('chatsieve mask', (line) => filter.mask(line) !== line);
report('chatsieve find', (line) => filter.find(line).length > 0);


// npm's install step: builds build/chatsieve.node with CMake, and libchatsieve.so with it
// from the chatsieve source tree unless CHATSIEVE_LIBRARY names an installed library.
'use strict';

const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');

const packageDir = path.resolve(__dirname, '..');
const buildDir = path.join(packageDir, 'build');
const sourceDir = path.resolve(process.env.CHATSIEVE_SOURCE_DIR || path.join(packageDir, '..', '..'));
const library = process.env.CHATSIEVE_LIBRARY;

function fail(reason) {
  console.error(`chatsieve: ${reason}`);
  process.exit(1);
}

function directoryOf(packageName) {
  return path.dirname(require.resolve(`${packageName}/package.json`));
}

if (!library && !fs.existsSync(path.join(sourceDir, 'include', 'chatsieve', 'filter.h'))) {
  fail(
    `no chatsieve source tree at ${sourceDir}: set CHATSIEVE_SOURCE_DIR to it, ` +
      'or CHATSIEVE_LIBRARY to an installed libchatsieve.so',
  );
}

const configure = [
  '-S',
  packageDir,
  '-B',
  buildDir,
  '-DCMAKE_BUILD_TYPE=Release',
  `-DNODE_API_HEADERS_DIR=${require('node-api-headers').include_dir}`,
  `-DNODE_ADDON_API_DIR=${directoryOf('node-addon-api')}`,
  `-DCHATSIEVE_SOURCE_DIR=${sourceDir}`,
  `-DCHATSIEVE_LIBRARY=${library ? path.resolve(library) : ''}`,
];
// Ninja where there is one: a plain cmake and g++ install may lack make.
if (spawnSync('ninja', ['--version']).status === 0 && !fs.existsSync(path.join(buildDir, 'Makefile'))) {
  configure.push('-G', 'Ninja');
}
const jobs = process.env.CMAKE_BUILD_PARALLEL_LEVEL || '2';
try {
  execFileSync('cmake', configure, { stdio: 'inherit' });
  execFileSync('cmake', ['--build', buildDir, '--target', 'chatsieve_addon', '-j', jobs], {
    stdio: 'inherit',
  });
} catch (error) {
  fail(`building the addon failed (${error.message}); it needs cmake, g++ and make or ninja`);
}

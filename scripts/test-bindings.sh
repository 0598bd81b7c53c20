#!/usr/bin/env bash
# Installs the Python and Node.js packages from this clone as their README section says,
# each building its own libchatsieve.so, and runs their tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++ python3 python3-venv python3-pip python3-setuptools \
  python3-wheel
# Debian's nodejs and npm, unless a node and npm are already there.
command -v node >/dev/null 2>&1 || scripts/install-deps.sh nodejs
command -v npm >/dev/null 2>&1 || scripts/install-deps.sh npm
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"

echo "== chatsieve: Python package =="
venv=build/bindings/venv
/usr/bin/python3 -m venv --system-site-packages "$venv"
"$venv/bin/python" -m pip install --no-index --no-build-isolation --force-reinstall --no-deps \
  --disable-pip-version-check ./bindings/python
# From the tests' own folder, so that the installed package is the one imported.
(cd bindings/python/tests && "../../../$venv/bin/python" -m unittest -v)

echo "== chatsieve: Node.js package ($(node --version)) =="
(cd bindings/node && npm install --no-audit --no-fund && npm test)

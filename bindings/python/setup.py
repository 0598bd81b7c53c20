"""Builds libchatsieve.so with CMake and bundles it in the package.

With CHATSIEVE_LIBRARY set at install time nothing is built or bundled: the package
then loads the library named by CHATSIEVE_LIBRARY, or the system's, at run time.
CHATSIEVE_SOURCE_DIR names the chatsieve source tree when this directory is not inside it.
"""

import os
import shutil
import subprocess
from pathlib import Path

from setuptools import Distribution, setup
from setuptools.command.build_py import build_py

HERE = Path(__file__).resolve().parent
LIBRARY_NAME = "libchatsieve.so"


def source_tree() -> Path:
    source = Path(os.environ.get("CHATSIEVE_SOURCE_DIR", HERE.parent.parent))
    if not (source / "include" / "chatsieve" / "filter.h").is_file():
        raise SystemExit(
            f"chatsieve: no chatsieve source tree at {source}; set CHATSIEVE_SOURCE_DIR to it,"
            " or CHATSIEVE_LIBRARY to an installed libchatsieve.so"
        )
    return source


def build_library(build_dir: Path) -> Path:
    configure = ["cmake", "-S", str(source_tree()), "-B", str(build_dir)]
    configure += ["-DCMAKE_BUILD_TYPE=Release", "-DCHATSIEVE_BUILD_TESTS=OFF"]
    configure += ["-DCHATSIEVE_SERVE=OFF"]  # the package bundles the library alone
    if shutil.which("ninja"):
        configure += ["-G", "Ninja"]
    jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
    subprocess.run(configure, check=True)
    subprocess.run(
        ["cmake", "--build", str(build_dir), "--target", "chatsieve", "-j", jobs], check=True
    )
    return (build_dir / "lib" / LIBRARY_NAME).resolve()


class BuildWithLibrary(build_py):
    def run(self) -> None:
        super().run()
        bundled = Path(self.build_lib) / "chatsieve" / LIBRARY_NAME
        if os.environ.get("CHATSIEVE_LIBRARY"):
            # Not even a copy left in build/ by an earlier bundled install.
            bundled.unlink(missing_ok=True)
            self.announce("chatsieve: not bundling a library; CHATSIEVE_LIBRARY is set", level=2)
            return
        shutil.copyfile(build_library(HERE / "build" / "cmake"), bundled)


class PlatformDistribution(Distribution):
    # The bundled library makes the wheel specific to this platform.
    def has_ext_modules(self) -> bool:
        return not os.environ.get("CHATSIEVE_LIBRARY")


setup(cmdclass={"build_py": BuildWithLibrary}, distclass=PlatformDistribution)

"""Builds modelcheck._core with the project's own CMake build for pip.

The version is the CMake project's, so the package metadata and
modelcheck.__version__ always agree. MODELCHECK_BUILD_DIR names a CMake build
folder to build in (an existing one builds only what changed); otherwise a
folder under setuptools' temporary build folder is used.
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


def cmake_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    match = re.search(r"project\(modelcheck VERSION ([0-9.]+)", text)
    if match is None:
        raise RuntimeError("CMakeLists.txt names no project version")
    return match.group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        given = os.environ.get("MODELCHECK_BUILD_DIR")
        build = pathlib.Path(given) if given else pathlib.Path(self.build_temp) / "cmake"
        # A configured build folder is used as it is: configuring it again
        # could change what it builds for the tests that use it.
        if not (build / "CMakeCache.txt").exists():
            subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-DMODELCHECK_BUILD_PYTHON=ON",
                            f"-DPython3_EXECUTABLE={sys.executable}", "-DMODELCHECK_BUILD_TESTS=OFF",
                            "-DMODELCHECK_BUILD_DESKTOP=OFF", "-DMODELCHECK_INSTALL=OFF"], check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "modelcheck_python", "-j", str(os.cpu_count() or 1)],
                       check=True)
        built = sorted((build / "python" / "modelcheck").glob("_core*.so"))
        if not built:
            raise RuntimeError(f"the CMake build in {build} made no modelcheck/_core module")
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built[-1], target)


# setuptools' own folders stay out of the CMake build folder and the sources.
PIP_BUILD = ROOT / "build-pip"
PIP_BUILD.mkdir(exist_ok=True)

setup(
    version=cmake_version(),
    options={"build": {"build_base": str(PIP_BUILD)}, "egg_info": {"egg_base": str(PIP_BUILD)}},
    ext_modules=[Extension("modelcheck._core", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
)

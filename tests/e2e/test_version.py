"""One version number: the project's version in CMakeLists.txt is the one that the built program
(its version resource, its manifest and the core's texts), the help file and the README name."""

import os
import pathlib
import re
import struct
import subprocess

from helpers import project_version

ROOT = pathlib.Path(__file__).resolve().parents[2]


def win64_dir():
    return pathlib.Path(os.environ.get("QUILLO_WIN64_DIR", ROOT / "build/win64")).resolve()


def utf16_value(data, name):
    """A StringFileInfo value of a version resource: its UTF-16 name, padding, its UTF-16 text."""
    key = (name + "\0").encode("utf-16-le")
    at = data.find(key)
    assert at >= 0, f"no {name} in the version resource"
    at += len(key)
    at += (4 - at % 4) % 4  # values start on a 32-bit boundary
    end = data.find(b"\0\0", at)
    while (end - at) % 2:
        end = data.find(b"\0\0", end + 1)
    return data[at:end].decode("utf-16-le")


def test_the_program_the_help_and_the_readme_name_the_projects_version(tmp_path):
    text = project_version()
    major, minor = map(int, text.split("."))
    exe = (win64_dir() / "Quillomat.exe").read_bytes()

    # The version resource: the fixed part's numbers and the texts.
    at = exe.find(struct.pack("<I", 0xFEEF04BD))
    assert at >= 0, "no version resource"
    file_ms, file_ls, product_ms, product_ls = struct.unpack("<4I", exe[at + 8:at + 24])
    assert (file_ms, file_ls, product_ms, product_ls) == ((major << 16) | minor, 0,
                                                          (major << 16) | minor, 0)
    assert utf16_value(exe, "FileVersion") == text
    assert utf16_value(exe, "ProductVersion") == text
    # The manifest, and the texts of the core: the about box's name, the post's field and the
    # user agent are built from the same constant.
    assert re.search(rb'name="Ombrelune\.Quillomat" version="(\d+\.\d+\.\d+\.\d+)"', exe).group(1) \
        == f"{major}.{minor}.0.0".encode()
    assert f"Quillomat/{text}".encode() in exe
    generated = (win64_dir() / "generated/core/app/version.h").read_text()
    assert f'#define QUILLO_VERSION_TEXT "{text}"' in generated

    # The help: every page that names the version names this one, and no placeholder is left.
    out = tmp_path / "chm"
    subprocess.run(["extract_chmLib", str(win64_dir() / "Quillomat.chm"), str(out)], check=True,
                   capture_output=True)
    pages = {p.name: p.read_text(encoding="utf-8") for p in out.glob("*.html")}
    assert not [name for name, page in pages.items() if "@VERSION@" in page]
    assert f"In this version of Quillomat {text}:" in pages["changes.html"]
    assert f"Quillomat-{text}-setup.exe" in pages["install.html"]

    # The README's downloads, as scripts/package names them.
    readme = (ROOT / "README.md").read_text()
    named = set(re.findall(r"Quillomat-(\d+\.\d+)-(?:setup\.exe|portable\.zip)", readme))
    assert named == {text}, named

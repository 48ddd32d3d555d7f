"""The help file: Quillomat.chm beside Quillomat.exe decompiles into every page we wrote, each
with its title, listed in its table of contents; F1 on the panel starts the HTML Help viewer with
the file's full path."""

import pathlib
import re
import subprocess

from helpers import (folder_from_environment, foreground, fresh, start_program, wait_for,
                     window_state, wine_processes)

HELP_SOURCES = pathlib.Path(__file__).resolve().parents[2] / "help"


def win64_dir():
    return folder_from_environment("QUILLO_WIN64_DIR", "build/win64")


def title_of(html):
    m = re.search(r"<title>(.*?)</title>", html, re.S | re.I)
    return m.group(1).strip() if m else None


def sitemap_entries(text):
    """(Name, Local) of every sitemap object of a contents or index file (an index entry's first
    Name is its keyword; the pairs follow it)."""
    entries = []
    for obj in re.findall(r'<OBJECT type="text/sitemap">(.*?)</OBJECT>', text, re.S | re.I):
        params = re.findall(r'<param name="(\w+)" value="([^"]*)">', obj, re.I)
        names = [v for k, v in params if k.lower() == "name"]
        locals_ = [v for k, v in params if k.lower() == "local"]
        entries.append((names, locals_))
    return entries


def test_the_help_file_decompiles_into_every_page_with_its_title_and_contents(tmp_path):
    chm = win64_dir() / "Quillomat.chm"
    assert chm.exists(), f"{chm} is not built"
    out = tmp_path / "chm"
    # chmlib's extractor, not the compiler's own tools, reads the file back.
    subprocess.run(["extract_chmLib", str(chm), str(out)], check=True, capture_output=True)

    pages = {p.name: title_of(p.read_text(encoding="utf-8"))
             for p in sorted(HELP_SOURCES.glob("*.html"))}
    assert len(pages) >= 10
    for name, title in pages.items():
        inside = out / name
        assert inside.exists(), f"{name} is not in the help file"
        assert title and title_of(inside.read_text(encoding="utf-8")) == title, name
        for picture in re.findall(r'<img src="([^"]+)"', inside.read_text(encoding="utf-8")):
            assert (out / picture).stat().st_size > 100, f"{picture} of {name}"

    system = (out / "#SYSTEM").read_bytes()
    assert b"contents.hhc" in system and b"index.hhk" in system and b"welcome.html" in system
    toc = sitemap_entries((out / "contents.hhc").read_text(encoding="latin-1"))
    listed = {locals_[0]: names[0] for names, locals_ in toc}
    assert listed == pages  # every page, under its own title, and nothing else

    index = sitemap_entries((out / "index.hhk").read_text(encoding="latin-1"))
    assert len(index) >= 20
    for names, locals_ in index:
        assert locals_ and all(loc in pages for loc in locals_), names[0]
    # Every page can be found from the index too.
    indexed = {loc for _, locals_ in index for loc in locals_}
    assert set(pages) - indexed == set()


def export_line_names():
    """What the program calls each line of an export file, in the file's order: the words its
    message about a file that cannot be imported uses ("Line 5 (the keystrokes total) ...")."""
    source = (HELP_SOURCES.parent / "src/core/store/counter_export.cpp").read_text()
    table = re.search(r"kLineRules\[kExportLineCount\] = \{(.*?)\n\};", source, re.S)
    assert table, "the export's line table is not where it was"
    return re.findall(r'\{"([^"]+)"', table.group(1))


def test_the_export_page_lists_every_line_of_the_file_in_its_order_and_count(tmp_path):
    """The page says how many lines an export has and lists them, in the words and order of the
    program's own messages, so that "Line 5 (...)" in a message can be looked up."""
    out = tmp_path / "chm"
    subprocess.run(["extract_chmLib", str(win64_dir() / "Quillomat.chm"), str(out)], check=True,
                   capture_output=True)
    page = (out / "export_import.html").read_text(encoding="utf-8")
    names = export_line_names()
    assert len(names) == 12
    listed = re.search(r'<ol class="lines">(.*?)</ol>', page, re.S)
    assert listed, "the page has no numbered list of the file's lines"
    items = [" ".join(i.split()) for i in re.findall(r"<li>(.*?)</li>", listed.group(1), re.S)]
    assert len(items) == len(names), items
    for number, (item, name) in enumerate(zip(items, names), 1):
        assert item.startswith(name), (number, item, name)
    words = {12: "Twelve"}
    assert f"{words[len(names)]} short lines" in page


def test_f1_on_the_panel_starts_the_help_viewer_with_the_files_full_path(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    s = window_state(wine)
    wine.xdotool("mousemove", s["x"] + 3, s["y"] + 27)  # the panel's own background
    wine.xdotool("click", 1)
    wait_for("the panel did not take the keyboard",
             lambda: "class=TfrmMain" in foreground(wine))
    assert not wine_processes(wine, "hh.exe")
    wine.xdotool("key", "F1")
    viewers = wait_for("no help viewer started", lambda: wine_processes(wine, "hh.exe"))
    expected = "Z:" + str(wine.exe("Quillomat.chm")).replace("/", "\\")
    assert [cmd[1:] for cmd in viewers.values()] == [[expected]]

"""The indicator's own raster work against GDI's, under Wine: for the glyph polygons, frame
bands and window shapes of several pictures (and some awkward random polygons) the core must
cover exactly the pixels that CreatePolyPolygonRgn(ALTERNATE) + FillRgn cover, and a stretched
texture must show exactly the pixels StretchBlt's nearest-pixel stretch shows."""

import pathlib


def read_pgm(path: pathlib.Path):
    data = path.read_bytes()
    parts = data.split(maxsplit=4)
    assert parts[0] == b"P5", path
    width, height = int(parts[1]), int(parts[2])
    pixels = parts[4] if len(parts) > 4 else b""
    return width, height, pixels[-width * height:] if width * height else b""


def test_core_coverage_equals_gdi_fill(wine):
    out = wine.work / "indicator_fill"
    out.mkdir(exist_ok=True)
    result = wine.run([wine.exe("indicator_probe.exe"), "fill", out.name], timeout=180)
    assert result.returncode == 0, result.stderr[-2000:]

    cases = (out / "cases.txt").read_text().split()
    assert len(cases) > 150
    covered_total = 0
    mismatches = []
    for name in cases:
        gw, gh, gdi = read_pgm(out / f"{name}_gdi.pgm")
        cw, ch, core = read_pgm(out / f"{name}_core.pgm")
        assert (gw, gh) == (cw, ch), name
        covered_total += gdi.count(255)
        diff = [i for i in range(len(gdi)) if gdi[i] != core[i]]
        if diff:
            where = [(i % gw, i // gw, "gdi" if gdi[i] else "core") for i in diff[:5]]
            mismatches.append(f"{name}: {len(diff)} pixels, first {where}")
    assert not mismatches, "\n".join(mismatches)
    # The comparison must have had something to compare.
    assert covered_total > 50_000


def _read_ppm(path: pathlib.Path):
    data = path.read_bytes()
    parts = data.split(maxsplit=4)
    width, height = int(parts[1]), int(parts[2])
    return width, height, data[len(data) - width * height * 3:]


def test_stretched_texture_equals_gdi_nearest_pixel_stretch(wine):
    out = wine.work / "indicator_stretch"
    out.mkdir(exist_ok=True)
    result = wine.run([wine.exe("indicator_probe.exe"), "stretch", out.name], timeout=120)
    assert result.returncode == 0, result.stderr[-2000:]
    cases = (out / "cases.txt").read_text().split()
    assert len(cases) >= 8
    mismatches = []
    for name in cases:
        gw, gh, gdi = _read_ppm(out / f"{name}_gdi.ppm")
        core = _read_ppm(out / f"{name}_core.ppm")
        assert (gw, gh) == core[:2], name
        diff = [i // 3 for i in range(0, len(gdi), 3) if gdi[i:i + 3] != core[2][i:i + 3]]
        if diff:
            mismatches.append(f"{name}: {len(diff)} pixels, first at {[(i % gw, i // gw) for i in diff[:5]]}")
    assert not mismatches, "\n".join(mismatches)

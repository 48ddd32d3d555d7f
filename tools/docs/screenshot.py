"""Takes docs/screenshot.png from the real program under Wine: the panel, and below it the
History window's Keyboard page over a few months of made-up but plausible use (the totals in the
registry, the days in the history file). Run by scripts/screenshot after a win64 build; the
prefix and display are the end-to-end harness's own, in build/docs-screenshot."""

import datetime
import pathlib
import random
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests/e2e"))
from conftest import Wine  # noqa: E402  the end-to-end harness: Xvfb, a prefix, the probe

CMD_HISTORY = 113
ID_PAGE_KEYBOARD, ID_KEY_RANGE = 1031, 1042

# How often each key is typed in English prose, per 1000 keystrokes (letters, space, Enter,
# Backspace, Shift and the common punctuation), by key (the virtual-key code, plus 0x100 for an
# extended key such as the arrows).
KEY_SHARE = {0x20: 170, 0x45: 90, 0x54: 65, 0x41: 58, 0x4F: 55, 0x49: 52, 0x4E: 50, 0x53: 48,
             0x48: 42, 0x52: 44, 0x44: 30, 0x4C: 29, 0x55: 20, 0x43: 20, 0x4D: 18, 0x57: 16,
             0x46: 17, 0x47: 14, 0x59: 14, 0x50: 14, 0x42: 11, 0x56: 7, 0x4B: 5, 0x4A: 1,
             0x58: 1, 0x51: 1, 0x5A: 1, 0x0D: 22, 0x08: 35, 0xA0: 20, 0xBE: 9, 0xBC: 10,
             0xA2: 8, 0x09: 4, 0x125: 3, 0x127: 3, 0x126: 2, 0x128: 2, 0x31: 2, 0x32: 2,
             0x30: 2, 0xBF: 1, 0xDE: 3, 0x12E: 3, 0x1B: 1}


def history(today, days=120, seed=2026):
    rnd = random.Random(seed)
    header = ("date,keystrokes,left,right,middle,x1,x2,double,wheel,distance_inches,"
              "running_seconds,idle_seconds," + ",".join(f"keys_{h:02d}" for h in range(24)) +
              "," + ",".join(f"clicks_{h:02d}" for h in range(24)) + ",keys,clicks")
    lines = [header]
    for back in range(days, 0, -1):
        day = today - datetime.timedelta(days=back)
        if day.weekday() >= 5 and rnd.random() < 0.7:
            continue
        keys_by_hour, clicks_by_hour = [0] * 24, [0] * 24
        for hour in list(range(8, 12)) + list(range(13, 18)):
            keys_by_hour[hour] = rnd.randint(600, 2400)
            clicks_by_hour[hour] = rnd.randint(80, 400)
        total = sum(keys_by_hour)
        shares = {k: share * rnd.uniform(0.9, 1.1) for k, share in KEY_SHARE.items()}
        whole = sum(shares.values())
        counts = {k: int(total * s / whole) for k, s in shares.items()}
        counts[0x20] += total - sum(counts.values())  # the rounding goes to the space bar
        clicks = sum(clicks_by_hour)
        left = clicks * 85 // 100
        fields = [day.isoformat(), total, left, clicks - left - 20, 15, 5, 0, left // 12,
                  rnd.randint(300, 1500), f"{rnd.uniform(8000, 30000):.3f}",
                  rnd.randint(6, 9) * 3600, rnd.randint(1200, 5400), *keys_by_hour,
                  *clicks_by_hour, " ".join(f"{k:03X}={n}" for k, n in sorted(counts.items())),
                  ""]
        lines.append(",".join(map(str, fields)))
    return "\r\n".join(lines) + "\r\n"


def wait_for(condition, what, seconds=30):
    deadline = time.monotonic() + seconds
    while not (result := condition()):
        if time.monotonic() > deadline:
            raise SystemExit(f"screenshot: {what}")
        time.sleep(0.3)
    return result


def numbers(text):
    """The name=number pairs of a probe's line (before its title or text)."""
    head = text.split(" title=")[0].split(" text=")[0]
    pairs = (part.split("=", 1) for part in head.split() if "=" in part)
    return {k: int(v) for k, v in pairs if v.lstrip("-").isdigit()}


def rect(text):
    v = numbers(text)
    return v["x"], v["y"], v["x"] + v["w"], v["y"] + v["h"]


def child(wine, title, id_):
    r = wine.probe("child", title, str(id_))
    return numbers(r.stdout) if r.returncode == 0 else None


def click(wine, c):
    wine.xdotool("mousemove", c["x"] + c["w"] // 2, c["y"] + c["h"] // 2)
    wine.xdotool("click", 1)


def main():
    target = ROOT / "docs/screenshot.png"
    wine = Wine(ROOT / "build/docs-screenshot", ROOT / "build/win64")
    try:
        wine.boot()
        today = datetime.date.today()
        measuredate = (today - datetime.date(1899, 12, 30)).days
        for name, data in {"Measuredate": str(measuredate), "Keystrokes": "1843250",
                           "Leftclicks": "412877", "Rightclicks": "38211", "Midclicks": "2417",
                           "Xclicks1": "1210", "Xclicks2": "96", "Dblclicks": "19730",
                           "Mousewheel": "95310", "Distance": "2450000.5",
                           "Time": "2764800", "Idle": "512000"}.items():
            wine.reg_set(name, data)
        folders = list(wine.prefix.glob("drive_c/users/*/AppData/Local"))
        history_dir = folders[0] / "Quillomat/History"
        history_dir.mkdir(parents=True, exist_ok=True)
        (history_dir / "history.csv").write_bytes(history(today).encode())

        wine.start([wine.exe("Quillomat.exe")])
        wait_for(lambda: wine.probe("window", "TfrmMain", "1000").returncode == 0, "no panel")
        wine.xdotool("mousemove", 1900, 1000)
        if wine.probe("command", "TfrmMain", str(CMD_HISTORY)).returncode:
            raise SystemExit("screenshot: the History window could not be opened")
        wait_for(lambda: wine.probe("shown", "TfrmHistory", "1000").returncode == 0,
                 "no History window")
        title = "History - Quillomat"
        click(wine, wait_for(lambda: child(wine, title, ID_PAGE_KEYBOARD), "no Keyboard tab"))
        click(wine, wait_for(lambda: child(wine, title, ID_KEY_RANGE), "no range"))
        wine.xdotool("key", "End", "Return")  # all time
        # The panel at the top, the window below it, both inside the picture.
        wine.probe("move", "TfrmMain", "40", "40")
        wine.probe("place", "TfrmHistory", "40", "110", "1000", "560")
        wine.xdotool("mousemove", 1900, 1000)
        time.sleep(2)  # the hint of the last key under the pointer fades; the page repaints
        full = wine.work / "desktop.png"
        wine.screenshot(full)
        boxes = [rect(wine.probe("window", cls, "1000").stdout)
                 for cls in ("TfrmMain", "TfrmHistory")]
        x0 = min(b[0] for b in boxes) - 12
        y0 = min(b[1] for b in boxes) - 12
        x1 = max(b[2] for b in boxes) + 12
        y1 = max(b[3] for b in boxes) + 12
        target.parent.mkdir(exist_ok=True)
        subprocess.run(["convert", str(full), "-crop", f"{x1 - x0}x{y1 - y0}+{x0}+{y0}", "+repage",
                        str(target)], check=True)
        print(f"screenshot: {target.relative_to(ROOT)}")
    finally:
        wine.shutdown()


if __name__ == "__main__":
    main()

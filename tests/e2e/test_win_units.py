"""The Windows-side tests of the Win32 shell (win_tests.exe, GoogleTest), run in the session's
Wine desktop, where real input reaches real hooks."""


def test_windows_side_unit_tests(wine):
    r = wine.run([wine.exe("win_tests.exe")], timeout=300)
    assert r.returncode == 0, r.stdout[-4000:] + r.stderr[-2000:]
    assert "[  PASSED  ]" in r.stdout

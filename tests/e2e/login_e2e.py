#!/usr/bin/env python3
"""The real client under the virtual display against the dev server's play mode: waits for the
login panel, types an ID and a password with synthetic input, and checks that the lobby is
reached (the dev server logs message 99 and the screen shows the lobby's deck panels, in the
placeholder colours of tools/assets).

    login_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import shutil
import sys

# The shared module is imported from the source tree, which gets no byte-code cache.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_client import LOGIN_PANEL_FILL, LOGIN_PANEL_PIXEL, logged_in, read_ppm, wait_for, xdrive  # noqa: E402

CLIENT, DEVSERVER, XDRIVE, BUILD = sys.argv[1:5]


def main():
    if not os.environ.get("DISPLAY"):
        print("SKIP: no display")
        return 0
    with logged_in(CLIENT, DEVSERVER, XDRIVE, BUILD, "client_e2e_") as session:
        log = session.log
        wait_for("lobby entry (message 99) in the dev server's log", lambda: "<- 99 MsgLobbyEnter" in log(), 120,
                 log)
        if "login of 'tester' accepted" not in log():
            raise SystemExit("FAIL: the dev server did not see the typed ID:\n" + log())

        # The lobby replaced the login panel: the panel's colour is gone from the screen.
        wait_for("lobby on screen", lambda: xdrive("pixel", *LOGIN_PANEL_PIXEL) != LOGIN_PANEL_FILL, 60)
        shot = os.path.join(session.work, "lobby.ppm")
        xdrive("shot", shot)
        if os.environ.get("E2E_SHOT"):
            shutil.copy(shot, os.environ["E2E_SHOT"])
        width, height, pixels = read_ppm(shot)
        if (width, height) != (1920, 1080):
            raise SystemExit(f"FAIL: the screen is {width}x{height}, not full screen")
        # The lobby's deck panels: the back lines under both large decks and a small deck's button.
        expected = {(600, 975): "2a2a3a", (1200, 975): "2a2a3a", (20, 660): "6a4a2a"}
        for (x, y), colour in expected.items():
            got = pixels[(y * width + x) * 3:(y * width + x) * 3 + 3].hex()
            if got != colour:
                raise SystemExit(f"FAIL: lobby pixel ({x}, {y}) is {got}, expected {colour}")
        print("PASS: logged in as 'tester' and reached the lobby")
        return 0


if __name__ == "__main__":
    sys.exit(main())

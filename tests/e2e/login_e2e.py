#!/usr/bin/env python3
"""The real client under the virtual display against the dev server's play mode: waits for the
login panel, types an ID and a password with synthetic input, and checks that the lobby is
reached (the dev server logs message 99 and the screen shows the lobby's deck panels, in the
placeholder colours of tools/assets).

    login_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import sys

# The shared module is imported from the source tree, which gets no byte-code cache.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_client import full_screen_shot, run_in_lobby  # noqa: E402


def main(session):
    # The lobby entered, and in place of the login panel on the screen.
    if "login of 'tester' accepted" not in session.log():
        raise SystemExit("FAIL: the dev server did not see the typed ID:\n" + session.log())
    width, pixels = full_screen_shot(session, "lobby.ppm")
    # The lobby's deck panels: the back lines under both large decks and a small deck's button.
    expected = {(600, 975): "2a2a3a", (1200, 975): "2a2a3a", (20, 660): "6a4a2a"}
    for (x, y), colour in expected.items():
        got = pixels[(y * width + x) * 3:(y * width + x) * 3 + 3].hex()
        if got != colour:
            raise SystemExit(f"FAIL: lobby pixel ({x}, {y}) is {got}, expected {colour}")
    print("PASS: logged in as 'tester' and reached the lobby")
    return 0


if __name__ == "__main__":
    sys.exit(run_in_lobby("client_e2e_", main, games_running=False))

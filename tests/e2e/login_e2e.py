#!/usr/bin/env python3
"""The real client under the virtual display against the dev server's play mode: waits for the
login panel, types an ID and a password with synthetic input, and checks that the lobby is
reached (the dev server logs message 99 and the screen shows the lobby's deck panels, in the
placeholder colours of tools/assets).

    login_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

CLIENT, DEVSERVER, XDRIVE, BUILD = sys.argv[1:5]
# The built-in list (variant 0 keeps its base order): the test serves on the first of these
# addresses whose port 10912 is free, and save.dat makes that server the client's first choice.
SERVERS = ["127.0.0.5", "127.0.0.4", "127.0.0.3", "127.0.0.2", "127.0.0.1"]
LOGIN_PANEL_FILL = "283848"  # the placeholder login panel (see tools/assets)
LOGIN_PANEL_PIXEL = (679 + 320, 676 + 70)


def xdrive(*args):
    return subprocess.run([XDRIVE, *map(str, args)], check=True, capture_output=True, text=True).stdout.strip()


def wait_for(what, predicate, seconds, log=None):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return
        time.sleep(0.25)
    tail = "" if log is None else "\n--- dev server log ---\n" + "\n".join(log().splitlines()[-20:])
    raise SystemExit(f"FAIL: no {what} within {seconds} s{tail}")


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    header, dims, depth, pixels = data.split(b"\n", 3)
    width, height = map(int, dims.split())
    return width, height, pixels


def main():
    if not os.environ.get("DISPLAY"):
        print("SKIP: no display")
        return 0
    work = tempfile.mkdtemp(prefix="client_e2e_")
    server = client = None
    try:
        # The client finds its resources and save.dat beside its own file: a copy in a folder of
        # the test's own, with the generated trees linked in.
        shutil.copy2(CLIENT, os.path.join(work, "client"))
        for tree in ("data_ui", "font", "DATA_PELAGORN", "data_jix", "data_morvane"):
            os.symlink(os.path.join(BUILD, tree), os.path.join(work, tree))
        server_log = open(os.path.join(work, "devserver.log"), "w+")
        for address in SERVERS:
            server_log.seek(0)
            server_log.truncate()
            server = subprocess.Popen([DEVSERVER, "--play", "--address", address], stdout=server_log,
                                      stderr=subprocess.STDOUT)
            wait_for("dev server", lambda: server.poll() is not None or "play mode on" in open(server_log.name).read(),
                     10)
            if server.poll() is None:
                break
            server = None
        if server is None:
            raise SystemExit("FAIL: port 10912 is taken on every built-in address")
        index = int(address.rsplit(".", 1)[1]) - 1
        with open(os.path.join(work, "save.dat"), "wb") as f:
            f.write(bytes([0, 0, 0, 0, index, 0, 0, 0]))

        env = dict(os.environ, SDL_AUDIODRIVER="dummy", ASAN_OPTIONS="detect_leaks=0")
        client = subprocess.Popen([os.path.join(work, "client")], cwd=work, env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("login panel", lambda: xdrive("pixel", *LOGIN_PANEL_PIXEL) == LOGIN_PANEL_FILL, 180)
        # The panel is drawn a frame before its edit box takes the keyboard; under load that can be
        # a while.
        time.sleep(2.0)

        # The ID edit has the focus; Tab moves to the password, Enter in the password logs in.
        xdrive("type", "tester")
        xdrive("key", "Tab")
        xdrive("type", "secret")
        xdrive("key", "Return")

        log = lambda: open(server_log.name).read()
        wait_for("lobby entry (message 99) in the dev server's log", lambda: "<- 99 MsgLobbyEnter" in log(), 120,
                 log)
        if "login of 'tester' accepted" not in log():
            raise SystemExit("FAIL: the dev server did not see the typed ID:\n" + log())

        # The lobby replaced the login panel: the panel's colour is gone from the screen.
        wait_for("lobby on screen", lambda: xdrive("pixel", *LOGIN_PANEL_PIXEL) != LOGIN_PANEL_FILL, 60)
        shot = os.path.join(work, "lobby.ppm")
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
    finally:
        for process in (client, server):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

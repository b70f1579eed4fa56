"""The set-up the end-to-end scripts share: a copy of the real client in a work folder of its own,
the dev server's play mode on the first free built-in address, a login with synthetic input, and
the lobby's and the machine selection dialog's layout.

    def main(session):
        wait_for("...", lambda: "..." in session.log(), 60, session.log)
        return 0

    sys.exit(e2e_client.run_in_lobby("client_e2e_", main))
"""
import contextlib
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

# The built-in list (variant 0 keeps its base order): the test serves on the first of these
# addresses whose port 10912 is free, and save.dat makes that server the client's first choice.
SERVERS = ["127.0.0.5", "127.0.0.4", "127.0.0.3", "127.0.0.2", "127.0.0.1"]
LOGIN_PANEL_FILL = "283848"  # the placeholder login panel (see tools/assets)
LOGIN_PANEL_PIXEL = (679 + 320, 676 + 70)
TREES = ("data_ui", "font", "DATA_PELAGORN", "data_jix", "data_morvane")

_xdrive_path = None


def xdrive(*args):
    return subprocess.run([_xdrive_path, *map(str, args)], check=True, capture_output=True,
                          text=True).stdout.strip()


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


def shot(session, name):
    """A screenshot in the work folder, copied to $E2E_SHOT when that is set; returns its path."""
    path = os.path.join(session.work, name)
    xdrive("shot", path)
    if os.environ.get("E2E_SHOT"):
        shutil.copy(path, os.environ["E2E_SHOT"])
    return path


def full_screen_shot(session, name):
    """A screenshot (as shot) of the client filling the 1920x1080 screen; returns its width and
    pixels."""
    width, height, pixels = read_ppm(shot(session, name))
    if (width, height) != (1920, 1080):
        raise SystemExit(f"FAIL: the screen is {width}x{height}, not full screen")
    return width, pixels


def region(work, x, y, width, height):
    """The screen's pixels in the rectangle, row by row (a screenshot in the work folder)."""
    shot = os.path.join(work, "region.ppm")
    xdrive("shot", shot)
    screen_width, _, pixels = read_ppm(shot)
    return b"".join(pixels[((y + row) * screen_width + x) * 3:((y + row) * screen_width + x + width) * 3]
                    for row in range(height))


def wait_for_change(what, work, rect, before, seconds, log=None):
    """Waits until the screen's rectangle no longer shows `before`."""
    wait_for(what, lambda: region(work, *rect) != before, seconds, log)


# Layout pixels (the client runs full screen at 1920x1080). Deck 2 is the large slot at x 960: its
# demonstration game (a Jix machine), whose launch marker sweeps while the game runs, and its
# machine button (180x80) at the slot's bottom-left corner.
DECK2_GAME = (960 + 40, 100, 400, 600)
DECK2_MACHINE_BUTTON = (960 + 90, 1080 - 40)

# The machine selection dialog (1400x880 placeholder) is centred at (260, 100); its channel page
# starts 75 below.
SELECT_PAGE = (260, 100 + 75)


def channel_button(k):
    """A point of channel button k (from 0) of the page. The buttons overlap (240 wide every 102): a
    click just right of a button's left edge reaches it, the topmost there."""
    return (SELECT_PAGE[0] + 70 + 102 * k + 10, SELECT_PAGE[1] + 36)


def machine_button(i):
    """Centre of machine button i (from 0) of the page, which stands at (160 + (i mod 10) * 114,
    125 + (i div 10) * 115) of the page, 110x100."""
    return (SELECT_PAGE[0] + 160 + (i % 10) * 114 + 55, SELECT_PAGE[1] + 125 + (i // 10) * 115 + 50)


# The place of the page's second machine button, and a part of the page below its five rows of
# machine buttons, where nothing is drawn.
MACHINE_2_RECT = (SELECT_PAGE[0] + 160 + 114, SELECT_PAGE[1] + 125, 110, 100)
EMPTY_PAGE_RECT = (SELECT_PAGE[0] + 160 + 114, SELECT_PAGE[1] + 125 + 5 * 115 - 10, 110, 80)


def machines_shown(work):
    """The page shows its machine buttons: the second one's place no longer looks like the empty page."""
    return region(work, *MACHINE_2_RECT) != region(work, *EMPTY_PAGE_RECT)


def wait_for_lobby(session, games_running=True):
    """Waits until the client has entered the lobby and shows it (the login panel's colour is gone
    from the screen), and with `games_running` until it runs the decks' games (the decks start them
    before the lobby takes input)."""
    log = session.log
    wait_for("lobby entry (message 99)", lambda: "<- 99 MsgLobbyEnter" in log(), 120, log)
    wait_for("lobby on screen", lambda: xdrive("pixel", *LOGIN_PANEL_PIXEL) != LOGIN_PANEL_FILL, 60, log)
    if games_running:
        wait_for_change("deck 2's game running", session.work, DECK2_GAME, region(session.work, *DECK2_GAME), 60,
                        log)


class Session:
    """The work folder, the client's process and the dev server's log of one run."""

    def __init__(self, work, server_log_path, client):
        self.work = work
        self.client = client
        self._server_log_path = server_log_path

    def log(self):
        with open(self._server_log_path) as f:
            return f.read()


def _start_server(devserver, server_log, server_args):
    """Starts the dev server on the first built-in address it can serve on; returns it and that
    address."""
    for address in SERVERS:
        server_log.seek(0)
        server_log.truncate()
        server = subprocess.Popen([devserver, "--play", "--address", address, *server_args], stdout=server_log,
                                  stderr=subprocess.STDOUT)
        wait_for("dev server", lambda: server.poll() is not None or "play mode on" in open(server_log.name).read(),
                 10)
        if server.poll() is None:
            return server, address
    raise SystemExit("FAIL: port 10912 is taken on every built-in address")


# Centres of the login panel's ID and password edits (the panel stands at 679, 676).
ID_EDIT = (679 + 200 + 150, 676 + 129 + 20)
PASSWORD_EDIT = (679 + 200 + 150, 676 + 205 + 20)


def _fill(edit, text):
    """Clicks into an edit, empties it and types the text."""
    xdrive("click", *edit)
    xdrive("key", "End")
    for _ in range(24):
        xdrive("key", "BackSpace")
    xdrive("type", text)


def _log_in(session, attempts=4, seconds=30):
    """Types the ID and password and presses Enter until the client connects. The panel is drawn a
    frame before its edits take the keyboard, and on a loaded machine that can be a while: keys
    that arrive earlier are lost, so the whole entry is made again."""
    connected = lambda: "connected" in session.log()
    for _ in range(attempts):
        if connected():
            return
        _fill(ID_EDIT, "tester")
        _fill(PASSWORD_EDIT, "secret")
        xdrive("key", "Return")
        try:
            wait_for("connection", connected, seconds)
            return
        except SystemExit:
            continue
    wait_for("connection after the login was typed", connected, 1, session.log)


@contextlib.contextmanager
def logged_in(client_path, devserver, xdrive_path, build, prefix, server_args=()):
    """Runs the client against the dev server (its play mode with the further arguments), types an
    ID and a password into the login panel and presses Enter; the caller checks what follows. Both
    processes end and the work folder goes on leaving the block."""
    global _xdrive_path
    _xdrive_path = xdrive_path
    work = tempfile.mkdtemp(prefix=prefix)
    server = client = None
    try:
        # The client finds its resources and save.dat beside its own file: a copy in a folder of
        # the test's own, with the generated trees linked in.
        shutil.copy2(client_path, os.path.join(work, "client"))
        for tree in TREES:
            os.symlink(os.path.join(build, tree), os.path.join(work, tree))
        server_log = open(os.path.join(work, "devserver.log"), "w+")
        server, address = _start_server(devserver, server_log, server_args)
        index = int(address.rsplit(".", 1)[1]) - 1
        with open(os.path.join(work, "save.dat"), "wb") as f:
            f.write(bytes([0, 0, 0, 0, index, 0, 0, 0]))

        env = dict(os.environ, SDL_AUDIODRIVER="dummy", ASAN_OPTIONS="detect_leaks=0")
        client = subprocess.Popen([os.path.join(work, "client")], cwd=work, env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("login panel", lambda: xdrive("pixel", *LOGIN_PANEL_PIXEL) == LOGIN_PANEL_FILL, 180)
        session = Session(work, server_log.name, client)
        _log_in(session)
        yield session
    finally:
        for process in (client, server):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(work, ignore_errors=True)


def run_in_lobby(prefix, test, server_args=(), games_running=True):
    """A script's run (its arguments: CLIENT DEVSERVER XDRIVE BUILD_DIR): skipped without a display;
    otherwise test(session) once the client is logged in and the lobby is up (wait_for_lobby), with
    the work folder named from `prefix`. A failure leaves a screenshot (failed.ppm, or $E2E_SHOT)
    and the tail of the client's error logs. Returns the exit code."""
    if not os.environ.get("DISPLAY"):
        print("SKIP: no display")
        return 0
    with logged_in(*sys.argv[1:5], prefix, server_args) as session:
        try:
            wait_for_lobby(session, games_running)
            return test(session)
        except SystemExit:
            shot(session, "failed.ppm")
            for path in glob.glob(os.path.join(session.work, "LOG", "ERROR_*.LOG")):
                with open(path, errors="replace") as f:
                    print("--- client error log ---\n" + "".join(f.readlines()[-20:]))
            raise

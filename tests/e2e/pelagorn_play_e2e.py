#!/usr/bin/env python3
"""The real client under the virtual display against the dev server's play mode: logs in, opens
machine selection from deck 4 (its demonstration game is a Pelagorn machine), chooses machine 2 of
the Pelagorn list, inserts money and turns auto play on. The test then follows the game through
the dev server's log: paid coins (36), item hits (37), spins (38) whose reels stop (42) and ask
for their result (39), the spin end (40) and the game finish (43), until the third canned spin's
high prize sends the gift meter over its maximum and the game pays it out in tickets (41). Then
it closes the client's window and expects a clean end.

    pelagorn_play_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import re
import sys
import time

# The shared module is imported from the source tree, which gets no byte-code cache.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_client import channel_button, full_screen_shot, machine_button, run_in_lobby, wait_for, xdrive  # noqa: E402

# Layout pixels (the client runs full screen at 1920x1080). Deck 4 is the small slot at x 1538
# (382x698); its machine, insert and auto-play buttons (120x56) stand along its bottom edge.
DECK4 = (1538, 0)
BUTTON_Y = 698 - 28
MACHINE_BUTTON = (DECK4[0] + 60, BUTTON_Y)
INSERT_BUTTON = (DECK4[0] + 127 + 60, BUTTON_Y)
AUTO_PLAY_BUTTON = (DECK4[0] + 254 + 60, BUTTON_Y)
# The game's 768x1280 picture is drawn at 382/768 of its size into the deck; the placeholder
# tree (tools/assets) lays the field out. Field point (40, 380) shows only the background's sea,
# untinted once the deck holds a real machine; the reels' first rows are centred at y 485.
SEA_FIELD_POINT = (40, 380)
SEA_FILL = "16304c"
REEL_FIELD_POINTS = [(166 + reel * 112 + 50, 485) for reel in range(4)]


def on_screen(field_point):
    x, y = field_point
    return DECK4[0] + x * 382 // 768, DECK4[1] + y * 382 // 768


def pixel(field_point):
    return xdrive("pixel", *on_screen(field_point)).lower()


# Request and answer lines of the dev server's log for machine 2 of type 3.
KEY = "03 02 00"


def request(message_id, name):
    return f"<- {message_id} {name}: {message_id:02x} 00 {KEY}"


def accepted(message_id, name):
    return f"-> {message_id} {name}: {message_id:02x} 00 {KEY} 01"


def act_until(action, what, predicate, seconds, log, every=5.0):
    """Repeats the action (a click, a close) until the predicate holds: one that lands while the
    client is still busy is simply made again."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        action()
        try:
            wait_for(what, predicate, min(every, max(0.5, deadline - time.monotonic())))
            return
        except SystemExit:
            continue
    wait_for(what, predicate, 0.5, log)


def play(session):
    log = session.log
    # Deck 4's machine button opens the dialog on the Pelagorn tab, which asks for its list.
    act_until(lambda: xdrive("click", *MACHINE_BUTTON), "the Pelagorn machine list asked for (message 10, type 3)",
              lambda: "<- 10 MsgChannelInfoRequest: 0a 00 03" in log(), 90, log)
    wait_for("the machine list sent", lambda: "-> 11 MsgChannelInfo: 0b 00 03" in log(), 30, log)

    def choose_machine():
        xdrive("click", *channel_button(0))
        time.sleep(0.5)
        xdrive("click", *machine_button(1))

    act_until(choose_machine, "machine 2 of type 3 asked for deck 4 (message 12)",
              lambda: "<- 12 MsgMachineSelect: 0c 00 03 03 02 00" in log(), 60, log)
    wait_for("the selection granted (message 13)", lambda: "-> 13 MsgMachineSelectResult: 0d 00 00" in log(), 30,
             log)
    wait_for("the Pelagorn game entering machine 2 (message 34)",
             lambda: request(34, "MsgPelagornEnter") in log(), 120, log)
    wait_for("the enter answer (message 34)", lambda: f"-> 34 MsgPelagornEnter: 22 00 {KEY}" in log(), 30, log)

    # Money in: one coin-in of 10000 credit.
    act_until(lambda: xdrive("click", *INSERT_BUTTON), "a coin-in request (message 35)",
              lambda: request(35, "MsgPelagornCoinIn") in log(), 60, log)
    wait_for("the coin-in accepted (message 35)", lambda: "-> 35 MsgPelagornCoinIn: 23 00 00" in log(), 30, log)

    # Auto play drops paid coins once the title has handed over to the game. The radio
    # toggles, so it is clicked once.
    xdrive("click", *AUTO_PLAY_BUTTON)
    wait_for("a paid coin (message 36)", lambda: request(36, "MsgPelagorn36") in log(), 90, log)

    # The player's machine shows the game's own background, no longer tinted as a demo.
    wait_for("game background on deck 4", lambda: pixel(SEA_FIELD_POINT) == SEA_FILL, 30, log)
    # Its reels: a symbol, not the sea, in the middle of each reel's first row (a spinning reel may
    # show the gap between two symbols for a moment).
    wait_for("reel symbols on deck 4", lambda: all(pixel(p) != SEA_FILL for p in REEL_FIELD_POINTS), 30, log)

    # Coins reach the item belt; spin items give spins, and the reels ask for them.
    wait_for("an item hit (message 37)", lambda: request(37, "MsgPelagorn37") in log(), 120, log)
    wait_for("a spin granted (message 38)", lambda: accepted(38, "MsgPelagornSpinData") in log(), 180, log)
    # One whole cycle: reels stopped, result asked and refused (every event comes with the
    # spin data), spin end confirmed, game finished.
    for what, line in [("the reels stopped (message 42)", request(42, "MsgPelagorn42")),
                       ("the result asked for (message 39)", request(39, "MsgPelagorn39")),
                       ("the spin end (message 40)", request(40, "MsgPelagornSpinEnd")),
                       ("the spin end confirmed (message 40)", accepted(40, "MsgPelagornSpinEnd")),
                       ("the game finish (message 43)", request(43, "MsgPelagornGameFin")),
                       ("the game finish answered (message 43)", accepted(43, "MsgPelagornGameFin"))]:
        wait_for(what, lambda line=line: line in log(), 60, log)

    # The third canned spin is the high prize: its game finish brings the gift meter to 25000,
    # over the maximum of 20000, and the game pays four gifts of 5000 out as tickets.
    wait_for("the high prize served", lambda: "Pelagorn spin: high prize" in log(), 300, log)
    wait_for("a ticket-out request (message 41)", lambda: request(41, "MsgPelagornTicketOut") in log(), 120, log)
    wait_for("the tickets paid (message 41)", lambda: accepted(41, "MsgPelagornTicketOut") in log(), 30, log)

    # The cycle rules held all along: never a second spin asked for before the last one's
    # game finish was answered.
    lines = [line for line in log().splitlines() if re.search(r"(<-|->) (38|43) MsgPelagorn", line)]
    open_cycle = False
    for line in lines:
        if request(38, "MsgPelagornSpinData") in line and open_cycle:
            raise SystemExit("FAIL: a spin was asked for inside an open cycle:\n" + "\n".join(lines))
        if accepted(38, "MsgPelagornSpinData") in line:
            open_cycle = True
        elif accepted(43, "MsgPelagornGameFin") in line:
            open_cycle = False

    full_screen_shot(session, "played.ppm")
    spins = log().count(accepted(38, "MsgPelagornSpinData"))

    # The program ends cleanly with the game running: closing the window asks first, closing
    # again ends it, and the game, its scenes and its threads go without a sanitizer report.
    client = session.client
    act_until(lambda: xdrive("close"), "the client's end after closing its window", lambda: client.poll() is not None,
              60, log, every=3.0)
    if client.returncode != 0:
        raise SystemExit(f"FAIL: the client ended with {client.returncode} after its window was closed")
    print(f"PASS: a Pelagorn machine on deck 4 played {spins} spins through to the game finish, paid its gifts out "
          "in tickets, and the client ended cleanly")
    return 0


if __name__ == "__main__":
    sys.exit(run_in_lobby("client_e2e_pelagorn_", play, games_running=False))

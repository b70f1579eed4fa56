#!/usr/bin/env python3
"""The real client in full screen (its caption bar shown) under the virtual display against the dev
server's play mode, driven by real key events: after the login, Shift+Ctrl+Right asks the server
to swap decks 2 and 3 and the client takes the swapped machine table; Enter opens the chat input
and a typed line reaches the server.

    lobby_keys_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import sys
import time

# The shared module is imported from the source tree, which gets no byte-code cache.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_client import full_screen_shot, run_in_lobby, wait_for, xdrive  # noqa: E402

# "hi there" as the chat request carries it: kind 0, then the UTF-16LE text with its byte count.
CHAT_REQUEST = "<- 100 MsgChat: 64 00 00 10 00 68 00 69 00 20 00 74 00 68 00 65 00 72 00 65 00"


def main(session):
    log = session.log
    full_screen_shot(session, "lobby.ppm")

    # Shift+Ctrl+Right: decks 2 and 3 (message 108), and the server's swapped table back. The lobby
    # reads Shift and Ctrl as they are when it takes the Right key, so they stay held (as a
    # player's fingers do) until the request is out, however slowly the client runs.
    def swap_sent():
        return "<- 108 MsgDeckSwap: 6c 00 02 03" in log()
    for _ in range(3):
        xdrive("down", "Shift_L", "Control_L")
        try:
            xdrive("key", "Right")
            wait_for("the deck swap asked for", swap_sent, 10)
            break
        except SystemExit:
            continue
        finally:
            xdrive("up", "Control_L", "Shift_L")
    wait_for("the deck swap asked for (message 108, decks 2 and 3)", swap_sent, 1, log)
    wait_for("the swapped machine table sent", lambda: "-> 108 MsgDeckSwap" in log(), 30, log)

    # Enter opens the chat input; the typed line goes out with Enter.
    xdrive("key", "Return")
    time.sleep(1.0)
    xdrive("type", "hi there")
    xdrive("key", "Return")
    wait_for("the chat line at the server (message 100)", lambda: CHAT_REQUEST in log(), 60, log)
    wait_for("the chat line echoed (message 101)", lambda: "-> 101 MsgChatLine" in log(), 30, log)
    print("PASS: Shift+Ctrl+Right swapped decks 2 and 3 and Enter sent a chat line, in full screen")
    return 0


if __name__ == "__main__":
    sys.exit(run_in_lobby("client_e2e_keys_", main))

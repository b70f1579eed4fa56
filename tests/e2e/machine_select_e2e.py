#!/usr/bin/env python3
"""The real client under the virtual display against the dev server's play mode: logs in, opens
machine selection with the machine button of deck 2 (its demonstration game is a Jix machine),
chooses the second channel and its second machine (52, free), and checks that the server gave the
machine to deck 2 and that the Jix game started on it (its enter request reaches the server).

    machine_select_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import shutil
import sys

# The shared module is imported from the source tree, which gets no byte-code cache.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_client import (logged_in, machines_shown, read_ppm, region, wait_for, wait_for_change,  # noqa: E402
                        wait_for_lobby, xdrive, MACHINE_2_RECT)

CLIENT, DEVSERVER, XDRIVE, BUILD = sys.argv[1:5]

# Layout pixels (the client runs full screen at 1920x1080). Deck 2 is the large slot at x 960; its
# machine button (180x80) sits at its bottom-left corner.
DECK2_MACHINE_BUTTON = (960 + 90, 1080 - 40)
# The selection dialog (1400x880 placeholder) is centred at (260, 100); its channel page starts 75
# below. Channel buttons overlap (240 wide every 102): a click just right of button k's left edge
# reaches button k, the topmost there.
DIALOG = (260, 100)
PAGE = (DIALOG[0], DIALOG[1] + 75)
CHANNEL_2 = (PAGE[0] + 70 + 102 + 10, PAGE[1] + 36)
# Machine button i of the page: (160 + (i mod 10) * 114, 125 + (i div 10) * 115), 110x100.
MACHINE_2_OF_PAGE = (PAGE[0] + 160 + 114 + 55, PAGE[1] + 125 + 50)


def main():
    if not os.environ.get("DISPLAY"):
        print("SKIP: no display")
        return 0
    with logged_in(CLIENT, DEVSERVER, XDRIVE, BUILD, "client_e2e_select_") as session:
        log = session.log
        wait_for_lobby(session)

        # The machine button opens the dialog on the Jix tab, which asks for the Jix list.
        xdrive("click", *DECK2_MACHINE_BUTTON)
        wait_for("the Jix machine list asked for (message 10, type 1)",
                 lambda: "<- 10 MsgChannelInfoRequest: 0a 00 01" in log(), 60, log)
        wait_for("the machine list sent", lambda: "-> 11 MsgChannelInfo" in log(), 30, log)
        wait_for("the first channel's machines on the page", lambda: machines_shown(session.work), 60, log)
        shot = os.path.join(session.work, "select.ppm")
        xdrive("shot", shot)
        if os.environ.get("E2E_SHOT"):
            shutil.copy(shot, os.environ["E2E_SHOT"])
        width, height, _ = read_ppm(shot)
        if (width, height) != (1920, 1080):
            raise SystemExit(f"FAIL: the screen is {width}x{height}, not full screen")

        # Channel 2, then its second machine: 52 for deck 2.
        first_channel = region(session.work, *MACHINE_2_RECT)
        xdrive("click", *CHANNEL_2)
        wait_for_change("the second channel's machines on the page", session.work, MACHINE_2_RECT, first_channel, 30,
                        log)
        xdrive("click", *MACHINE_2_OF_PAGE)
        wait_for("machine 52 of type 1 asked for deck 2 (message 12)",
                 lambda: "<- 12 MsgMachineSelect: 0c 00 02 01 34 00" in log(), 60, log)
        wait_for("the selection granted (message 13)", lambda: "-> 13 MsgMachineSelectResult: 0d 00 00" in log(), 30,
                 log)
        # The Jix game on machine 52 enters its machine.
        wait_for("the Jix game entering machine 52 (message 14)", lambda: "<- 14 MsgJixEnter: 0e 00 01 34 00" in log(),
                 120, log)
        print("PASS: machine 52 of the Jix list chosen for deck 2 and its game entered the machine")
        return 0


if __name__ == "__main__":
    sys.exit(main())

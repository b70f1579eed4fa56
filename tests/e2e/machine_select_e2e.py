#!/usr/bin/env python3
"""The real client under the virtual display against the dev server's play mode: logs in, opens
machine selection with the machine button of deck 2 (its demonstration game is a Jix machine),
chooses the second channel and its second machine (52, free), and checks that the server gave the
machine to deck 2 and that the Jix game started on it (its enter request reaches the server).

    machine_select_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import sys

# The shared module is imported from the source tree, which gets no byte-code cache.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_client import (DECK2_MACHINE_BUTTON, MACHINE_2_RECT, channel_button, full_screen_shot,  # noqa: E402
                        machine_button, machines_shown, region, run_in_lobby, wait_for, wait_for_change, xdrive)


def main(session):
    log = session.log
    # The machine button opens the dialog on the Jix tab, which asks for the Jix list.
    xdrive("click", *DECK2_MACHINE_BUTTON)
    wait_for("the Jix machine list asked for (message 10, type 1)",
             lambda: "<- 10 MsgChannelInfoRequest: 0a 00 01" in log(), 60, log)
    wait_for("the machine list sent", lambda: "-> 11 MsgChannelInfo" in log(), 30, log)
    wait_for("the first channel's machines on the page", lambda: machines_shown(session.work), 60, log)
    full_screen_shot(session, "select.ppm")

    # Channel 2, then its second machine: 52 for deck 2.
    first_channel = region(session.work, *MACHINE_2_RECT)
    xdrive("click", *channel_button(1))
    wait_for_change("the second channel's machines on the page", session.work, MACHINE_2_RECT, first_channel, 30,
                    log)
    xdrive("click", *machine_button(1))
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
    sys.exit(run_in_lobby("client_e2e_select_", main))

#!/usr/bin/env python3
"""The real client under the virtual display against a dev server that holds each machine
selection's answer for a few seconds: two machines clicked one after the other for deck 2 send one
request only, the held grant closes the dialog, and the Jix game enters the one machine granted.

    machine_select_slow_e2e.py CLIENT DEVSERVER XDRIVE BUILD_DIR
"""
import os
import sys
import time

# The shared module is imported from the source tree, which gets no byte-code cache.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_client import DECK2_MACHINE_BUTTON, machine_button, machines_shown, run_in_lobby, wait_for, xdrive  # noqa: E402

HOLD_MS = 4000


def main(session):
    log = session.log
    xdrive("click", *DECK2_MACHINE_BUTTON)
    wait_for("the Jix machine list sent", lambda: "-> 11 MsgChannelInfo" in log(), 60, log)
    wait_for("the first channel's machines on the page", lambda: machines_shown(session.work), 60, log)

    # Machines 2 and 3 (both free), the second while the first one's answer is held.
    xdrive("click", *machine_button(1))
    wait_for("machine 2 asked for deck 2 (message 12)",
             lambda: "<- 12 MsgMachineSelect: 0c 00 02 01 02 00" in log(), 60, log)
    xdrive("click", *machine_button(2))
    wait_for("the held grant (message 13)", lambda: "-> 13 MsgMachineSelectResult: 0d 00 00" in log(),
             HOLD_MS / 1000 + 30, log)
    wait_for("the Jix game entering machine 2 (message 14)",
             lambda: "<- 14 MsgJixEnter: 0e 00 01 02 00" in log(), 120, log)
    # Anything the second click sent would have been read by now.
    time.sleep(2.0)
    requests = log().count("<- 12 MsgMachineSelect")
    if requests != 1:
        raise SystemExit(f"FAIL: {requests} machine selection requests for one deck\n" + log())
    print("PASS: one machine selection request while the answer was held; machine 2 granted and entered")
    return 0


if __name__ == "__main__":
    sys.exit(run_in_lobby("client_e2e_slow_select_", main, ["--hold-select", str(HOLD_MS)]))

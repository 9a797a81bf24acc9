#!/usr/bin/env python3
"""Launches a program as a client of a running sway and prints, as
launch_until_mapped does on X11, "map_ms=<ms> maxrss_kb=<kB>": the time from
launching it until sway maps its first window (sway's IPC window event "new",
sent as the window's first frame is committed), and the process's peak RSS
read SETTLE_MS after that, before it is killed.

usage: launch_until_mapped_wayland.py SETTLE_MS TIMEOUT_MS PROGRAM [ARGS...]
(WAYLAND_DISPLAY, XDG_RUNTIME_DIR and SWAYSOCK name the compositor.)"""
import json
import os
import selectors
import subprocess
import sys
import time


def main():
    settle_ms, timeout_ms = int(sys.argv[1]), int(sys.argv[2])
    command = sys.argv[3:]
    events = subprocess.Popen(["swaymsg", "-m", "-r", "-t", "subscribe", '["window"]'],
                              stdout=subprocess.PIPE, text=True)
    # swaymsg says nothing until an event comes: give it time to subscribe.
    time.sleep(0.2)
    start = time.monotonic()
    program = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    mapped = None
    selector = selectors.DefaultSelector()
    selector.register(events.stdout, selectors.EVENT_READ)
    buffer = ""
    decoder = json.JSONDecoder()
    while mapped is None:
        left = timeout_ms / 1000 - (time.monotonic() - start)
        if left <= 0 or program.poll() is not None:
            break
        if not selector.select(left):
            continue
        chunk = os.read(events.stdout.fileno(), 65536).decode()
        now = time.monotonic()
        buffer += chunk
        while buffer.strip():
            try:
                event, end = decoder.raw_decode(buffer.lstrip())
            except ValueError:
                break
            buffer = buffer.lstrip()[end:]
            if event.get("change") == "new" and event["container"].get("pid") == program.pid:
                mapped = now
                break
    events.kill()
    if mapped is None:
        program.kill()
        print("no window was mapped", file=sys.stderr)
        return 1
    time.sleep(settle_ms / 1000)
    with open(f"/proc/{program.pid}/status") as status:
        peak = next(int(line.split()[1]) for line in status if line.startswith("VmHWM:"))
    program.kill()
    program.wait()
    print(f"map_ms={(mapped - start) * 1000:.1f} maxrss_kb={peak}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

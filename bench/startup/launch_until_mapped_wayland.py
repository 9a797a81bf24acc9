#!/usr/bin/env python3
"""Launches a program as a Wayland client and prints, as launch_until_mapped
does on X11, "map_ms=<ms> maxrss_kb=<kB>": the time from launching it until
its first window's first frame is committed, which is when a compositor maps
it, and the process's peak RSS read SETTLE_MS after that, before it is killed.

Under sway (SWAYSOCK set) the map is sway's IPC window event "new". Weston
and mutter tell no client of a map, so there the program's own protocol log
(WAYLAND_DEBUG=client, read as it is written) shows the first commit of a
buffer to a surface that was made a window; writing that log costs the
program some time, which is counted against it.

usage: launch_until_mapped_wayland.py SETTLE_MS TIMEOUT_MS PROGRAM [ARGS...]
(WAYLAND_DISPLAY, XDG_RUNTIME_DIR and, for sway, SWAYSOCK name the compositor.)"""
import json
import os
import re
import selectors
import subprocess
import sys
import threading
import time

WINDOW = re.compile(r"-> xdg_wm_base[@#]\d+\.get_xdg_surface\(new id xdg_surface[@#]\d+, wl_surface[@#](\d+)\)")
ATTACH = re.compile(r"-> wl_surface[@#](\d+)\.attach\(wl_buffer[@#]\d+")
COMMIT = re.compile(r"-> wl_surface[@#](\d+)\.commit\(\)")


def first_frame_from_log(program, timeout_ms, start):
    """The time of the first commit of a buffer to a window's surface in the
    program's protocol log on its stderr, or None. A thread of its own drains
    the log to its end, so the program never blocks on it."""
    windows, attached, mapped = set(), set(), []
    found = threading.Event()

    def read():
        for line in program.stderr:
            if found.is_set():
                continue
            if match := WINDOW.search(line):
                windows.add(match[1])
            elif match := ATTACH.search(line):
                attached.add(match[1])
            elif (match := COMMIT.search(line)) and match[1] in windows & attached:
                mapped.append(time.monotonic())
                found.set()

    threading.Thread(target=read, daemon=True).start()
    while not found.wait(0.001):
        if time.monotonic() - start > timeout_ms / 1000 or program.poll() is not None:
            return None
    return mapped[0]


def first_frame_from_sway(program, events, timeout_ms, start):
    """The time of sway's window event "new" for the program, or None."""
    selector = selectors.DefaultSelector()
    selector.register(events.stdout, selectors.EVENT_READ)
    buffer = ""
    decoder = json.JSONDecoder()
    while True:
        left = timeout_ms / 1000 - (time.monotonic() - start)
        if left <= 0 or program.poll() is not None:
            return None
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
                return now


def main():
    settle_ms, timeout_ms = int(sys.argv[1]), int(sys.argv[2])
    command = sys.argv[3:]
    on_sway = bool(os.environ.get("SWAYSOCK"))
    if on_sway:
        events = subprocess.Popen(["swaymsg", "-m", "-r", "-t", "subscribe", '["window"]'],
                                  stdout=subprocess.PIPE, text=True)
        # swaymsg says nothing until an event comes: give it time to subscribe.
        time.sleep(0.2)
        start = time.monotonic()
        program = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        mapped = first_frame_from_sway(program, events, timeout_ms, start)
        events.kill()
    else:
        start = time.monotonic()
        program = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, text=True, errors="replace",
                                   env=dict(os.environ, WAYLAND_DEBUG="client"))
        mapped = first_frame_from_log(program, timeout_ms, start)
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

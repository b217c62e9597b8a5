"""Start-up of lentora.exe -start with the automatic update check due, against the same start with
the check switched off. The system proxy points at a local listener that accepts and never
answers, so the check stays pending on its worker thread for the whole run and its result never
comes.

Time of a run: from process creation to the log line "Begin timer of Start" (the main window
exists, minimised to the tray, and the walk has begun); beside it the part inside the program,
from its first log line to that one, which Wine's process start does not blur. Runs alternate
between the two settings inside a Wine virtual desktop (no window manager to wait for). Prints
medians and the ratios.
Usage: startup_update_bench.py [runs]   (environment as for the end-to-end tests)
"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))

import local_net  # noqa: E402
import wine_program as wp  # noqa: E402

RUN_LIMIT = 60
REQUEST_LIMIT = 5  # seconds for a request of a closed program to be seen as accepted


def requests_reach(silent, count, limit=REQUEST_LIMIT):
    """Whether the silent server has seen `count` connections within `limit` seconds."""
    end = time.monotonic() + limit
    while len(silent.received) < count and time.monotonic() < end:
        time.sleep(0.05)
    return len(silent.received) >= count


def one_run(folder, silent, check_update):
    folder.write_ini({"UseLog": 1, "WaitTimer": 0, "TimeExit": 0, "ShowBalloon": 0,
                      "check_update": int(check_update), "PollingInterval": 0})
    if os.path.exists(folder.path("lentora.log")):
        os.remove(folder.path("lentora.log"))
    before = len(silent.received)
    run = folder.start(["-start", "-log"], desktop="lentora-bench")
    run.wait(RUN_LIMIT)
    log = folder.log()
    texts = [entry.text for entry in log]
    # The run measured what it should: a request that went out and never came back (the window
    # closes before the check ends, so none of its lines reach the log), or no check at all.
    if check_update:
        measured = requests_reach(silent, before + 1) and not any(t.startswith("Lastversion") for t in texts)
    else:
        measured = len(silent.received) == before and "Check update is disable" in texts
    if not measured:
        raise RuntimeError(f"unexpected run (check_update={check_update}):\n" + "\n".join(texts))
    walk = next(entry.time for entry in log if entry.text == "Begin timer of Start")
    return (walk.timestamp() - run.started) * 1000, (walk - log[0].time).total_seconds() * 1000


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    folder = wp.ProgramFolder()
    folder.write_task_list([])
    times = {True: [], False: []}
    try:
        with local_net.WebServer(None) as silent, \
                wp.registry_values(wp.INTERNET_SETTINGS, wp.proxy_settings(silent.port)), \
                wp.registry_values(wp.RUN_KEY, {"Lentora": None}):
            one_run(folder, silent, True)  # warm-up: caches and the desktop process
            one_run(folder, silent, False)
            for i in range(runs):
                order = (True, False) if i % 2 == 0 else (False, True)
                for check in order:
                    times[check].append(one_run(folder, silent, check))
                print(f"run {i + 1}: check on {times[True][-1][0]:.0f} ms ({times[True][-1][1]:.0f} in the program), "
                      f"off {times[False][-1][0]:.0f} ms ({times[False][-1][1]:.0f})", flush=True)
    finally:
        folder.cleanup()
    for part, name in ((0, "process start to walk"), (1, "first log line to walk")):
        on = statistics.median(t[part] for t in times[True])
        off = statistics.median(t[part] for t in times[False])
        print(f"{name}, {runs} runs each: check pending median {on:.0f} ms, check off median {off:.0f} ms, "
              f"ratio {on / off:.3f}")


if __name__ == "__main__":
    main()

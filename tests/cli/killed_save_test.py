#!/usr/bin/python3
"""Real saves of a diary and its history killed with SIGKILL at moments spread over the save.

Usage: killed_save_test.py GASTROLOG_CLI

Two diaries with histories of their own are imported over one another (the history replaced
whole) and trained in place (the history changed in one transaction). Each save is killed at
a moment within it; afterwards the diary must be byte for byte the old or the new one, the
history must pass SQLite's integrity check and hold the days of one of the two, the program
must read both, and the next complete save must leave no journal or temporary file behind.
"""

import os
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

cli = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what, flush=True)


def run(*arguments):
    result = subprocess.run([cli, *arguments], capture_output=True, text=True, env=environment)
    if result.returncode != 0:
        raise RuntimeError(" ".join(arguments) + ": " + result.stdout + result.stderr)
    return result.stdout


def history_of(diary):
    return diary[:-len(".glg")] + ".glh"


def read_only(history, *queries):
    database = sqlite3.connect("file:" + history + "?mode=ro", uri=True)
    try:
        return tuple(tuple(database.execute(query).fetchall()) for query in queries)
    finally:
        database.close()


def days_held(history):
    """What a history holds, in an order that does not depend on how it was written."""
    return read_only(history, "SELECT date, estimated FROM day ORDER BY date",
                     "SELECT date, food FROM eaten ORDER BY date, food",
                     "SELECT date, symptom, rating FROM rating ORDER BY date, symptom",
                     "SELECT last_update, day_count FROM diary_state",
                     "SELECT slot, date FROM slot ORDER BY slot")


def snapshot(diary):
    with open(diary, "rb") as file:
        return file.read(), days_held(history_of(diary))


def leftovers(folder):
    return sorted(name for name in os.listdir(folder)
                  if name.endswith("-journal") or name.endswith(".tmp") or ".glh.new" in name)


def save(arguments, lock, kill_after=None):
    """Runs a save, killed `kill_after` seconds after it took the diary's lock unless it ended
    first. Returns the seconds from taking the lock to exiting, and whether it was killed."""
    process = subprocess.Popen([cli, *arguments], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, env=environment)
    while not os.path.exists(lock) and process.poll() is None:
        pass
    locked = time.perf_counter()
    while kill_after is not None and time.perf_counter() < locked + kill_after \
            and process.poll() is None:
        pass
    killed = kill_after is not None and process.poll() is None
    if killed:
        os.kill(process.pid, signal.SIGKILL)
    process.wait()
    if not killed and process.returncode != 0:
        raise RuntimeError(" ".join(arguments) + " failed")
    return time.perf_counter() - locked, killed


def check_after_kill(diary, allowed, what):
    data = open(diary, "rb").read()
    check(any(data == version[0] for version in allowed),
          what + ": the diary is neither the old nor the new one")
    # The program opens what was left (rolling a half-written history back) without a word of
    # damage, and leaves the diary as it was.
    shown = run("info", diary)
    check("History:" in shown and "damaged" not in shown, what + ": info says " + shown)
    check(open(diary, "rb").read() == data, what + ": reading changed the diary")
    history = history_of(diary)
    check(read_only(history, "PRAGMA integrity_check") == ((("ok",),),),
          what + ": the history fails SQLite's integrity check")
    check(any(days_held(history) == version[1] for version in allowed),
          what + ": the history holds neither version's days")


environment = dict(os.environ)
work = tempfile.mkdtemp(prefix="gastrolog-killed-save-")
environment.update(HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"))
try:
    # Two versions with different days, foods and histories.
    versions = {}
    for name, seed, days, start in (("first", "1", "64", "2025-01-06"),
                                    ("second", "2", "58", "2025-02-20")):
        made = os.path.join(work, name + ".glg")
        run("simulate", "--days", days, "--seed", seed, "--foods", "12", "--symptoms", "3",
            "--start", start, "--train-last-day-only", "--backup-days", "0", "-o", made)
        exported = os.path.join(work, name + ".json")
        run("export", made, "-o", exported)
        versions[name] = exported

    diary = os.path.join(work, "kept", "My diary.glg")
    os.makedirs(os.path.dirname(diary))
    lock = os.path.join(os.path.dirname(diary), ".My diary.glg.lock")

    def import_arguments(name):
        return ["import", versions[name], "-o", diary, "--force", "--backup-days", "0"]

    train_arguments = ["train", diary, "--backup-days", "0"]

    # What each version looks like once imported, and once trained in place after that.
    imported, trained, window = {}, {}, {}
    for name in versions:
        window["import"] = save(import_arguments(name), lock)[0]
        imported[name] = snapshot(diary)
        window["train"] = save(train_arguments, lock)[0]
        trained[name] = snapshot(diary)
    check(imported["first"][0] != imported["second"][0], "the two diaries differ")
    check(imported["first"][1] != imported["second"][1], "the two histories differ")

    current, now = "second", trained["second"]
    kills = 0
    counts = {"import": 14, "train": 5}
    rounds = [(operation, step) for operation, count in counts.items() for step in range(count)]
    for operation, step in rounds:
        # Moments spread evenly over the save, from taking the lock to a little past its end.
        delay = window[operation] * 1.1 * step / counts[operation]
        if operation == "import":
            following = "first" if current == "second" else "second"
            allowed = [now, imported[following]]
            arguments = import_arguments(following)
        else:
            allowed = [now, trained[current]]
            arguments = train_arguments
        what = "%s killed %.1f ms into its save" % (operation, delay * 1000)
        kills += save(arguments, lock, delay)[1]
        check_after_kill(diary, allowed, what)

        # The next complete save leaves nothing beside the diary but the diary and history.
        current = "first" if step % 2 else "second"
        run(*import_arguments(current))
        now = snapshot(diary)
        check(now == imported[current], what + ": the next save wrote its version")
        left = leftovers(os.path.dirname(diary))
        check(not left, what + ": the next save left " + ", ".join(left))
    # The machine's load changes how long a save takes; most kills still fall within one.
    check(kills >= len(rounds) // 3, "saves were killed before their end (%d)" % kills)
    print("%d saves, %d killed before their end" % (len(rounds), kills))
finally:
    subprocess.run(["rm", "-rf", work])

if failures:
    print("%d failure(s)" % len(failures))
    sys.exit(1)
print("ok")

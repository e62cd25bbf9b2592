#!/usr/bin/python3
"""Real saves of a diary and its history killed with SIGKILL at moments spread over the save.

Usage: killed_save_test.py GASTROLOG_CLI

Two diaries with histories of their own are imported over one another (the history replaced
whole) and trained in place (the history changed in one transaction). After each kill the diary
must be byte for byte the old or the new one, the history sound and holding the days of one of
the two, both readable, and the next complete save must leave no journal or temporary behind.
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


def snapshot(diary):
    """The diary's bytes, and its history's soundness and contents in an order that does not
    depend on how it was written."""
    database = sqlite3.connect("file:" + diary[:-len(".glg")] + ".glh?mode=ro", uri=True)
    try:
        held = tuple(tuple(database.execute(query).fetchall()) for query in (
            "PRAGMA integrity_check", "SELECT date, estimated FROM day ORDER BY date",
            "SELECT date, food FROM eaten ORDER BY date, food",
            "SELECT date, symptom, rating FROM rating ORDER BY date, symptom",
            "SELECT last_update, day_count FROM diary_state",
            "SELECT slot, date FROM slot ORDER BY slot"))
    finally:
        database.close()
    with open(diary, "rb") as file:
        return file.read(), held


def save(arguments, kill_after=None):
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
    if process.wait() != 0 and not killed:
        raise RuntimeError(" ".join(arguments) + " failed")
    return time.perf_counter() - locked, killed


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
        versions[name] = os.path.join(work, name + ".json")
        run("export", made, "-o", versions[name])

    kept = os.path.join(work, "kept")
    diary = os.path.join(kept, "My diary.glg")
    os.makedirs(kept)
    lock = os.path.join(kept, ".My diary.glg.lock")
    saves = {"import": lambda name: ["import", versions[name], "-o", diary, "--force",
                                     "--backup-days", "0"],
             "train": lambda name: ["train", diary, "--backup-days", "0"]}

    # What each version looks like once imported, and once trained in place after that.
    imported, trained, window = {}, {}, {}
    for name in versions:
        window["import"] = save(saves["import"](name))[0]
        imported[name] = snapshot(diary)
        window["train"] = save(saves["train"](name))[0]
        trained[name] = snapshot(diary)
    check(all(imported["first"][i] != imported["second"][i] for i in (0, 1)),
          "the two diaries and their histories differ")

    current, now = "second", trained["second"]
    kills = 0
    rounds = [(operation, step, count) for operation, count in (("import", 10), ("train", 4))
              for step in range(count)]
    for operation, step, count in rounds:
        # Moments spread evenly over the save, from taking the lock to a little past its end.
        delay = window[operation] * 1.1 * step / count
        following = current if operation == "train" else \
            "first" if current == "second" else "second"
        allowed = [now, (trained if operation == "train" else imported)[following]]
        what = "%s killed %.1f ms into its save" % (operation, delay * 1000)
        kills += save(saves[operation](following), delay)[1]
        data = open(diary, "rb").read()
        check(any(data == version[0] for version in allowed),
              what + ": the diary is neither the old nor the new one")
        # The program opens what was left (rolling a half-written history back) without a word
        # of damage, and leaves the diary as it was.
        shown = run("info", diary)
        check("History:" in shown and "damaged" not in shown, what + ": info says " + shown)
        check(open(diary, "rb").read() == data, what + ": reading changed the diary")
        check(any(snapshot(diary)[1] == version[1] for version in allowed),
              what + ": the history is damaged or holds neither version's days")

        # The next complete save leaves nothing beside the diary but the diary and history.
        current = "first" if step % 2 else "second"
        run(*saves["import"](current))
        now = snapshot(diary)
        check(now == imported[current], what + ": the next save wrote its version")
        left = [name for name in os.listdir(kept)
                if name.endswith(("-journal", ".tmp")) or ".glh.new" in name]
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

#!/usr/bin/python3
"""Lives diary days in the real desktop program under faketime, by keys: a check by hand
that the history keeps every day and Charts, Evidence and the report reach back past 50 days.

    live_desktop_days.py GASTROLOG DIARY FIRST_DATE DAYS

For each day: starts GASTROLOG DIARY at 19:00 of that date (faketime), answers the new-day
question with Yes, closes the tip of the day, enters the day in the Today window (ratings by
keys, foods typed into its search box), saves with Ctrl+S and quits by File > Exit. Chocolate
makes Headache worse the next day and Milk Bloating, so the evidence has links to find.

It runs on $DISPLAY, an X server without a window manager, with settings of its own, e.g.:

    Xvfb :57 -screen 0 1280x1024x24 &
    export DISPLAY=:57 HOME=$(mktemp -d) TZ=Europe/Berlin GASTROLOG_RES=$PWD/res
    export XDG_CONFIG_HOME=$HOME/config XDG_DATA_HOME=$HOME/data
    build/default/gastrolog-cli simulate --days 5 --seed 3 --foods 12 --symptoms 3 \
        --start 2025-01-06 --train-last-day-only -o $HOME/diary.glg
    tests/manual/live_desktop_days.py build/default/gastrolog $HOME/diary.glg 2025-01-11 70

The foods are those of that simulated diary. Afterwards open the diary at the last day's
evening (faketime) and look at View > Charts, Action > Evidence and File > Export Report
(`import -window root` takes screenshots), and run `sqlite3 DIARY.glh .dump`. Run
`gastrolog-cli info DIARY` with the same TZ: the file holds the moment in seconds, and info
shows it in the reader's local time (19:00 in Berlin reads 18:00 on a machine kept on UTC).
"""

import datetime
import os
import random
import subprocess
import sys
import time

program, diary, first, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
FOODS = ["Bread", "Butter", "Coffee", "Cheese", "Milk", "Tomatoes", "Apples", "Chocolate",
         "Pasta", "Red wine", "Rice"]
random.seed(11)


def windows(name):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], capture_output=True,
                            text=True)
    return result.stdout.split()


def wait_for(name, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = windows(name)
        if found:
            return found[0]
        time.sleep(0.2)
    raise RuntimeError("no window " + name)


def keys(window, *names):
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    subprocess.run(["xdotool", "key", "--delay", "30", *names], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def live(date, eaten_yesterday):
    moment = datetime.datetime.combine(date, datetime.time(19, 0))
    epoch = int(moment.timestamp())
    before = os.stat(diary).st_mtime_ns
    process = subprocess.Popen(["faketime", "@%d" % epoch, program, diary],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    keys(wait_for("^Gastrolog$"), "Return")  # "It's a new day!" - Yes
    main = wait_for(" - Gastrolog$")
    keys(wait_for("^Tip of the Day$"), "Escape")
    while windows("^Tip of the Day$"):
        time.sleep(0.1)
    eaten = random.sample(FOODS, random.randint(2, 4))
    # Chocolate makes the headache worse the next day, milk the bloating.
    ratings = ["w" if "Chocolate" in eaten_yesterday else random.choice("bnnn"),
               "w" if "Milk" in eaten_yesterday else random.choice("bnnw"),
               random.choice("bnw")]
    keys(main, "ctrl+t")
    today = wait_for("^Today$")
    keys(today, *ratings, "Tab")
    for food in eaten:
        type_text(food)
        subprocess.run(["xdotool", "key", "Return"], check=True)
    keys(today, "alt+d")
    time.sleep(0.3)
    keys(main, "ctrl+s")
    end = time.time() + 20
    while os.stat(diary).st_mtime_ns == before and time.time() < end:
        time.sleep(0.1)
    keys(main, "alt+f")
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", "x"], check=True)
    process.wait(timeout=30)
    return eaten


eaten = []
start = datetime.date.fromisoformat(first)
for day in range(count):
    date = start + datetime.timedelta(days=day)
    eaten = live(date, eaten)
    print(date, ", ".join(eaten), flush=True)

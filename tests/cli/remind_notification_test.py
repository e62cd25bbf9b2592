#!/usr/bin/python3
"""gastrolog-cli remind against a fake notification service on a private session bus.

Run inside its own bus: dbus-run-session -- remind_notification_test.py CLI EXAMPLE_DIARY.
The fake service is python3-dbusmock's notification daemon; "Open" starts whatever
"gastrolog" is first on PATH, here a script that writes down its arguments.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import dbus

cli, example = sys.argv[1], sys.argv[2]
BUS_NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what, flush=True)


def wait_until(condition, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.1)
    return False


work = tempfile.mkdtemp(prefix="gastrolog-remind-")
try:
    diary = os.path.join(work, "My diary.glg")
    shutil.copy(example, diary)
    config = os.path.join(work, "config")
    os.makedirs(config)
    with open(os.path.join(config, "Gastrolog.conf"), "w") as settings:
        settings.write("[Recent\\ File\\ List]\nFile1=" + diary + "\n")
    programs = os.path.join(work, "bin")
    os.makedirs(programs)
    started = os.path.join(work, "started")
    with open(os.path.join(programs, "gastrolog"), "w") as script:
        script.write('#!/bin/sh\nprintf "%s\\n" "$@" > "' + started + '"\n')
    os.chmod(os.path.join(programs, "gastrolog"), 0o755)

    environment = dict(os.environ, XDG_CONFIG_HOME=config, HOME=work,
                       PATH=programs + ":" + os.environ["PATH"])
    environment.pop("WAYLAND_DISPLAY", None)

    service = subprocess.Popen([sys.executable, "-m", "dbusmock", "--template",
                                "notification_daemon"], stdout=subprocess.DEVNULL)
    bus = dbus.SessionBus()
    check(wait_until(lambda: bus.name_has_owner(BUS_NAME)), "the fake service started")
    mock = dbus.Interface(bus.get_object(BUS_NAME, PATH), "org.freedesktop.DBus.Mock")

    def notify_calls():
        return [call for call in mock.GetCalls() if call[1] == "Notify"]

    # Outside a graphical session nothing is shown.
    quiet = dict(environment)
    quiet.pop("DISPLAY", None)
    run = subprocess.run([cli, "remind"], env=quiet, capture_output=True, text=True, timeout=60)
    check(run.returncode == 0 and "There is no graphical session" in run.stdout
          and "No notification." in run.stdout, "no session: " + run.stdout)
    check(not notify_calls(), "no notification without a session")

    # In a session the notification arrives, and its "Open" starts Gastrolog on the diary.
    environment["DISPLAY"] = ":99"
    reminder = subprocess.Popen([cli, "remind"], env=environment, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True)
    check(wait_until(lambda: notify_calls()), "the notification arrived")
    calls = notify_calls()
    if calls:
        app, replaces, icon, summary, body, actions, hints, timeout = calls[0][2]
        check(app == "Gastrolog", "application name " + app)
        check(summary == "Time for today's entries in My diary.glg", "summary " + summary)
        check("behind" in body, "body says why: " + body)
        check(list(actions[2:4]) == ["open", "Open"], "actions %s" % list(actions))
        mock.EmitSignal(BUS_NAME, "ActionInvoked", "us", [dbus.UInt32(1), "open"])
    out, err = reminder.communicate(timeout=60)
    check(reminder.returncode == 0, "exit status %d: %s" % (reminder.returncode, err))
    check("Opened Gastrolog on " + diary in out, "output: " + out)
    check(wait_until(lambda: os.path.exists(started)) and open(started).read() == diary + "\n",
          "gastrolog was started on the diary")

    # Closing the notification ends the wait without opening anything.
    os.remove(started)
    reminder = subprocess.Popen([cli, "remind", "--diary", diary], env=environment,
                                stdout=subprocess.PIPE, text=True)
    check(wait_until(lambda: len(notify_calls()) == 2), "the second notification arrived")
    mock.EmitSignal(BUS_NAME, "NotificationClosed", "uu", [dbus.UInt32(2), dbus.UInt32(2)])
    out, _ = reminder.communicate(timeout=60)
    check(reminder.returncode == 0 and "The notification was closed." in out, "closed: " + out)
    check(not os.path.exists(started), "closing opened nothing")

    # --dry-run says what it would do and shows nothing.
    run = subprocess.run([cli, "remind", "--dry-run"], env=environment, capture_output=True,
                         text=True, timeout=60)
    check("Would show the notification \"Time for today's entries in My diary.glg\"" in
          run.stdout, "dry run: " + run.stdout)
    check(len(notify_calls()) == 2, "the dry run showed nothing")

    service.terminate()
    service.wait()
finally:
    shutil.rmtree(work, ignore_errors=True)

print("remind notification test:", "FAILED" if failures else "passed")
sys.exit(1 if failures else 0)

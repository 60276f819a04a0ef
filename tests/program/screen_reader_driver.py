# Drives a running quiz as a screen reader user would, over the AT-SPI bus: answers with the
# options' Toggle action and moves on with the button's Press action, and asks about every
# event's source as a screen reader does. After `--before` turns it runs `--between` (the
# share's unmount), then plays `--after` turns more. Exits 0 when the quiz lived through it
# and its statistics window opened with the waiting notice; prints what went wrong otherwise.
import argparse
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

MOST_POLLS = 600  # a bound for a quiz that never shows up, not a speed
WAITING = "чака"  # the statistics window's notice says how many answers wait

events = [0]


def asked(event):
    # What a screen reader does with an event: reads its source and what lies around it.
    try:
        source = event.source
        source.get_name()
        source.get_role_name()
        source.get_state_set()
        for i in range(min(source.get_child_count(), 50)):
            child = source.get_child_at_index(i)
            if child:
                child.get_name()
        parent = source.get_parent()
        if parent:
            parent.get_name()
        events[0] += 1
    except GLib.Error:
        pass  # the source went away meanwhile, as a screen reader finds it


def pump(seconds):
    loop = GLib.MainLoop()
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    loop.run()


def find_quiz(pid):
    for _ in range(MOST_POLLS):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app and app.get_process_id() == pid:
                return app
        pump(0.05)
    sys.exit("the quiz never reached the accessibility bus")


def walk(node, found, depth=0):
    try:
        found.append(node)
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child and depth < 12:
                walk(child, found, depth + 1)
    except GLib.Error:
        pass


def controls(app):
    found = []
    walk(app, found)
    options = [n for n in found if n.get_role_name() == "radio button"]
    buttons = [n for n in found if n.get_role_name() == "push button" and n.get_name() == "Чисти"]
    labels = [n.get_name() for n in found if n.get_role_name() == "label"]
    return options, buttons, labels


def act(node, name):
    actions = node.get_action_iface()
    for i in range(actions.get_n_actions()):
        if actions.get_action_name(i).lower() == name:
            return actions.do_action(i)
    sys.exit("no %s action" % name)


def turn(app, number, pause):
    options, buttons, _ = controls(app)
    if len(options) != 2 or len(buttons) != 1:
        sys.exit("turn %d: the options and the button are not there" % number)
    act(options[number % 2], "toggle")
    pump(pause)
    act(controls(app)[1][0], "press")
    pump(pause)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--before", type=int, default=2)
    parser.add_argument("--after", type=int, default=3)
    parser.add_argument("--between", required=True)
    parser.add_argument("--pause", type=float, default=0.3)
    args = parser.parse_args()

    listener = Atspi.EventListener.new(asked)
    for kind in ("object:state-changed", "object:children-changed", "object:property-change",
                 "object:text-changed", "focus:", "window:"):
        listener.register(kind)
    app = find_quiz(args.pid)
    for number in range(args.before):
        turn(app, number, args.pause)
    subprocess.run(args.between, shell=True, check=True)
    for number in range(args.before, args.before + args.after):
        turn(app, number, args.pause)
    windows = [app.get_child_at_index(i).get_name() for i in range(app.get_child_count())]
    notices = [label for label in controls(app)[2] if WAITING in label]
    if len(windows) != 2 or not notices:
        sys.exit("no statistics window with the waiting notice: %s" % windows)
    print("lived through it; %d events asked about" % events[0])


if __name__ == "__main__":
    main()

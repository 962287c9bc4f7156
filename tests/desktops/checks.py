# SPDX-License-Identifier: GPL-3.0-or-later
"""Pigmentry on a real desktop, checked as a user meets it.

    checks.py gnome|kde WORK BIN

WORK is an empty folder of this user's; BIN holds pigmentry, the test
pattern, the KWin input client and a copy of kwin_wayland. Prints one line a
check and a last line "N passed, N failed"; exits 1 when any failed."""

import configparser
import os
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import PORTAL, Failure, Session, wait_for  # noqa: E402

from gi.repository import GLib  # noqa: E402

WIDTH, HEIGHT = 1280, 800

# Keys by name: the X keysym (GNOME's remote desktop) and the evdev code
# (KWin's fake input).
KEYS = {
    "Escape": (0xff1b, 1), "Return": (0xff0d, 28), "Left": (0xff51, 105), "Right": (0xff53, 106),
    "Up": (0xff52, 103), "Down": (0xff54, 108), "Shift": (0xffe1, 42), "Super": (0xffeb, 125),
    "Alt": (0xffe9, 56), "F4": (0xffc1, 62), "p": (0x70, 25),
}
LEFT, RIGHT = 272, 273


def pattern_code(x, y):
    """The code Pigmentry gives for the pattern's pixel at (x, y)."""
    return "#%02X%02X%02X" % (x & 0xff, y & 0xff, ((x >> 8) << 4 | (y >> 8)) & 0xff)


class Desktop:
    """A session with input, the test pattern and Pigmentry's instance."""

    def __init__(self, kind, work, bin_dir):
        self.kind = kind
        self.bin = bin_dir
        self.session = Session(kind, work)
        self.app = None
        self.pattern = None

    # -- input -----------------------------------------------------------
    def key(self, name, pressed):
        raise NotImplementedError

    def move(self, x, y):
        raise NotImplementedError

    def button(self, code, pressed):
        raise NotImplementedError

    def tap(self, *names):
        for name in names:
            self.key(name, True)
        for name in reversed(names):
            self.key(name, False)

    def click(self, code=LEFT):
        self.button(code, True)
        self.button(code, False)

    # -- Pigmentry -------------------------------------------------------
    def start_pattern(self):
        self.pattern = self.session.start("pattern", [os.path.join(self.bin, "desktop_pattern")])
        wait_for("the test pattern", lambda: "shown" in self.session.log("pattern"), 15)
        # On screen once it has the pointer, and still once the desktop's
        # opening animation is over.
        for x in range(10, 200, 10):
            self.move(x, 300)
            if "pointer " in self.session.log("pattern"):
                break
            time.sleep(0.05)
        wait_for("the pointer over the test pattern", lambda: "pointer " in self.session.log("pattern"), 5)
        time.sleep(0.5)

    def close_studio(self):
        """Closes the Studio as a user would, with the desktop's Alt+F4."""
        self.tap("Alt", "F4")
        wait_for("the Studio to close", lambda: self.studio(0) is None, 10)

    def start_pigmentry(self, native=False):
        config = os.path.join(self.session.env["XDG_CONFIG_HOME"], "Pigmentry")
        os.makedirs(config, exist_ok=True)
        settings = configparser.ConfigParser()
        settings.optionxform = str
        path = os.path.join(config, "Pigmentry.conf")
        settings.read(path)
        if not settings.has_section("General"):
            settings.add_section("General")
        settings.set("General", "useNativePicker", "true" if native else "false")
        with open(path, "w") as f:
            settings.write(f, space_around_delimiters=False)
        self.app = self.session.start("pigmentry", [self.pigmentry], env={
            "QT_LOGGING_RULES": "pigmentry.pick.frozen.debug=true",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
        })
        wait_for("Pigmentry's instance", lambda: os.path.exists(os.path.join(self.session.runtime,
                                                                              "pigmentry.socket")), 15)

    def quit_pigmentry(self):
        if self.app is None:
            return
        self.session.run([self.pigmentry, "quit"], check=False)
        try:
            self.app.wait(10)
        except subprocess.TimeoutExpired:
            self.app.kill()
        self.app = None

    @property
    def pigmentry(self):
        return os.path.join(self.bin, "pigmentry")

    def log_count(self, text):
        return self.session.log("pigmentry").count(text)

    def pointer_seen(self, since):
        """Where the frozen frame last saw the pointer, in the log after
        offset since (device pixels at scale 1), or None."""
        seen = None
        for line in self.session.log("pigmentry")[since:].splitlines():
            if "pointer at " in line:
                x, y = line.rsplit("pointer at ", 1)[1].split(",")
                seen = (int(float(x)), int(float(y)))
        return seen

    def reach(self, x, y):
        """Moves the pointer to (x, y) and waits until the frozen frame has
        seen it there: a window that is still being mapped (GNOME animates
        it) may leave the first motion to the window below."""
        for attempt in range(12):
            since = len(self.session.log("pigmentry"))
            if attempt:
                self.move(x + 1 if x + 1 < WIDTH else x - 1, y)
            self.move(x, y)
            deadline = time.monotonic() + 0.4
            while time.monotonic() < deadline:
                if self.pointer_seen(since) == (x, y):
                    return
                time.sleep(0.02)
        raise Failure(f"the frozen frame never saw the pointer at {x},{y}")

    def start_pick(self):
        """Starts `pigmentry pick` and waits until its frozen frame is up."""
        frames = self.log_count("frame painted")
        focus = self.log_count("keyboard focus")
        command = subprocess.Popen([self.pigmentry, "pick"], env=self.session.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, text=True)
        wait_for("the frozen frame", lambda: self.log_count("frame painted") > frames
                 and self.log_count("keyboard focus") > focus, 15)
        return command

    @staticmethod
    def result(command, seconds=15):
        try:
            out, err = command.communicate(timeout=seconds)
        except subprocess.TimeoutExpired:
            command.kill()
            raise Failure("the pick did not end")
        return command.returncode, out.strip(), err.strip()

    # -- accessibility ---------------------------------------------------
    def accessible_apps(self, seconds=15):
        """Pigmentry's registrations on the accessibility bus (an earlier
        one of the same process may linger, empty)."""
        import pyatspi
        deadline = time.monotonic() + seconds
        while True:
            desktop = pyatspi.Registry.getDesktop(0)
            apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
            apps = [a for a in apps if a is not None and (a.name or "").lower() == "pigmentry"]
            if apps or time.monotonic() > deadline:
                break
            time.sleep(0.2)
        if not apps:
            raise Failure("Pigmentry is not on the accessibility bus")
        return apps

    def shown_texts(self, window):
        import pyatspi
        texts = []

        def walk(node, depth=0):
            if node is None or depth > 30:
                return
            try:
                if not node.getState().contains(pyatspi.STATE_SHOWING):
                    return
                texts.append(node.name or "")
                try:
                    text = node.queryText()
                    texts.append(text.getText(0, text.characterCount))
                except NotImplementedError:
                    pass
                for i in range(node.childCount):
                    walk(node.getChildAtIndex(i), depth + 1)
            except Exception:
                return

        walk(window)
        return texts

    def studio(self, seconds=15):
        """The Studio window once it shows, else None after seconds."""
        import pyatspi
        deadline = time.monotonic() + seconds
        while True:
            for app in self.accessible_apps(seconds):
                for i in range(app.childCount):
                    window = app.getChildAtIndex(i)
                    try:
                        if ("Color Studio" in (window.name or "")
                                and window.getState().contains(pyatspi.STATE_SHOWING)):
                            return window
                    except Exception:
                        continue
            if time.monotonic() > deadline:
                return None
            time.sleep(0.2)

    def close(self):
        self.session.close()


class Gnome(Desktop):
    SHELL = "org.gnome.Mutter.RemoteDesktop"

    def start(self):
        s = self.session
        s.start_buses()
        s.run(["gsettings", "set", "org.gnome.desktop.interface", "enable-hot-corners", "false"])
        # Absolute pointer motion goes through a screen cast stream.
        s.start("pipewire", ["pipewire"])
        s.start("gnome-shell", ["gnome-shell", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                                f"{WIDTH}x{HEIGHT}"])
        wait_for("GNOME Shell", lambda: os.path.exists(os.path.join(s.runtime, "wayland-0"))
                 and s.has_name(self.SHELL), 30)
        s.start_portals("/usr/libexec/xdg-desktop-portal-gnome")
        remote = s.call(self.SHELL, "/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
                        "CreateSession", None, "(o)")[0]
        session_id = s.call(self.SHELL, remote, "org.freedesktop.DBus.Properties", "Get",
                            GLib.Variant("(ss)", ("org.gnome.Mutter.RemoteDesktop.Session", "SessionId")), "(v)")[0]
        cast = s.call("org.gnome.Mutter.ScreenCast", "/org/gnome/Mutter/ScreenCast", "org.gnome.Mutter.ScreenCast",
                      "CreateSession", GLib.Variant("(a{sv})", ({"remote-desktop-session-id":
                                                                 GLib.Variant("s", session_id)},)), "(o)")[0]
        self.stream = s.call("org.gnome.Mutter.ScreenCast", cast, "org.gnome.Mutter.ScreenCast.Session",
                             "RecordMonitor", GLib.Variant("(sa{sv})", ("", {})), "(o)")[0]
        self.remote = remote
        s.call(self.SHELL, remote, "org.gnome.Mutter.RemoteDesktop.Session", "Start")
        # The first key of a new virtual keyboard is lost; GNOME starts in
        # the overview, which Escape leaves.
        self.tap("Shift")
        time.sleep(0.3)
        self.tap("Escape")
        time.sleep(0.5)

    def _input(self, method, signature, args):
        self.session.call(self.SHELL, self.remote, "org.gnome.Mutter.RemoteDesktop.Session", method,
                          GLib.Variant(signature, args))

    def key(self, name, pressed):
        self._input("NotifyKeyboardKeysym", "(ub)", (KEYS[name][0], pressed))

    def move(self, x, y):
        self._input("NotifyPointerMotionAbsolute", "(sdd)", (self.stream, float(x), float(y)))

    def button(self, code, pressed):
        self._input("NotifyPointerButton", "(ib)", (code, pressed))


class Kde(Desktop):
    def start(self):
        s = self.session
        s.start_buses()
        # KWin offers fake input only to a program whose desktop file asks.
        applications = os.path.join(s.env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications, exist_ok=True)
        with open(os.path.join(applications, "pigmentry-test-input.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Test input\nNoDisplay=true\n"
                    f"Exec={os.path.join(self.bin, 'kwin_input')}\n"
                    "X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n")
        s.start("kwin", [os.path.join(self.bin, "kwin_wayland"), "--virtual", "--width", str(WIDTH), "--height",
                         str(HEIGHT), "--socket", "wayland-0"])
        wait_for("KWin", lambda: os.path.exists(os.path.join(s.runtime, "wayland-0")) and s.has_name("org.kde.KWin"),
                 30)
        s.start_portals("/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde")
        # The tray: the real watcher, and a host standing in for the panel.
        s.call("org.kde.kded5", "/kded", "org.kde.kded5", "loadModule", GLib.Variant("(s)", ("statusnotifierwatcher",)),
               "(b)")
        host = f"org.kde.StatusNotifierHost-{os.getpid()}"
        s.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
               GLib.Variant("(su)", (host, 0)), "(u)")
        s.call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
               "RegisterStatusNotifierHost", GLib.Variant("(s)", (host,)))
        self.input = subprocess.Popen([os.path.join(self.bin, "kwin_input")], env=s.env, stdin=subprocess.PIPE,
                                      stdout=subprocess.PIPE, text=True)
        s.processes.append(self.input)
        if self.input.stdout.readline().strip() != "ready":
            raise Failure("KWin gave no fake input")

    def _send(self, line):
        self.input.stdin.write(line + "\n")
        self.input.stdin.flush()
        if self.input.stdout.readline().strip() != "ok":
            raise Failure(f"fake input did not take {line!r}")

    def key(self, name, pressed):
        self._send(f"key {KEYS[name][1]} {int(pressed)}")

    def move(self, x, y):
        self._send(f"move {x} {y}")

    def button(self, code, pressed):
        self._send(f"button {code} {int(pressed)}")

    def tray_items(self):
        value = self.session.call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                                  "org.freedesktop.DBus.Properties", "Get",
                                  GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher",
                                                        "RegisteredStatusNotifierItems")), "(v)")[0]
        return list(value)

    def shortcut_components(self):
        paths = self.session.call("org.kde.kglobalaccel", "/kglobalaccel", "org.kde.KGlobalAccel", "allComponents",
                                  None, "(ao)")[0]
        return [p for p in paths if "pigmentry" in p.lower()]


# -- the checks ----------------------------------------------------------------

def frozen_picks(d):
    """Picks on the frozen frame, by pointer and by keys, through the
    instance's `pigmentry pick`; each checked against the pattern."""
    def pick_at(x, y, *keys, then="Return"):
        d.move(x - 40 if x >= 40 else x + 40, y)  # away, so that reaching (x, y) is a motion
        command = d.start_pick()
        d.reach(x, y)
        for key in keys:
            d.tap(*key)
        if then == "click":
            d.click()
        else:
            d.tap(then)
        return d.result(command)

    def expect(name, outcome, code):
        status, out, err = outcome
        if status != 0 or out != code:
            raise Failure(f"{name}: wanted {code}, got exit {status} {out!r} {err!r}")

    yield "click picks the pixel under the pointer", lambda: expect("click", pick_at(301, 203, then="click"),
                                                                     pattern_code(301, 203))
    yield "one arrow moves one pixel", lambda: expect("arrow", pick_at(400, 300, ("Right",)), pattern_code(401, 300))
    yield "Shift+arrow moves ten", lambda: expect("shift", pick_at(500, 400, ("Shift", "Down")),
                                                  pattern_code(500, 410))
    yield "the first pixel", lambda: expect("first", pick_at(0, 0, ("Left",), ("Up",)), pattern_code(0, 0))
    yield "the last pixel", lambda: expect("last", pick_at(WIDTH - 1, HEIGHT - 1, ("Right",), ("Down",)),
                                           pattern_code(WIDTH - 1, HEIGHT - 1))

    def cancels(how):
        def check():
            d.move(700, 500)
            command = d.start_pick()
            d.reach(710, 505)
            if how == "Escape":
                d.tap("Escape")
            else:
                d.click(RIGHT)
            status, out, _ = d.result(command)
            if status != 1 or out:
                raise Failure(f"{how} picked {out!r} (exit {status})")
        return check

    yield "Escape cancels", cancels("Escape")
    yield "right-click cancels", cancels("right")

    def unmoved():
        # The pointer rests where it was before the pick; its image must not
        # be in the frame (KWin paints it into screenshots), and the pick is
        # of what lies under it.
        d.move(333, 444)
        time.sleep(0.3)
        command = d.start_pick()
        d.tap("Return")
        status, out, err = d.result(command)
        # GNOME tells a window mapped under a resting pointer nothing until
        # it moves (and never paints it into screenshots): there the mark
        # may still stand at the screen's centre, where it is drawn.
        allowed = {pattern_code(333, 444)}
        if d.kind == "gnome":
            allowed.add(pattern_code(WIDTH // 2, HEIGHT // 2))
        if status != 0 or out not in allowed:
            raise Failure(f"wanted {' or '.join(sorted(allowed))}, got exit {status} {out!r} {err!r}")

    yield "a pick where the pointer has not moved", unmoved


def screenshot_failures(d):
    """KDE's portal saves each shot in the Pictures folder first and
    answers "cancelled" without one: Pigmentry says what failed and what to
    do, in its alert, and refuses nothing."""
    def check():
        import pyatspi
        hidden = d.session.pictures + ".away"
        os.rename(d.session.pictures, hidden)
        try:
            command = subprocess.Popen([d.pigmentry, "pick"], env=d.session.env, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE, text=True)

            def alert():
                for app in d.accessible_apps():
                    for i in range(app.childCount):
                        window = app.getChildAtIndex(i)
                        if window is not None and window.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
                            texts = " ".join(d.shown_texts(window))
                            if "Color picking could not continue" in texts:
                                return texts
                return None

            texts = wait_for("the alert", alert, 15)
            for wanted in ("Screen capture failed: the desktop could not take the screenshot", "Pictures folder"):
                if wanted not in texts:
                    raise Failure(f"the alert does not say {wanted!r}: {texts[:300]}")
            d.tap("Return")
            status, out, _ = d.result(command)
            if status != 1 or out:
                raise Failure(f"the failed pick gave {out!r} (exit {status})")
        finally:
            os.rename(hidden, d.session.pictures)

    yield "a screenshot the desktop could not save is said so, with what to do", check


def sampler_picks(d):
    def pick():
        d.move(200, 150)
        command = subprocess.Popen([d.pigmentry, "pick"], env=d.session.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, text=True)
        time.sleep(1.5)  # the desktop's sampler shows no sign to wait for
        d.move(222, 111)
        time.sleep(1.0)  # GNOME's sampler ignores a click right after a motion
        d.click()
        status, out, err = d.result(command)
        if status != 0 or out != pattern_code(222, 111):
            raise Failure(f"wanted {pattern_code(222, 111)}, got exit {status} {out!r} {err!r}")

    def cancel():
        d.move(300, 300)
        command = subprocess.Popen([d.pigmentry, "pick"], env=d.session.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, text=True)
        time.sleep(1.5)
        d.tap("Escape")
        status, out, _ = d.result(command)
        if status != 1 or out:
            raise Failure(f"Escape picked {out!r} (exit {status})")

    yield "the desktop's sampler picks", pick
    yield "the desktop's sampler cancels", cancel


def gnome_checks(d):
    def studio_in_the_trays_place():
        studio = d.studio(15)
        if studio is None:
            raise Failure("no Studio window shows")
        texts = " | ".join(d.shown_texts(studio))
        if "No tray icon here" not in texts:
            raise Failure(f"the Studio does not say why it opened: {texts[:400]}")
        if "Shortcut unavailable" not in texts:
            raise Failure(f"the Studio does not say that the shortcut is unavailable: {texts[:400]}")
        # Closed, so that the pattern is all there is.
        d.close_studio()

    yield "the Studio opens in the tray's place and says so, with the shortcut unavailable", studio_in_the_trays_place


def kde_checks(d):
    def tray_without_studio():
        items = wait_for("the tray item", lambda: d.tray_items(), 10)
        d.accessible_apps()
        if d.studio(3) is not None:
            raise Failure("the Studio opened although the tray is there")
        if len(items) != 1:
            raise Failure(f"tray items: {items}")

    def shortcut_bound():
        components = wait_for("kglobalaccel's pigmentry component", d.shortcut_components, 10)
        d.session.run([d.pigmentry, "--studio"])
        studio = d.studio(15)
        if studio is None:
            raise Failure("no Studio window shows")
        texts = " | ".join(d.shown_texts(studio))
        if "Shift+Super+P" not in texts or "Shortcut unavailable" in texts:
            raise Failure(f"the Studio does not show the shortcut as bound: {texts[:400]}")
        d.close_studio()
        # The keys themselves start a pick, which Escape ends.
        frames = d.log_count("frame painted")
        d.tap("Super", "Shift", "p")
        wait_for("a pick from the shortcut", lambda: d.log_count("frame painted") > frames, 10)
        time.sleep(0.3)
        d.tap("Escape")
        return components

    yield "the tray item registers with the real watcher, and no Studio opens", tray_without_studio
    yield "the shortcut is bound in kglobalaccel, shown as bound, and its keys pick", shortcut_bound


def main():
    kind, work, bin_dir = sys.argv[1], sys.argv[2], sys.argv[3]
    d = (Gnome if kind == "gnome" else Kde)(kind, work, bin_dir)
    passed = failed = 0
    started = time.monotonic()

    def report(name, check):
        nonlocal passed, failed
        began = time.monotonic()
        try:
            check()
            passed += 1
            print(f"ok    {kind}: {name} ({time.monotonic() - began:.1f} s)", flush=True)
        except Exception as error:  # every failure is reported, the rest still run
            failed += 1
            print(f"FAIL  {kind}: {name}: {error}", flush=True)
            if not isinstance(error, Failure):
                traceback.print_exc()

    try:
        try:
            d.start()
            os.environ.update({k: v for k, v in d.session.env.items() if k.startswith(("DBUS_", "XDG_"))})
            d.start_pigmentry()
        except Exception as error:
            print(f"FAIL  {kind}: the desktop or Pigmentry did not start: {error}", flush=True)
            for name in ("gnome-shell", "kwin", "portal", "portal-backend", "pigmentry"):
                tail = d.session.log(name)[-1500:]
                if tail:
                    print(f"--- {name}\n{tail}")
            print(f"{kind}: 0 passed, 1 failed")
            return 1
        for name, check in (gnome_checks(d) if kind == "gnome" else kde_checks(d)):
            report(name, check)
        d.start_pattern()
        for name, check in frozen_picks(d):
            report(name, check)
        if kind == "kde":
            for name, check in screenshot_failures(d):
                report(name, check)
        d.quit_pigmentry()
        d.start_pigmentry(native=True)
        if kind == "gnome":
            # Without a tray the Studio opens again, over the pattern.
            if d.studio(15) is None:
                raise Failure("no Studio window shows")
            d.close_studio()
        for name, check in sampler_picks(d):
            report(name, check)
        if failed:
            print(f"--- Pigmentry's log\n{d.session.log('pigmentry')[-3000:]}")
    finally:
        d.close()
    print(f"{kind}: {passed} passed, {failed} failed in {time.monotonic() - started:.0f} s", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

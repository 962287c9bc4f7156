# SPDX-License-Identifier: GPL-3.0-or-later
"""One headless desktop session of a real compositor with its real portals.

Runs as an ordinary user (the compositors refuse root): a fresh home, a
private session bus and an empty system bus, the compositor, the portal
front end with only this desktop's back end visible, and whatever the
checks start. Every process started here is ended by close()."""

import os
import signal
import subprocess
import time

from gi.repository import Gio, GLib

PORTAL = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"

SYSTEM_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path={path}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
"""


class Failure(Exception):
    pass


def wait_for(what, condition, seconds=10.0, step=0.05):
    """Polls condition until it gives something true; fails naming what."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(step)


class Session:
    def __init__(self, desktop, root, size=(1280, 800)):
        self.desktop = desktop  # "gnome" or "kde"
        self.root = root
        self.size = size
        self.processes = []
        self.logs = {}
        home = os.path.join(root, "home")
        runtime = os.path.join(root, "runtime")
        portals = os.path.join(root, "portals")
        for folder in (home, runtime, portals):
            os.makedirs(folder, exist_ok=True)
        os.chmod(runtime, 0o700)
        self.home = home
        self.runtime = runtime
        self.env = {
            "HOME": home,
            "USER": os.environ.get("USER", "pigdesk"),
            "PATH": "/usr/local/bin:/usr/bin:/bin",
            "LANG": "C.UTF-8",
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local/share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_SESSION_TYPE": "wayland",
            "XDG_CURRENT_DESKTOP": "GNOME" if desktop == "gnome" else "KDE",
            # Only this desktop's portal back ends are visible.
            "XDG_DESKTOP_PORTAL_DIR": portals,
            "WAYLAND_DISPLAY": "wayland-0",
            "QT_QPA_PLATFORM": "wayland",
        }
        for key in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
            os.makedirs(self.env[key], exist_ok=True)
        # KDE's portal saves each screenshot in the Pictures folder first.
        pictures = os.path.join(home, "Pictures")
        os.makedirs(pictures, exist_ok=True)
        with open(os.path.join(self.env["XDG_CONFIG_HOME"], "user-dirs.dirs"), "w") as f:
            f.write(f'XDG_PICTURES_DIR="{pictures}"\n')
        self.pictures = pictures
        wanted = ["gnome.portal", "gtk.portal"] if desktop == "gnome" else ["kde.portal"]
        for name in wanted:
            source = os.path.join("/usr/share/xdg-desktop-portal/portals", name)
            if os.path.exists(source):
                with open(source) as f, open(os.path.join(portals, name), "w") as out:
                    out.write(f.read())
        self.bus = None

    # -- processes -------------------------------------------------------
    def start(self, name, argv, env=None, stdin=None):
        log = open(os.path.join(self.root, name + ".log"), "w")
        self.logs[name] = log.name
        process = subprocess.Popen(argv, env={**self.env, **(env or {})}, stdout=log, stderr=subprocess.STDOUT,
                                   stdin=stdin if stdin is not None else subprocess.DEVNULL, start_new_session=True)
        self.processes.append(process)
        return process

    def log(self, name):
        try:
            with open(self.logs[name], errors="replace") as f:
                return f.read()
        except (KeyError, OSError):
            return ""

    def run(self, argv, env=None, timeout=30, check=True):
        result = subprocess.run(argv, env={**self.env, **(env or {})}, capture_output=True, text=True,
                                timeout=timeout)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(argv)} failed: {result.stderr.strip()}")
        return result

    def close(self):
        if self.bus is not None:
            self.bus.close_sync(None)
            self.bus = None
        # In reverse: clients before the compositor, the buses last.
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        deadline = time.monotonic() + 3
        for process in reversed(self.processes):
            try:
                process.wait(max(0.1, deadline - time.monotonic()))
            except subprocess.TimeoutExpired:
                pass
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
            try:
                process.wait(2)
            except subprocess.TimeoutExpired:
                pass

    # -- buses -----------------------------------------------------------
    def start_buses(self):
        system_socket = os.path.join(self.runtime, "system_bus_socket")
        config = os.path.join(self.root, "system.conf")
        with open(config, "w") as f:
            f.write(SYSTEM_BUS_CONFIG.format(path=system_socket))
        self.start("system-bus", ["dbus-daemon", "--nofork", "--config-file=" + config])
        session_socket = os.path.join(self.runtime, "bus")
        self.start("session-bus", ["dbus-daemon", "--nofork", "--session", "--address=unix:path=" + session_socket])
        wait_for("the buses", lambda: os.path.exists(system_socket) and os.path.exists(session_socket))
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = "unix:path=" + system_socket
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + session_socket
        self.bus = Gio.DBusConnection.new_for_address_sync(
            self.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def call(self, service, path, interface, method, args=None, reply=None, timeout=10000):
        result = self.bus.call_sync(service, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                                    Gio.DBusCallFlags.NONE, timeout, None)
        return result.unpack() if result is not None else None

    def has_name(self, name):
        return self.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                         GLib.Variant("(s)", (name,)), "(b)")[0]

    def introspect(self, service, path):
        try:
            return self.call(service, path, "org.freedesktop.DBus.Introspectable", "Introspect", None, "(s)")[0]
        except GLib.Error:
            return ""

    # -- portals ---------------------------------------------------------
    def start_portals(self, backend):
        self.run(["dbus-update-activation-environment", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP",
                  "XDG_SESSION_TYPE", "XDG_DESKTOP_PORTAL_DIR", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM"])
        # Screenshots without the portal's question, as a user who allowed
        # them once.
        self.run(["gdbus", "call", "--session", "-d", "org.freedesktop.impl.portal.PermissionStore", "-o",
                  "/org/freedesktop/impl/portal/PermissionStore", "-m",
                  "org.freedesktop.impl.portal.PermissionStore.SetPermission", "screenshot", "true", "screenshot", "",
                  "['yes']"])
        self.start("portal-backend", [backend, "-r"])
        self.start("portal", ["/usr/libexec/xdg-desktop-portal", "-r"])
        wait_for("the Screenshot portal",
                 lambda: "org.freedesktop.portal.Screenshot" in self.introspect(PORTAL, PORTAL_PATH), 20)

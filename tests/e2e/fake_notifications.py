#!/usr/bin/python3
"""A stand-in for the desktop's notification service on a private session
bus: owns org.freedesktop.Notifications, writes each Notify call as one line
"app|summary|body" to LOG, and ends after SECONDS.

usage: fake_notifications.py LOG SECONDS
"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

IFACE = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log = log
        self.count = 0

    @dbus.service.method(IFACE, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.count += 1
        with open(self.log, "a", encoding="utf-8") as f:
            f.write(f"{app}|{summary}|{body}\n")
        return self.count

    @dbus.service.method(IFACE, in_signature="u")
    def CloseNotification(self, _id):
        pass

    @dbus.service.method(IFACE, out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(IFACE, out_signature="ssss")
    def GetServerInformation(self):
        return ("fake", "moranote-tests", "1", "1.2")


def main():
    log, seconds = sys.argv[1], float(sys.argv[2])
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(IFACE, bus, do_not_queue=True)
    service = Notifications(bus, log)
    loop = GLib.MainLoop()
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    print("ready", flush=True)
    loop.run()
    del service, name


if __name__ == "__main__":
    main()

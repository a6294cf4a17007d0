#!/usr/bin/python3
"""A small D-Bus notification area for the end-to-end tests.

  sni.py host                 run a StatusNotifierWatcher with a host of its
                              own on the session bus (until killed)
  sni.py items                the registered items, one "service/path" a line
  sni.py menu ITEM            the item's exported menu: one label a line
                              ("-" for a separator)
  sni.py click ITEM LABEL     send "clicked" to the menu entry LABEL
  sni.py call ITEM METHOD     call the item's METHOD (Activate, ContextMenu,
                              SecondaryActivate) at 0,0
"""
import os
import sys
import time

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM_IFACE = "org.kde.StatusNotifierItem"
MENU_IFACE = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"


INTROSPECTION = f"""<node>
 <interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="{PROPS}">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{{sv}}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus = bus
        self.items = []

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # Items give either their bus name or only their object path.
        item = sender + service if service.startswith("/") else service + "/StatusNotifierItem"
        if item not in self.items:
            self.items.append(item)
        self.StatusNotifierItemRegistered(item)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        self.StatusNotifierHostRegistered()

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    def props(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    # Written out, since the properties are served by hand: clients such as
    # the toolkit's D-Bus interfaces learn of properties only from here.
    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, iface, name):
        return self.props()[name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, iface):
        return self.props()


def run_host():
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    # The names are held while these objects live.
    host_name = dbus.service.BusName(f"org.kde.StatusNotifierHost-{os.getpid()}", bus)
    watcher_name = dbus.service.BusName(WATCHER, bus)
    watcher.RegisterStatusNotifierHost(host_name.get_name())
    GLib.MainLoop().run()
    del watcher_name, host_name


def item_object(bus, item):
    service, _, path = item.partition("/")
    return bus.get_object(service, "/" + path)


def menu_object(bus, item):
    obj = item_object(bus, item)
    path = obj.Get(ITEM_IFACE, "Menu", dbus_interface=PROPS)
    return bus.get_object(item.partition("/")[0], path)


def menu_entries(bus, item):
    menu = menu_object(bus, item)
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU_IFACE)
    for child in layout[2]:
        cid, props, _ = child
        if props.get("type") == "separator":
            yield cid, "-"
        elif props.get("visible", True):
            yield cid, str(props.get("label", ""))


def main():
    cmd = sys.argv[1]
    if cmd == "host":
        run_host()
        return
    bus = dbus.SessionBus()
    if cmd == "items":
        try:
            watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
            for item in watcher.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=PROPS):
                print(item)
        except dbus.DBusException:
            pass
    elif cmd == "menu":
        for _, label in menu_entries(bus, sys.argv[2]):
            print(label)
    elif cmd == "click":
        menu = menu_object(bus, sys.argv[2])
        for cid, label in menu_entries(bus, sys.argv[2]):
            if label == sys.argv[3]:
                menu.Event(cid, "clicked", dbus.Int32(0, variant_level=1),
                           dbus.UInt32(int(time.time())), dbus_interface=MENU_IFACE)
                return
        sys.exit(f"no menu entry {sys.argv[3]!r}")
    elif cmd == "call":
        item_object(bus, sys.argv[2]).get_dbus_method(sys.argv[3], ITEM_IFACE)(0, 0)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()

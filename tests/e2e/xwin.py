#!/usr/bin/python3
"""Small X11 helpers for the end-to-end tests.

  xwin.py list            mapped top-level windows: id x y width height name
  xwin.py close ID        ask window ID to close (WM_DELETE_WINDOW), as a
                          title bar's close box does
  xwin.py pixel X Y       the colour of the screen pixel as rrggbb
  xwin.py colours X Y W H the colours of a screen rectangle: one line
                          "rrggbb count" per colour, most frequent first
"""
import sys

from Xlib import X, display, protocol


def top_levels(d):
    root = d.screen().root
    for w in root.query_tree().children:
        try:
            attrs = w.get_attributes()
            if attrs.map_state != X.IsViewable:
                continue
            geo = w.get_geometry()
            pos = w.translate_coords(root, 0, 0)
            name = w.get_wm_name() or ""
            if isinstance(name, bytes):
                name = name.decode("utf-8", "replace")
            net = w.get_full_property(d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING"))
            if net is not None:
                name = net.value.decode("utf-8", "replace")
            yield w.id, -pos.x, -pos.y, geo.width, geo.height, name
        except Exception:  # a window that went away meanwhile
            continue


def main():
    d = display.Display()
    cmd = sys.argv[1]
    if cmd == "list":
        for wid, x, y, w, h, name in top_levels(d):
            print(f"{wid} {x} {y} {w} {h} {name}")
    elif cmd == "close":
        win = d.create_resource_object("window", int(sys.argv[2], 0))
        wm_protocols = d.intern_atom("WM_PROTOCOLS")
        wm_delete = d.intern_atom("WM_DELETE_WINDOW")
        ev = protocol.event.ClientMessage(window=win, client_type=wm_protocols,
                                          data=(32, [wm_delete, X.CurrentTime, 0, 0, 0]))
        win.send_event(ev, event_mask=X.NoEventMask)
        d.flush()
    elif cmd == "pixel":
        root = d.screen().root
        img = root.get_image(int(sys.argv[2]), int(sys.argv[3]), 1, 1, X.ZPixmap, 0xFFFFFFFF)
        b, g, r = img.data[0], img.data[1], img.data[2]
        print(f"{r:02x}{g:02x}{b:02x}")
    elif cmd == "colours":
        x, y, w, h = (int(v) for v in sys.argv[2:6])
        img = d.screen().root.get_image(x, y, w, h, X.ZPixmap, 0xFFFFFFFF)
        data = bytes(img.data)
        counts = {}
        for i in range(0, w * h * 4, 4):
            key = f"{data[i + 2]:02x}{data[i + 1]:02x}{data[i]:02x}"
            counts[key] = counts.get(key, 0) + 1
        for key, n in sorted(counts.items(), key=lambda kv: -kv[1]):
            print(f"{key} {n}")
    else:
        sys.exit("unknown command " + cmd)


if __name__ == "__main__":
    main()

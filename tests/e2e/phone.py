"""A second device of the calendar server (the phone), through python3-caldav.

    phone.py URL USER PASSWORD make NAME          makes the calendar NAME
    phone.py URL USER PASSWORD add NAME SUMMARY YYYYMMDDTHHMMSS
    phone.py URL USER PASSWORD list NAME          one line per item: SUMMARY<TAB>DTSTART
    phone.py URL USER PASSWORD delete NAME SUMMARY
    phone.py URL USER PASSWORD rename NAME SUMMARY NEW
"""
import sys
import uuid

import caldav
import icalendar

url, user, password, command, name = sys.argv[1:6]
client = caldav.DAVClient(url, username=user, password=password)
principal = client.principal()


def calendar():
    for c in principal.calendars():
        if c.url.path.rstrip("/").endswith("/" + name):
            return c
    raise SystemExit("no calendar " + name)


def items(cal):
    for obj in cal.objects():
        try:
            obj.load()
        except caldav.lib.error.NotFoundError:
            continue  # deleted meanwhile
        parsed = icalendar.Calendar.from_ical(obj.data)
        for comp in parsed.walk():
            if comp.name in ("VEVENT", "VTODO"):
                yield obj, comp


if command == "make":
    principal.make_calendar(name=name, cal_id=name)
elif command == "add":
    summary, start = sys.argv[6:8]
    cal = calendar()
    cal.save_event(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VEVENT\r\n"
        f"UID:{uuid.uuid4()}\r\nDTSTAMP:20300101T000000Z\r\nDTSTART:{start}\r\n"
        f"SUMMARY:{summary}\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
elif command == "list":
    for obj, comp in items(calendar()):
        start = comp.get("dtstart")
        print(f"{comp.get('summary')}\t{start.dt.strftime('%Y%m%dT%H%M') if start else 'todo'}")
elif command == "delete":
    for obj, comp in items(calendar()):
        if str(comp.get("summary")) == sys.argv[6]:
            obj.delete()
elif command == "rename":
    for obj, comp in items(calendar()):
        if str(comp.get("summary")) == sys.argv[6]:
            parsed = icalendar.Calendar.from_ical(obj.data)
            for c in parsed.walk():
                if c.name in ("VEVENT", "VTODO"):
                    c["summary"] = sys.argv[7]
                    if "description" in c:
                        del c["description"]
            obj.data = parsed.to_ical().decode()
            obj.save()
else:
    raise SystemExit("unknown command " + command)

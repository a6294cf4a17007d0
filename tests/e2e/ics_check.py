#!/usr/bin/python3
"""Reads an iCalendar file with an independent parser and prints one line per
VEVENT or VTODO, in file order: its start (a VTODO's due date, else its
start) in UTC as "YYYY-MM-DDTHH:MMZ", or "ToDo" for an undated VTODO, a tab
and its summary. A floating time prints as "YYYY-MM-DDTHH:MM" (no zone), an
all-day date as "YYYY-MM-DD". With --alarms each line also lists the alarm
triggers, comma-separated, after another tab.

Usage: /usr/bin/python3 ics_check.py FILE.ics [--alarms]
Exits 1 when the file cannot be read as a calendar."""
import datetime
import sys

import icalendar


def when(component):
    prop = component.get("DUE") if component.name == "VTODO" else None
    if prop is None:
        prop = component.get("DTSTART")
    if prop is None:
        return "ToDo"
    value = prop.dt
    if isinstance(value, datetime.datetime):
        if value.tzinfo is None:
            return value.strftime("%Y-%m-%dT%H:%M")
        return value.astimezone(datetime.timezone.utc).strftime("%Y-%m-%dT%H:%MZ")
    return value.strftime("%Y-%m-%d")


def triggers(component):
    out = []
    for alarm in component.walk("VALARM"):
        out.append(alarm.get("TRIGGER").to_ical().decode())
    return ",".join(out)


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    try:
        cal = icalendar.Calendar.from_ical(data)
    except Exception as e:  # the parser's own reason
        print(f"not a calendar: {e}", file=sys.stderr)
        return 1
    with_alarms = "--alarms" in sys.argv[2:]
    for component in cal.walk():
        if component.name not in ("VEVENT", "VTODO"):
            continue
        line = f"{when(component)}\t{component.get('SUMMARY', '')}"
        if with_alarms:
            line += "\t" + triggers(component)
        print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main())

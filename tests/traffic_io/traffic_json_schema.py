#!/usr/bin/env python3
"""echo-track-traffic --json against its JSON Schema: every example exercise, and
exercises with a target seen twice at the same time and one keeping station,
the own ship stopped, a ship at the own ship, one too fast to be meant and a
course of 360. The printed alterations are the JSON's steered courses."""
import json
import pathlib
import re
import subprocess
import sys
import tempfile

import jsonschema

tool, source = sys.argv[1], pathlib.Path(sys.argv[2])
schema = json.loads((source / "docs/traffic-report.schema.json").read_text())
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

ODD_TARGETS = """
[[target]]
name = "Same time"
first = { time = "10:12", bearing = 90, range_nm = 5 }
second = { time = "10:12", bearing = 91, range_nm = 5 }

[[target]]
name = "Station"
first = { time = "10:00", bearing = 200, range_nm = 0.8 }
second = { time = "10:12", bearing = 200, range_nm = 0.8 }
"""

AWKWARD = {
    "stopped": ("course = 0\nspeed_kt = 12.0", "course = 0\nspeed_kt = 0"),
    "at_own_ship": ("bearing = 321, range_nm = 5.2", "bearing = 321, range_nm = 0"),
    "too_fast": ("bearing = 40, range_nm = 6.5", "bearing = 220, range_nm = 600"),
    "course_360": ("course = 0\nspeed_kt = 12.0", "course = 360\nspeed_kt = 12.0"),
}

with tempfile.TemporaryDirectory() as scratch:
    odd = pathlib.Path(scratch) / "odd.toml"
    crossing = source / "examples/crossing-three-ships.toml"
    odd.write_text(crossing.read_text().replace("[trial]\ncourse = 60\nspeed_kt = 12.0\n", "") + ODD_TARGETS)
    files = sorted((source / "examples").glob("*.toml")) + [odd]
    for name, (before, after) in AWKWARD.items():
        awkward = pathlib.Path(scratch) / f"{name}.toml"
        assert before in crossing.read_text(), name
        awkward.write_text(crossing.read_text().replace(before, after, 1))
        files.append(awkward)
    for path in files:
        report = json.loads(subprocess.run([tool, str(path), "--json"], check=True, capture_output=True, text=True).stdout)
        errors = sorted(validator.iter_errors(report), key=str)
        if errors:
            sys.exit(f"{path.name}: {errors[0].message} at {list(errors[0].absolute_path)}")
        text = subprocess.run([tool, str(path)], check=True, capture_output=True, text=True).stdout
        for side in ("starboard", "port"):
            printed = re.search(rf"Smallest alteration to {side}: \S+ to (\d+)°", text)
            chosen = report[side]
            if printed and chosen:
                assert int(printed.group(1)) == round(chosen["steered_course_deg"]) % 360, (path.name, side)
        print(f"{path.name}: valid")

"""kestrel-cli export on two small sheets whose points are known by hand.

A stadia sheet holds stations and shots with the coordinates typed in, so
that its points need no reduction; a traverse square (1 at 1000,1000, then
east 100, north 99.97, west 99.96, south 100) is reduced first, and each
leg's end is the previous station plus the leg. The CSV files are compared
byte for byte; the DXF drawing is read back with ezdxf and every point,
label and line compared. Usage: export_test.py KESTREL_CLI
"""
import os
import subprocess
import sys
import tempfile

import ezdxf  # a missing ezdxf fails the test

CLI = sys.argv[1]
EMPTY = "999999986991104.000000"
failures = []


def run(*args, stdin=""):
    done = subprocess.run([CLI, *args], input=stdin, capture_output=True, text=True)
    return done.returncode, done.stdout, done.stderr


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}:\n  got      {got!r}\n  expected {expected!r}")


def stadia_sheet(folder):
    """Station 1 (PM) and 2 (code with a comma and quotes, no height); set-up
    on 1; shot 101 reduced, 102 never reduced, 103 reduced without height or
    code."""
    run("new", "stadia", "1", "--job", f"{folder}/tst")
    run("edit", f"{folder}/stad1.tst", "--set", "0,0=Fnote", "--set", "0,1=end", "--save")
    rows = [
        "Stadia",
        "0,1,1000.0,5000.0,50.0,PM,",
        f"0,2,1100.0,5000.0,{EMPTY},CP,",
        "1,1,90.0,2,1.5",
        "3,101,10.0,90.0,25.0,1.5,TREE,gum,1010.5,5020.25,51.125",
        f"3,102,10.0,90.0,25.0,1.5,TREE,,{EMPTY},{EMPTY},{EMPTY}",
        f"3,103,10.0,90.0,25.0,1.5,,,990.0,4990.0,{EMPTY}",
    ]
    run("paste", f"{folder}/stad1.tst", "--row", "0", "--save", stdin="\n".join(rows) + "\n")
    run("edit", f"{folder}/stad1.tst", "--set", '1,6=CP,"2"', "--save")
    return f"{folder}/stad1.tst"


def traverse_sheet(folder):
    run("new", "traverse", "1", "--job", f"{folder}/tst")
    run("edit", f"{folder}/trav1.tst", "--set", "0,1=1", "--set", "0,2=1000", "--set", "0,3=1000",
        "--set", "0,4=50", "--set", "0,5=1.5", "--set", "0,7=pin", "--set", "1,0=Fnote",
        "--set", "1,1=tr 1,2,3,4,1", "--set", "2,0=Traverse", "--set", "2,1=1", "--set", "2,2=2",
        "--set", "2,3=90", "--set", "2,5=100", "--set", "3,3=0", "--set", "3,5=99.97",
        "--set", "4,3=270", "--set", "4,5=99.96", "--set", "5,2=1", "--set", "5,3=180",
        "--set", "5,5=100", "--save")
    run("reduce", f"{folder}/trav1.tst", "--save", "--no-error-report")
    return f"{folder}/trav1.tst"


STADIA_PENZD = ("1,1000.000,5000.000,50.000,PM\r\n"
                '2,1100.000,5000.000,,"CP,""2"""\r\n'
                "101,1010.500,5020.250,51.125,TREE\r\n"
                "103,990.000,4990.000,,\r\n")
CSV_CASES = [
    # (name, arguments after the sheet, expected file)
    ("PENZD", ["--order", "PENZD"], STADIA_PENZD),
    ("PNEZD with header", ["--order", "pnezd", "--header"],
     "number,northing,easting,height,code\r\n"
     "1,5000.000,1000.000,50.000,PM\r\n"
     '2,5000.000,1100.000,,"CP,""2"""\r\n'
     "101,5020.250,1010.500,51.125,TREE\r\n"
     "103,4990.000,990.000,,\r\n"),
]


def csv_cases(folder, sheet):
    for name, args, expected in CSV_CASES:
        out = f"{folder}/{name.replace(' ', '_')}.csv"
        status, printed, _ = run("export", sheet, "--format", "csv", *args, "-o", out)
        check(f"csv {name}: status and output", (status, printed), (0, out + "\n"))
        with open(out, newline="") as f:
            check(f"csv {name}: contents", f.read(), expected)


def drawing(path):
    doc = ezdxf.readfile(path)
    space = doc.modelspace()
    points = sorted((e.dxf.layer, tuple(round(v, 3) for v in e.dxf.location))
                    for e in space.query("POINT"))
    labels = sorted((e.dxf.layer, e.dxf.text, round(e.dxf.insert.x, 3), round(e.dxf.insert.y, 3))
                    for e in space.query("TEXT"))
    lines = sorted((e.dxf.layer, tuple(round(v, 3) for v in (e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)))
                   for e in space.query("LINE"))
    # ezdxf adds the Defpoints layer to every drawing it reads.
    layers = sorted(layer.dxf.name for layer in doc.layers if layer.dxf.name != "Defpoints")
    return points, labels, lines, layers


# Labels sit 0.25 east of their point.
DXF_CASES = [
    # (name, sheet, points (layer, e, n, z), labels (layer, text, e, n), lines, layers)
    ("stadia", "stadia",
     [("0", (990.0, 4990.0, 0.0)), ("CP__2_", (1100.0, 5000.0, 0.0)),
      ("PM", (1000.0, 5000.0, 50.0)), ("TREE", (1010.5, 5020.25, 51.125))],
     [("0", "103", 990.25, 4990.0), ("CP__2_", '2 CP,"2"', 1100.25, 5000.0),
      ("PM", "1 PM", 1000.25, 5000.0), ("TREE", "101 TREE", 1010.75, 5020.25)],
     [("SETUP_RAYS", (1000.0, 5000.0, 990.0, 4990.0)),
      ("SETUP_RAYS", (1000.0, 5000.0, 1010.5, 5020.25))],
     ["0", "CP__2_", "PM", "SETUP_RAYS", "TRAVERSE_LEGS", "TREE"]),
    ("traverse", "traverse",
     [("0", (1000.0, 1000.0, 50.0)), ("0", (1000.04, 1099.97, 50.0)),
      ("0", (1000.04, 999.97, 50.0)), ("0", (1100.0, 1000.0, 50.0)),
      ("0", (1100.0, 1099.97, 50.0))],
     [("0", "1", 1000.25, 1000.0), ("0", "1", 1000.29, 999.97), ("0", "2", 1100.25, 1000.0),
      ("0", "3", 1100.25, 1099.97), ("0", "4", 1000.29, 1099.97)],
     [("TRAVERSE_LEGS", (1000.0, 1000.0, 1100.0, 1000.0)),
      ("TRAVERSE_LEGS", (1000.04, 1099.97, 1000.04, 999.97)),
      ("TRAVERSE_LEGS", (1100.0, 1000.0, 1100.0, 1099.97)),
      ("TRAVERSE_LEGS", (1100.0, 1099.97, 1000.04, 1099.97))],
     ["0", "SETUP_RAYS", "TRAVERSE_LEGS"]),
]


def dxf_cases(folder, sheets):
    for name, sheet, points, labels, lines, layers in DXF_CASES:
        out = f"{folder}/{name}.dxf"
        status, printed, _ = run("export", sheets[sheet], "--format", "dxf", "-o", out)
        check(f"dxf {name}: status and output", (status, printed), (0, out + "\n"))
        expected = (sorted(points), sorted(labels), sorted(lines), sorted(layers))
        check(f"dxf {name}: drawing", drawing(out), expected)


def refusals(folder):
    run("new", "stadia", "9", "--job", f"{folder}/tst")
    run("edit", f"{folder}/stad9.tst", "--set", "0,0=STN", "--set", "0,1=1", "--save")
    for fmt in ("csv", "dxf"):
        out = f"{folder}/none.{fmt}"
        status, _, err = run("export", f"{folder}/stad9.tst", "--format", fmt, "-o", out)
        check(f"{fmt} without reduced points", (status, "no reduced points" in err,
                                                os.path.exists(out)), (1, True, False))
    status, _, _ = run("export", f"{folder}/stad9.tst", "--format", "dxf", "--header", "-o",
                       f"{folder}/x.dxf")
    check("--header with dxf", status, 2)


with tempfile.TemporaryDirectory() as folder:
    sheets = {"stadia": stadia_sheet(folder), "traverse": traverse_sheet(folder)}
    csv_cases(folder, sheets["stadia"])
    dxf_cases(folder, sheets)
    refusals(folder)

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)

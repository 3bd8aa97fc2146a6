"""kestrel-cli export and plot on two small sheets whose points are known by
hand: a stadia sheet with typed coordinates, and a reduced traverse square (1
at 1000,1000, then east 100, north 99.97, west 99.96, south 100: each leg ends
at the previous station plus the leg). CSV files are compared byte for byte,
DXF drawings read back with ezdxf. Usage: export_test.py KESTREL_CLI"""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

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
    rows = ["Stadia", "0,1,1000.0,5000.0,50.0,PM,", f"0,2,1100.0,5000.0,{EMPTY},CP,", "1,1,90.0,2,1.5",
            "3,101,10.0,90.0,25.0,1.5,TREE,gum,1010.5,5020.25,51.125",
            f"3,102,10.0,90.0,25.0,1.5,TREE,,{EMPTY},{EMPTY},{EMPTY}",
            f"3,103,10.0,90.0,25.0,1.5,,,990.0,4990.0,{EMPTY}"]
    run("paste", f"{folder}/stad1.tst", "--row", "0", "--save", stdin="\n".join(rows) + "\n")
    run("edit", f"{folder}/stad1.tst", "--set", '1,6=CP,"2"', "--save")
    return f"{folder}/stad1.tst"


def traverse_sheet(folder):
    run("new", "traverse", "1", "--job", f"{folder}/tst")
    cells = ("0,1=1 0,2=1000 0,3=1000 0,4=50 1,0=Fnote 1,1=tr_1,2,3,4,1 2,0=Traverse 2,1=1 2,2=2 "
             "2,3=90 2,5=100 3,3=0 3,5=99.97 4,3=270 4,5=99.96 5,2=1 5,3=180 5,5=100").split()
    sets = [word for cell in cells for word in ("--set", cell.replace("_", " "))]
    run("edit", f"{folder}/trav1.tst", *sets, "--save")
    return f"{folder}/trav1.tst"


CSV_CASES = [  # (name, arguments after the sheet, expected file)
    ("PENZD", ["--order", "PENZD"], '1,1000.000,5000.000,50.000,PM\r\n2,1100.000,5000.000,,"CP,""2"""\r\n'
     "101,1010.500,5020.250,51.125,TREE\r\n103,990.000,4990.000,,\r\n"),
    ("PNEZD with header", ["--order", "pnezd", "--header"], "number,northing,easting,height,code\r\n"
     '1,5000.000,1000.000,50.000,PM\r\n2,5000.000,1100.000,,"CP,""2"""\r\n'
     "101,5020.250,1010.500,51.125,TREE\r\n103,4990.000,990.000,,\r\n"),
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
    lines = sorted((e.dxf.layer, tuple(round(v, 3) for v in (*e.dxf.start.vec2, *e.dxf.end.vec2)))
                   for e in space.query("LINE"))
    # ezdxf adds the Defpoints layer to every drawing it reads.
    layers = sorted(layer.dxf.name for layer in doc.layers if layer.dxf.name != "Defpoints")
    return points, labels, lines, layers


# Labels sit 0.25 east of their point.
DXF_CASES = [  # (name, points (layer, e, n, z), labels (layer, text, e, n), lines, layers)
    ("stadia", [("0", (990.0, 4990.0, 0.0)), ("CP__2_", (1100.0, 5000.0, 0.0)),
                ("PM", (1000.0, 5000.0, 50.0)), ("TREE", (1010.5, 5020.25, 51.125))],
     [("0", "103", 990.25, 4990.0), ("CP__2_", '2 CP,"2"', 1100.25, 5000.0),
      ("PM", "1 PM", 1000.25, 5000.0), ("TREE", "101 TREE", 1010.75, 5020.25)],
     [("SETUP_RAYS", (1000.0, 5000.0, 990.0, 4990.0)), ("SETUP_RAYS", (1000.0, 5000.0, 1010.5, 5020.25))],
     ["0", "CP__2_", "PM", "SETUP_RAYS", "TRAVERSE_LEGS", "TREE"]),
    ("traverse", [("0", (1000.0, 1000.0, 50.0)), ("0", (1000.04, 1099.97, 50.0)), ("0", (1000.04, 999.97, 50.0)),
                  ("0", (1100.0, 1000.0, 50.0)), ("0", (1100.0, 1099.97, 50.0))],
     [("0", "1", 1000.25, 1000.0), ("0", "1", 1000.29, 999.97), ("0", "2", 1100.25, 1000.0),
      ("0", "3", 1100.25, 1099.97), ("0", "4", 1000.29, 1099.97)],
     [("TRAVERSE_LEGS", (1000.0, 1000.0, 1100.0, 1000.0)), ("TRAVERSE_LEGS", (1000.04, 1099.97, 1000.04, 999.97)),
      ("TRAVERSE_LEGS", (1100.0, 1000.0, 1100.0, 1099.97)), ("TRAVERSE_LEGS", (1100.0, 1099.97, 1000.04, 1099.97))],
     ["0", "SETUP_RAYS", "TRAVERSE_LEGS"]),
]


def dxf_cases(folder, sheets):
    for name, points, labels, lines, layers in DXF_CASES:
        out = f"{folder}/{name}.dxf"
        reduce = ["--reduce"] if name == "traverse" else []  # the traverse is saved unreduced
        status, printed, _ = run("export", sheets[name], "--format", "dxf", *reduce, "-o", out)
        check(f"dxf {name}: status and output", (status, printed), (0, out + "\n"))
        expected = (sorted(points), sorted(labels), sorted(lines), sorted(layers))
        check(f"dxf {name}: drawing", drawing(out), expected)


def refusals(folder):
    run("new", "stadia", "9", "--job", f"{folder}/tst")
    run("edit", f"{folder}/stad9.tst", "--set", "0,0=STN", "--set", "0,1=1", "--save")
    for fmt in ("csv", "dxf"):
        out = f"{folder}/none.{fmt}"
        status, _, err = run("export", f"{folder}/stad9.tst", "--format", fmt, "-o", out)
        check(f"{fmt} without reduced points", (status, "no reduced points" in err, os.path.exists(out)),
              (1, True, False))


def plot_case(folder, sheet, traverse):
    """The stadia sheet's plan: two station triangles, two shot dots, two rays
    and the four labels, which lie far enough apart to be kept."""
    out = f"{folder}/plan.svg"
    status, printed, _ = run("plot", sheet, "--labels", "-o", out)
    check("plot: status and output", (status, printed), (0, out + "\n"))
    ns = "{http://www.w3.org/2000/svg}"
    root = ElementTree.parse(out).getroot()
    classes = [e.get("class") for e in root.iter() if e.get("class")]
    # Point labels start with the number; the scale bar's ends in " m".
    labels = sorted(e.text for e in root.iter(f"{ns}text")
                    if e.text[0].isdigit() and not e.text.endswith(" m"))
    check("plot: drawn", (classes.count("station"), classes.count("shot"), classes.count("ray"),
                          labels), (2, 2, 2, ["1 PM", "101 TREE", "103", '2 CP,"2"']))
    status, _, _ = run("plot", sheet, "-o", f"{folder}/plan.png")
    check("plot to png", status, 2)
    # The square misses station 1 by 0.040 east, 0.030 south: an arrow of 40 px
    # pointing (0.8, -0.6), that is 32 px right and 24 px down.
    run("plot", traverse, "--reduce", "-o", out)
    root = ElementTree.parse(out).getroot()
    arrows = [(round(float(e.get("x2")) - float(e.get("x1"))), round(float(e.get("y2")) - float(e.get("y1"))))
              for e in root.iter(f"{ns}line") if e.get("class") == "misclose"]
    texts = [e.text for e in root.iter(f"{ns}text") if e.text.startswith("misclose")]
    check("plot: misclose", (arrows, texts), ([(32, 24)], ["misclose 0.050 m"]))


with tempfile.TemporaryDirectory() as folder:
    sheets = {"stadia": stadia_sheet(folder), "traverse": traverse_sheet(folder)}
    csv_cases(folder, sheets["stadia"])
    dxf_cases(folder, sheets)
    refusals(folder)
    plot_case(folder, sheets["stadia"], sheets["traverse"])

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)

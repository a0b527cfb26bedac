# Small drawings written with ezdxf, one per entity kind plus layers, colours,
# units and text encoding; each is converted with kestrelview-dxf and read
# back through kestrelview-render --json.  Usage: entity_table.py DXF RENDER
import json, math, os, re, subprocess, sys, tempfile
import ezdxf

bridge, render = sys.argv[1:3]
RED, BLUE, GREEN = [1, 0, 0], [0, 0, 1], [0, 1, 0]


def walls(faces):  # faces over one segment: two plan positions at most
    return [f for f in faces if len({(round(v[0], 3), round(v[2], 3)) for v in f["vertices"]}) <= 2]


def top(faces):
    return max(v[1] for f in faces for v in f["vertices"])


def span(faces, axis):  # least and greatest of a coordinate over the walls, to the millimetre
    values = [round(v[axis]) for f in walls(faces) for v in f["vertices"]]
    return min(values), max(values)


def colours(faces):
    return sorted({tuple(f["material"][:3]) for f in walls(faces)})


def lines(m):
    m.add_line((0, 0), (3, 0))


def half_circle(m, bulge=1):  # anticlockwise below the chord, clockwise (bulge < 0) above
    m.add_polyline2d([(0, 0), (2, 0)]).vertices[0].dxf.bulge = bulge


def mirrored(m):  # seen from below: x negated, the arc clockwise; a LINE is in world coordinates
    down = {"extrusion": (0, 0, -1)}
    m.add_lwpolyline([(1, 0), (3, 0)], dxfattribs=down)
    m.add_arc((0, 5), 1, 0, 90, dxfattribs=down)
    m.add_line((1, 9), (3, 9), dxfattribs=down)


def nested_in_itself(m):  # each level one line and the block again, one unit further
    b = m.doc.blocks.new("SELF")
    b.add_line((0, 0), (1, 0))
    b.add_blockref("SELF", (0, 1))
    m.add_blockref("SELF", (0, 0))


def line_types(m):  # the tenth and eleventh take line type 9
    for i in range(1, 12):
        m.doc.linetypes.add(f"T{i}", [0.5, 0.25, -0.25], description=f"T{i}")
        m.add_line((0, i), (1, i), dxfattribs={"linetype": f"T{i}"})


def insert(m):  # layer 0 and BYBLOCK inside take the INSERT's layer and colour
    b = m.doc.blocks.new("DOOR")
    b.add_line((0, 0), (1, 0), dxfattribs={"color": 0})
    m.add_blockref("DOOR", (5, 5), dxfattribs={"rotation": 90, "xscale": 2, "color": 1, "layer": "A"})


def minsert(m):
    m.doc.blocks.new("POST").add_line((0, 0), (0.5, 0))
    r = m.add_blockref("POST", (0, 0))
    r.dxf.row_count, r.dxf.column_count, r.dxf.row_spacing, r.dxf.column_spacing = 2, 3, 2, 2


def layers(m):
    m.doc.layers.add("B", color=5)
    m.add_line((0, 0), (1, 0), dxfattribs={"layer": "A"})
    m.add_line((0, 2), (1, 2), dxfattribs={"layer": "B"})


def palette(m):  # BYLAYER blue; index 14 (dark red) is nearest to red
    m.doc.layers.add("B", color=5)
    m.add_line((0, 0), (1, 0), dxfattribs={"layer": "B"})
    m.add_line((0, 2), (1, 2), dxfattribs={"color": 14})


def marks(m):  # height texts at both ends, justified by their alignment point
    m.add_line((0, 0), (2, 0))
    m.add_text("3,0").set_placement((0, 0))
    m.add_text("3,0").set_placement((2, 0), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)


def view(m):
    m.add_line((0, 0), (1, 0))
    m.add_text("v,1.6,45").set_placement((2, -5))
    m.add_mtext("{\\fArial|b1;f},\\P1", dxfattribs={"insert": (1, 0)})


def area_text(m):  # a number that lies on no segment end does not mark the layer
    m.add_lwpolyline([(0, 0), (4, 0), (4, 3), (0, 3)], close=True)
    m.add_text("60 m2").set_placement((2, 1.5))


def two_rooms(m):
    m.add_lwpolyline([(0, 0), (6, 0), (6, 4), (0, 4)], close=True)
    m.add_line((3, 0), (3, 4))


def texts_only(m):
    m.add_text("Living").set_placement((1, 1))


def huge(m):
    m.add_lwpolyline([(1e12, 1e12), (1e12 + 8000, 1e12), (1e12 + 8000, 1e12 + 6000)])


def full(m):  # every layer a slot: none is left for the view
    for i in range(256):
        m.add_line((0, i), (1, i), dxfattribs={"layer": f"L{i}"})


def finite(values):
    return all(isinstance(v, (int, float)) for v in values)


def framed(j, temp):  # a view on its own layer, from the south-west and above
    eye, target = j["view"]["eye"], j["view"]["target"]
    return (b"lynKestrelview view (eye v, target f)\r\nch " in temp and j["view"]["fieldOfView"] == 60
            and eye[0] < target[0] and eye[2] > target[2] and eye[1] > target[1] and in_picture(j))


def in_picture(j):  # every corner inside the window's picture, spanning 90% of it across or up
    c = j["camera"]
    yaw, pitch = math.radians(c["yaw"]), math.radians(c["pitch"])
    slope = math.tan(math.radians(c["viewAngle"]) / 2)
    xs, ys = [], []
    for v in (v for f in j["faces"] for v in f["vertices"]):
        x, y, z = (v[i] - c["eyePoint"][i] for i in range(3))
        x, z = x * math.cos(yaw) + z * math.sin(yaw), -x * math.sin(yaw) + z * math.cos(yaw)
        y, depth = y * math.cos(pitch) - z * math.sin(pitch), -(y * math.sin(pitch) + z * math.cos(pitch))
        if depth < 500:
            return False
        xs.append(x / (depth * slope))
        ys.append(y / (depth * slope))
    return max(map(abs, xs + ys)) <= 0.91 and max(max(xs) - min(xs), max(ys) - min(ys)) >= 1.78


def tower(m):  # base heights from a layer's name and from an "lv" text
    m.add_lwpolyline([(0, 0), (6, 0), (6, 4), (0, 4)], close=True)
    m.add_lwpolyline([(0, 0), (1, 0), (1, 1), (0, 1)], close=True, dxfattribs={"layer": "#lv20"})
    m.add_lwpolyline([(5, 3), (6, 3), (6, 4), (5, 4)], close=True, dxfattribs={"layer": "MAST"})
    m.add_text("lv,-12", dxfattribs={"layer": "MAST"})


def japanese(m):
    m.doc.layers.add("壁")
    m.add_line((0, 0), (1, 0), dxfattribs={"layer": "壁"})
    m.add_text('部屋 "A" é', dxfattribs={"layer": "壁"})


def r12(m):
    m.add_line((0, 0), (1, 0))
    m.add_text("\\U+58C1")


# name, version, $INSUNITS, builder, options, check(faces, json, temp.txt bytes, summary)
CASES = [
    ("line", "R2010", 6, lines, [], lambda f, j, t, s: len(walls(f)) == 1 and top(f) == 2400
     and max(v[0] for v in f[0]["vertices"]) == 3000),
    ("lwpolyline", "R2010", 6, lambda m: m.add_lwpolyline([(0, 0), (4, 0), (4, 3), (0, 3)], close=True), [],
     lambda f, j, t, s: len(walls(f)) == 4 and len(f) > 4),
    ("polyline bulge", "R2000", 6, half_circle, [],
     lambda f, j, t, s: len(walls(f)) == 12 and span(f, 2) == (0, 1000)),
    ("clockwise bulge", "R2000", 6, lambda m: half_circle(m, -1), [],
     lambda f, j, t, s: len(walls(f)) == 12 and span(f, 2) == (-1000, 0)),
    ("arc", "R2010", 6, lambda m: m.add_arc((0, 0), 1, 0, 90), [], lambda f, j, t, s: len(walls(f)) == 6
     and span(f, 0) == (0, 1000) and span(f, 2) == (-1000, 0)),
    ("arc across 0 degrees", "R2010", 6, lambda m: m.add_arc((0, 0), 1, 315, 45), [],
     lambda f, j, t, s: len(walls(f)) == 6 and span(f, 0) == (707, 1000) and span(f, 2) == (-707, 707)),
    ("extrusion 0,0,-1", "R2010", 6, mirrored, [], lambda f, j, t, s: len(walls(f)) == 8
     and span(walls(f)[:1], 0) == (-3000, -1000) and span(walls(f)[1:7], 0) == (-1000, 0)
     and span(walls(f)[1:7], 2) == (-6000, -5000) and span(walls(f)[7:], 0) == (1000, 3000)),
    ("block nested in itself", "R2010", 6, nested_in_itself, [], lambda f, j, t, s: len(walls(f)) == 32
     and span(f, 2) == (-31000, 0)),
    ("line types beyond 9", "R2010", 6, line_types, [], lambda f, j, t, s: len(walls(f)) == 11
     and re.findall(rb"\nlt(\d+)\r", t) == [str(i).encode() for i in range(1, 10)]),
    ("circle", "R2010", 6, lambda m: m.add_circle((0, 0), 1), [], lambda f, j, t, s: len(walls(f)) == 23),
    ("insert", "R2010", 6, insert, [], lambda f, j, t, s: colours(f) == [tuple(RED)]
     and sorted(v[2] for v in f[0]["vertices"])[::3] == [-7000, -5000]),
    ("minsert", "R2010", 6, minsert, [], lambda f, j, t, s: len(walls(f)) == 6),
    ("layers", "R2010", 6, layers, ["--layers", "a"], lambda f, j, t, s: len(f) == 1 and b"lynA\r\n" in t
     and b"lynB" not in t),
    ("colours", "R2010", 6, palette, [], lambda f, j, t, s: colours(f) == sorted([tuple(RED), tuple(BLUE)])),
    ("inches", "R2010", 1, lines, [], lambda f, j, t, s: max(v[0] for v in f[0]["vertices"]) == 76.2),
    ("--unit cm over metres", "R2010", 6, lines, ["--unit", "cm"], lambda f, j, t, s: span(f, 0) == (0, 30)),
    ("--unit m over inches", "R2010", 1, lines, ["--unit", "m"], lambda f, j, t, s: span(f, 0) == (0, 3000)),
    ("--unit in without units", "R2010", 0, lines, ["--unit", "in"],
     lambda f, j, t, s: max(v[0] for v in f[0]["vertices"]) == 76.2),
    ("--unit auto", "R2010", 5, lines, ["--unit", "auto"], lambda f, j, t, s: span(f, 0) == (0, 30)),
    ("marks", "R2010", 6, marks, [], lambda f, j, t, s: top(f) == 3000 and b"3,0" in t
     and "  0: 1 segment, height texts on their ends\n" in s),
    ("own view", "R2010", 6, view, [], lambda f, j, t, s: j["view"]["eye"] == [2000, 1600, 5000]
     and j["view"]["fieldOfView"] == 45 and j["view"]["target"] == [1000, 1000, 0]
     and "view: the drawing's own" in s and b"Kestrelview view" not in t),
    ("corner view", "R2010", 5, two_rooms, [], lambda f, j, t, s: framed(j, t)
     and "extent: 6 x 4 cm (0.06 x 0.04 m)\n" in s and "view: from the south-west" in s),
    ("top view", "R2010", 6, two_rooms, ["--view", "top"], lambda f, j, t, s:
     abs(j["view"]["eye"][0] - j["view"]["target"][0]) < 1 and 0 < j["view"]["eye"][2] - j["view"]["target"][2] < 100
     and "view: from above, north up" in s and in_picture(j)),
    ("base heights", "R2010", 6, tower, [], lambda f, j, t, s: top(f) == 22400
     and min(v[1] for g in f for v in g["vertices"]) == -12000 and framed(j, t)),
    ("marks in view", "R2010", 6, marks, ["--view", "top"], lambda f, j, t, s: in_picture(j)),
    ("no view", "R2010", 6, two_rooms, ["--view", "none"], lambda f, j, t, s:
     j["view"]["eye"] == [12000, 4000, 14000] and b"Kestrelview view" not in t and "view: none (--view none)" in s),
    ("texts only", "R2010", 6, texts_only, [], lambda f, j, t, s: b"Kestrelview view" not in t
     and "extent: none, no segments\n" in s and "view: none, the plan has no segments\n" in s),
    ("one point", "R2010", 6, lambda m: m.add_line((3, 3), (3, 3)), [], lambda f, j, t, s:
     b"Kestrelview view" not in t and "view: none, the plan has no segments\n" in s),
    ("huge coordinates", "R2010", 4, huge, [], lambda f, j, t, s: b"Kestrelview view" in t
     and finite(j["view"]["eye"] + j["view"]["target"])),
    ("not finite", "R2010", 6, lambda m: m.add_line((0, 0), (1e300, 0)), [], lambda f, j, t, s:
     b"Kestrelview view" not in t and "view: none, the plan's extent is not finite\n" in s),
    ("no layer left", "R2010", 6, full, [], lambda f, j, t, s: b"Kestrelview view" not in t
     and "view: none, all 256 layers hold the drawing" in s),
    ("area text", "R2010", 6, area_text, [], lambda f, j, t, s: len(walls(f)) == 4 and top(f) == 2400
     and "  0: 4 segments, walls 2.4 m high (--wall-height)\n" in s),
    ("japanese", "R2010", 4, japanese, [], lambda f, j, t, s: "壁".encode("cp932") in t
     and ('部屋 ”A” ?').encode("cp932") in t),
    ("r12", "R12", 4, r12, [], lambda f, j, t, s: b'"' + "壁".encode("cp932") + b"\r\n" in t),
]

failed = 0
for name, version, units, build, options, check in CASES:
    with tempfile.TemporaryDirectory() as folder:
        doc = ezdxf.new(version)
        doc.header["$INSUNITS"] = units
        build(doc.modelspace())
        doc.saveas(f"{folder}/plan.dxf")
        run = subprocess.run([bridge, f"{folder}/plan.dxf", "--wall-height", "2.4"] + options, capture_output=True)
        out = subprocess.run([render, "--json", "-", f"{folder}/plan.kestrelview"], capture_output=True)
        state = json.loads(out.stdout) if out.returncode == 0 else {}
        temp = open(f"{folder}/plan.kestrelview/temp.txt", "rb").read() if run.returncode == 0 else b""
        if run.returncode or out.returncode or not check(state["faces"], state, temp, run.stdout.decode()):
            failed += 1
            print(f"FAIL {name}: {run.stdout.decode()}{run.stderr.decode()}{out.stderr.decode()}\n{temp[:2000]}")


def many_layers(folder):
    doc = ezdxf.new()
    for i in range(300):
        doc.modelspace().add_line((0, i), (1, i), dxfattribs={"layer": f"L{i}"})
    doc.saveas(f"{folder}/plan.dxf")


def placed_too_often(folder):  # a block placed twice in itself: 2^32 placements
    doc = ezdxf.new()
    b = doc.blocks.new("TWICE")
    b.add_line((0, 0), (1, 0))
    b.add_blockref("TWICE", (0, 1))
    b.add_blockref("TWICE", (1, 0))
    doc.modelspace().add_blockref("TWICE", (0, 0))
    doc.saveas(f"{folder}/plan.dxf")


def too_many_records(folder):  # 22,500 placements of 100 lines each
    doc = ezdxf.new()
    b = doc.blocks.new("COMB")
    for i in range(100):
        b.add_line((i, 0), (i, 1))
    r = doc.modelspace().add_blockref("COMB", (0, 0))
    r.dxf.row_count, r.dxf.column_count, r.dxf.row_spacing, r.dxf.column_spacing = 150, 150, 2, 200
    doc.saveas(f"{folder}/plan.dxf")


def host_file(folder):
    lines_doc = ezdxf.new()
    lines(lines_doc.modelspace())
    lines_doc.saveas(f"{folder}/plan.dxf")
    os.mkdir(f"{folder}/plan.kestrelview")
    open(f"{folder}/plan.kestrelview/temp.txt", "w").write(" 0 0 1 1\n")


# Refusals: exit status 1, a clear message, and nothing written.
ERRORS = [
    ("binary", lambda d: open(f"{d}/plan.dxf", "wb").write(b"AutoCAD Binary DXF\r\n\x1a\x00"), "binary DXF"),
    ("no dxf", lambda d: open(f"{d}/plan.dxf", "wb").write(b"0\nLINE\n"), "not a DXF"),
    ("missing", lambda d: None, "cannot open"),
    ("pipe", lambda d: os.mkfifo(f"{d}/plan.dxf"), "not a regular file"),
    ("300 layers", many_layers, "--layers"),
    ("placements", placed_too_often, "placed more than 200000 times"),
    ("records", too_many_records, "more than 2000000 segments and texts"),
    ("host temp.txt", host_file, "--force"),
]
for name, make, message in ERRORS:
    with tempfile.TemporaryDirectory() as folder:
        make(folder)
        run = subprocess.run([bridge, f"{folder}/plan.dxf"], capture_output=True)
        out = f"{folder}/plan.kestrelview"
        kept = open(f"{out}/temp.txt").read() == " 0 0 1 1\n" if name == "host temp.txt" else not os.path.exists(out)
        if run.returncode != 1 or message not in run.stderr.decode() or not kept:
            failed += 1
            print(f"FAIL {name}: {run.returncode} {run.stderr.decode()}")
print(f"{len(CASES) + len(ERRORS) - failed} of {len(CASES) + len(ERRORS)} drawings as expected")
sys.exit(1 if failed else 0)

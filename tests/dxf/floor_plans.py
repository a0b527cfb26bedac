# Floor plans as drafters draw them, written with ezdxf: double-line walls,
# doors as arcs with their leaves, windows, furniture and fittings on layers
# of their own (some from blocks), a hatch, a dimension, room names and area
# texts such as "14.5 m2". Each is converted with --wall-height 2.5, then
# - the window's first picture and square and 4:3 pictures of true
#   proportions must show the whole model (nothing touches the picture's
#   edge) spanning at least 80% of the window's width or height, and of the
#   square picture's;
# - the plan picture must show every segment in a colour that stands out
#   from its ground, under its markers.
# Real drawings named after the programs go through the same checks.
# Usage: floor_plans.py DXF RENDER [REAL.dxf ...] | DXF RENDER --write FOLDER
#   --write only writes the drawings into FOLDER (for the user guide).
import math, os, re, struct, subprocess, sys, tempfile, zlib
import ezdxf

WALL = 7  # DXF colour 7: white on a dark screen, black on paper


def rectangle(m, x, y, w, h, layer, **extra):
    m.add_lwpolyline([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], close=True,
                     dxfattribs={"layer": layer, **extra})


def door(m, x, y, width, angle):
    """A door hinged at (x, y): its leaf and the quarter arc it sweeps."""
    a = math.radians(angle)
    m.add_line((x, y), (x + width * math.cos(a + math.pi / 2), y + width * math.sin(a + math.pi / 2)),
               dxfattribs={"layer": "DOORS"})
    m.add_arc((x, y), width, angle, angle + 90, dxfattribs={"layer": "DOORS"})


def window(m, x, y, length, thickness, vertical=False):
    """Three lines across the wall's thickness, as window symbols are drawn."""
    for k in range(3):
        d = thickness * k / 2
        if vertical:
            m.add_line((x + d, y), (x + d, y + length), dxfattribs={"layer": "WINDOWS"})
        else:
            m.add_line((x, y + d), (x + length, y + d), dxfattribs={"layer": "WINDOWS"})


def room_text(m, name, area, x, y, height, layer="TEXT"):
    m.add_text(name, dxfattribs={"layer": layer, "height": height}).set_placement((x, y))
    m.add_text(area, dxfattribs={"layer": layer, "height": height * 0.8}).set_placement((x, y - 2 * height))


def new_plan(units):
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = units
    for name, colour in [("WALLS", WALL), ("DOORS", 3), ("WINDOWS", 4), ("FURNITURE", 6), ("KITCHEN", 2),
                         ("SANITARY", 5), ("HATCH", 8), ("TEXT", WALL), ("DIMENSIONS", 1)]:
        doc.layers.add(name, color=colour)
    return doc, doc.modelspace()


def flat():
    """A flat of 12 x 9 m drawn in centimetres, walls 24 and 12 cm thick."""
    doc, m = new_plan(5)
    rectangle(m, 0, 0, 1200, 900, "WALLS")
    rectangle(m, 24, 24, 1152, 852, "WALLS")
    # Partitions: hall and bath on the west, living room east, bedroom north.
    for x, y, w, h in [(400, 24, 12, 300), (400, 414, 12, 462), (24, 500, 240, 12), (354, 500, 46, 12),
                       (412, 560, 300, 12), (802, 560, 374, 12)]:
        rectangle(m, x, y, w, h, "WALLS")
    door(m, 400, 324, 90, 90)
    door(m, 264, 512, 90, 0)
    door(m, 712, 572, 90, 0)
    door(m, 500, 0, 100, 0)
    for x in (150, 650, 900):
        window(m, x, 0, 120, 24)
    window(m, 1176, 200, 150, 24, vertical=True)
    window(m, 700, 876, 160, 24)
    # Furniture: a bed, a sofa, a table with chairs from one block, a wardrobe.
    rectangle(m, 820, 620, 180, 200, "FURNITURE")
    rectangle(m, 830, 780, 70, 30, "FURNITURE")
    rectangle(m, 920, 780, 70, 30, "FURNITURE")
    rectangle(m, 440, 820, 240, 55, "FURNITURE")
    rectangle(m, 900, 60, 220, 90, "FURNITURE")
    m.add_lwpolyline([(900, 150), (900, 250), (930, 250), (930, 150)], dxfattribs={"layer": "FURNITURE"})
    rectangle(m, 620, 260, 160, 90, "FURNITURE")
    chair = doc.blocks.new("CHAIR")
    chair.add_lwpolyline([(-20, -20), (20, -20), (20, 20), (-20, 20)], close=True)
    chair.add_arc((0, 0), 20, 0, 180)
    for x, y, r in [(650, 240, 180), (750, 240, 180), (650, 370, 0), (750, 370, 0)]:
        m.add_blockref("CHAIR", (x, y), dxfattribs={"layer": "FURNITURE", "rotation": r})
    # Kitchen counter along the west wall, a sink and a hob; bath fittings.
    m.add_lwpolyline([(24, 200), (84, 200), (84, 480), (24, 480)], dxfattribs={"layer": "KITCHEN"})
    rectangle(m, 34, 260, 40, 60, "KITCHEN")
    for y in (380, 420):
        m.add_circle((54, y), 12, dxfattribs={"layer": "KITCHEN"})
    m.add_lwpolyline([(30, 530, 0), (200, 530, 0.4), (200, 600, 0), (30, 600, 0)], format="xyb", close=True,
                     dxfattribs={"layer": "SANITARY"})
    m.add_circle((330, 820), 25, dxfattribs={"layer": "SANITARY"})
    rectangle(m, 300, 840, 60, 30, "SANITARY")
    hatch = m.add_hatch(color=8, dxfattribs={"layer": "HATCH"})
    hatch.set_pattern_fill("ANSI31", scale=10)
    hatch.paths.add_polyline_path([(24, 512), (400, 512), (400, 876), (24, 876)], is_closed=True)
    m.add_linear_dim(base=(0, -60), p1=(0, 0), p2=(1200, 0), dxfattribs={"layer": "DIMENSIONS"}).render()
    room_text(m, "Living", "32.5 m2", 550, 450, 25)
    room_text(m, "Bedroom", "18.2 m2", 900, 720, 25)
    room_text(m, "Bath", "6 m2", 150, 700, 20)
    room_text(m, "Hall", "9.4 m2", 200, 300, 20)
    return doc


def house():
    """An L-shaped house of 16 x 12 m drawn in metres, with a terrace, stairs
    and columns; its room names and areas are on the walls' layer."""
    doc, m = new_plan(6)
    outline = [(0, 0), (16, 0), (16, 7), (9, 7), (9, 12), (0, 12)]
    m.add_lwpolyline(outline, close=True, dxfattribs={"layer": "WALLS"})
    inner = [(0.3, 0.3), (15.7, 0.3), (15.7, 6.7), (8.7, 6.7), (8.7, 11.7), (0.3, 11.7)]
    m.add_lwpolyline(inner, close=True, dxfattribs={"layer": "WALLS"})
    for x, y, w, h in [(5, 0.3, 0.15, 3), (5, 4.2, 0.15, 7.5), (0.3, 6, 3.5, 0.15), (11, 0.3, 0.15, 6.4)]:
        rectangle(m, x, y, w, h, "WALLS")
    for x, y, a in [(5.15, 3.3, 90), (3.8, 6.15, 0), (11.15, 5.5, 90), (7, 0, 0)]:
        door(m, x, y, 0.9, a)
    for x in (1.5, 8, 13):
        window(m, x, 0, 1.5, 0.3)
    window(m, 0, 8, 2, 0.3, vertical=True)
    # Stairs: 14 treads, and a terrace of columns east of the north wing.
    for k in range(15):
        m.add_line((6, 7 + 0.28 * k), (8, 7 + 0.28 * k), dxfattribs={"layer": "FURNITURE"})
    m.add_line((6, 7), (6, 10.92), dxfattribs={"layer": "FURNITURE"})
    rectangle(m, 9, 7, 6, 5, "HATCH")
    for x, y in [(9.5, 11.5), (12, 11.5), (14.5, 11.5)]:
        m.add_circle((x, y), 0.15, dxfattribs={"layer": "FURNITURE"})
    rectangle(m, 12, 2, 2.2, 1, "FURNITURE")
    for k in range(6):
        m.add_circle((12.3 + 0.8 * (k % 3), 1.6 + 1.8 * (k // 3)), 0.22, dxfattribs={"layer": "FURNITURE"})
    rectangle(m, 1, 8, 2, 2.2, "FURNITURE")
    rectangle(m, 6, 1, 3, 0.9, "FURNITURE")
    rectangle(m, 0.3, 1, 0.6, 3, "KITCHEN")
    m.add_circle((0.6, 2), 0.2, dxfattribs={"layer": "KITCHEN"})
    rectangle(m, 3.5, 6.5, 1.4, 0.7, "SANITARY")
    hatch = m.add_hatch(color=8, dxfattribs={"layer": "HATCH"})
    hatch.set_pattern_fill("ANSI37", scale=0.1)
    hatch.paths.add_polyline_path([(9, 7), (15, 7), (15, 12), (9, 12)], is_closed=True)
    room_text(m, "Living", "60 m2", 10, 3, 0.3, "WALLS")
    room_text(m, "Kitchen", "14 m2", 2.5, 3, 0.25, "WALLS")
    room_text(m, "Study", "22 m2", 2.5, 9, 0.25, "WALLS")
    room_text(m, "Terrace", "30 m2", 12, 9.5, 0.25, "WALLS")
    return doc


def office():
    """An open-plan office of 22 x 14 m drawn in millimetres: 72 desks with
    chairs from one block, doors, a parquet floor drawn as single lines;
    thousands of findings in its plan check."""
    doc, m = new_plan(4)
    rectangle(m, 0, 0, 22000, 14000, "WALLS")
    rectangle(m, 300, 300, 21400, 13400, "WALLS")
    for x in range(2000, 22000, 3000):
        rectangle(m, x, 300, 100, 3000, "WALLS")
        door(m, x + 100, 3300, 900, 90)
    desk = doc.blocks.new("DESK")
    desk.add_lwpolyline([(0, 0), (1600, 0), (1600, 800), (0, 800)], close=True)
    desk.add_arc((800, -350), 300, 200, 340)
    desk.add_line((520, -450), (1080, -450))
    for row in range(6):
        for column in range(12):
            m.add_blockref("DESK", (1000 + 1700 * column, 4700 + 1500 * row), dxfattribs={"layer": "FURNITURE"})
    for row in range(60):  # staggered boards of 500 by 100 in the entrance zone
        for column in range(26):
            x, y = 800 + 500 * column + 250 * (row % 2), 400 + 50 * row
            m.add_line((x, y), (x + 450, y), dxfattribs={"layer": "HATCH"})
    for x in range(1000, 21000, 1500):
        window(m, x, 13700, 1000, 300)
    room_text(m, "Open office", "280 m2", 9000, 3800, 300)
    return doc


PLANS = [("flat", flat), ("house", house), ("office", office)]


def read_bmp(path):
    """Width, height and rows (top first) of (r, g, b) of a 24-bit BMP."""
    data = open(path, "rb").read()
    offset, width, height = struct.unpack_from("<I", data, 10)[0], *struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rows.append([(row[x + 2], row[x + 1], row[x]) for x in range(0, width * 3, 3)])
    return width, abs(height), rows[::-1] if height > 0 else rows


def read_png(path):
    """Width, height and rows (top first) of (r, g, b) of an 8-bit RGB or RGBA PNG."""
    data = open(path, "rb").read()
    at, chunks, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8: at + 8 + length]
        header = body if kind == b"IHDR" else header
        chunks += body if kind == b"IDAT" else b""
        at += 12 + length
    width, height, depth, colour = struct.unpack_from(">IIBB", header)
    assert depth == 8 and colour in (2, 6), "unexpected PNG format"
    size = 3 if colour == 2 else 4
    raw, stride, rows, previous = zlib.decompress(chunks), width * size, [], bytearray(width * size)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1: (y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - size] if i >= size else 0
            b, c = previous[i], previous[i - size] if i >= size else 0
            p = a + b - c
            predictor = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + [0, a, b, (a + b) // 2, predictor][kind]) & 255
        rows.append([tuple(line[x: x + 3]) for x in range(0, stride, size)])
        previous = line
    return width, height, rows


def model_box(rows, ground):
    """Left, top, right, bottom of the pixels that are not the ground."""
    ys = [y for y, row in enumerate(rows) if any(p != ground for p in row)]
    xs = [x for x in range(len(rows[0])) if any(row[x] != ground for row in rows)]
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def luminance(rgb):
    linear = [c / 255 / 12.92 if c <= 10 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in rgb]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]


def contrast(a, b):
    la, lb = sorted([luminance(a), luminance(b)])
    return (lb + 0.05) / (la + 0.05)


def check_framing(render, folder, name):
    """The first picture and pictures of true proportions frame the model."""
    problems = []
    ground = (200, 215, 230)  # the background the bridge's material.txt gives
    for size, spans in [(None, True), ("600x600", True), ("800x600", False)]:
        picture = f"{folder}/picture.bmp"
        subprocess.run([render, "--output", picture] + (["--size", size] if size else []) + [folder], check=True,
                       capture_output=True)
        width, height, rows = read_bmp(picture)
        box = model_box(rows, ground)
        label = f"{name} {size or 'window'}"
        if box is None:
            problems.append(f"{label}: nothing drawn")
            continue
        left, top, right, bottom = box
        share = max((right - left + 1) / width, (bottom - top + 1) / height)
        if left == 0 or top == 0 or right == width - 1 or bottom == height - 1:
            problems.append(f"{label}: the model touches the edge, box {box}")
        if spans and share < 0.8:
            problems.append(f"{label}: the model spans only {share:.0%}")
    return problems


def check_plan_picture(render, folder, name):
    """Every segment of the plan picture shows against its ground."""
    size = ["--size", "600x450"]  # denser than the default, and quicker to read back
    subprocess.run([render, "--plan", f"{folder}/plan.svg"] + size + [folder], capture_output=True)
    subprocess.run([render, "--plan", f"{folder}/plan.png"] + size + [folder], capture_output=True)
    svg = open(f"{folder}/plan.svg").read()
    width, height, rows = read_png(f"{folder}/plan.png")
    segments = sum(1 for line in open(f"{folder}/temp.txt", "rb") if line.startswith(b" "))
    # The plan's lines are the SVG's first two-point polylines.
    lines = re.findall(r'<polyline[^>]*points="([-\d.e]+),([-\d.e]+) ([-\d.e]+),([-\d.e]+) "', svg)[:segments]
    problems = [] if len(lines) >= segments else [f"{name} plan: {len(lines)} lines for {segments} segments"]
    hidden = 0
    for x1, y1, x2, y2 in lines:
        x, y = round((float(x1) + float(x2)) / 2), round((float(y1) + float(y2)) / 2)
        near = [rows[j][i] for j in range(y - 1, y + 2) for i in range(x - 1, x + 2) if 0 <= j < height and 0 <= i < width]
        hidden += max(contrast(p, (255, 255, 255)) for p in near) < 2.5
    if hidden:
        problems.append(f"{name} plan: {hidden} of {len(lines)} lines do not stand out")
    if "left out" not in svg and "warning" not in svg and "note" not in svg:
        problems.append(f"{name} plan: no key")
    return problems


def main():
    bridge, render = sys.argv[1:3]
    if sys.argv[3:4] == ["--write"]:
        for name, build in PLANS:
            build().saveas(f"{sys.argv[4]}/{name}.dxf")
        return 0
    problems = []
    with tempfile.TemporaryDirectory() as work:
        drawings = [(name, f"{work}/{name}.dxf") for name, _ in PLANS] + [(os.path.basename(f), f) for f in sys.argv[3:]]
        for name, build in PLANS:
            build().saveas(f"{work}/{name}.dxf")
        for name, dxf in drawings:
            folder = f"{work}/{name}.kestrelview"
            run = subprocess.run([bridge, dxf, "--wall-height", "2.5", "--out", folder], capture_output=True, text=True)
            if run.returncode or "view: from the south-west" not in run.stdout or "note:" in run.stdout:
                problems.append(f"{name}: {run.stdout}{run.stderr}")
                continue
            # The house's room names and areas share the walls' layer, on no segment end.
            if name == "house" and "  WALLS: 28 segments, walls 2.5 m high" not in run.stdout:
                problems.append(f"{name}: its walls got no wall height\n{run.stdout}")
            problems += check_framing(render, folder, name) + check_plan_picture(render, folder, name)
    for problem in problems:
        print("FAIL", problem)
    print(f"{len(drawings)} floor plans, {len(problems)} problems")
    return 1 if problems else 0


sys.exit(main())

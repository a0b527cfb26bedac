# Counts the straight segments of DXF files with ezdxf, independently of the
# bridge: LINEs and straight polyline edges, blocks expanded, arcs left out.
import sys
import ezdxf
from ezdxf import recover


def straight(a, b):
    return (a[0], a[1]) != (b[0], b[1])


def count(layout, doc, depth):
    total = 0
    for e in layout:
        kind = e.dxftype()
        if kind == "LINE":
            total += straight(e.dxf.start, e.dxf.end)
        elif kind == "LWPOLYLINE":
            points = list(e.get_points("xyb"))
            total += count_edges(points, e.closed)
        elif kind == "POLYLINE" and (e.is_2d_polyline or e.is_3d_polyline):
            points = [(v.dxf.location[0], v.dxf.location[1], v.dxf.bulge) for v in e.vertices]
            total += count_edges(points, e.is_closed)
        elif kind == "INSERT" and depth < 32:
            block = doc.blocks.get(e.dxf.name)
            if block is not None:
                copies = max(1, e.dxf.row_count) * max(1, e.dxf.column_count)
                total += copies * count(block, doc, depth + 1)
    return total


def count_edges(points, closed):
    edges = len(points) if closed else len(points) - 1
    if len(points) < 2:
        return 0
    return sum(points[i][2] == 0 and straight(points[i], points[(i + 1) % len(points)]) for i in range(edges))


for path in sys.argv[1:]:
    try:
        try:
            doc = ezdxf.readfile(path)
        except ezdxf.DXFStructureError:
            doc = recover.readfile(path)[0]  # tolerates e.g. an ENDSEC without its SECTION
        print(count(doc.modelspace(), doc, 0), path)
    except Exception as error:
        print("error", path, type(error).__name__)

# Writes plan.dxf, the small floor plan of the user guide's DXF section:
# two rooms with a curved east wall, a door opening, a pergola of posts
# (one block in a 2 by 3 array), room names and the eye and target.
# Run with Debian's python3-ezdxf: /usr/bin/python3 make_plan.py
import ezdxf

doc = ezdxf.new("R2010")
doc.header["$INSUNITS"] = 6  # metres
doc.layers.add("WALLS", color=7)
doc.layers.add("POSTS", color=5)
doc.layers.add("NOTES", color=3)
msp = doc.modelspace()

walls = {"layer": "WALLS"}
msp.add_lwpolyline([(0, 0, 0), (8, 0, 0.2), (8, 6, 0), (0, 6, 0)], format="xyb", close=True, dxfattribs=walls)
msp.add_line((5, 0), (5, 2.2), dxfattribs=walls)
msp.add_line((5, 3.2), (5, 6), dxfattribs=walls)

post = doc.blocks.new("POST")
post.add_lwpolyline([(0, 0), (0.2, 0), (0.2, 0.2), (0, 0.2)], close=True)
posts = msp.add_blockref("POST", (-4, 0.5), dxfattribs={"layer": "POSTS"})
posts.dxf.row_count, posts.dxf.column_count = 3, 2
posts.dxf.row_spacing, posts.dxf.column_spacing = 2.4, 2.4

notes = {"layer": "NOTES", "height": 0.3}
msp.add_text("居間", dxfattribs=notes).set_placement((2, 3))
msp.add_text("寝室", dxfattribs=notes).set_placement((6.2, 3))
msp.add_text("v,9,50", dxfattribs=notes).set_placement((14, -10))
msp.add_text("f,0", dxfattribs=notes).set_placement((2, 3))
doc.saveas("plan.dxf")

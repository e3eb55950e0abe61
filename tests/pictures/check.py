#!/usr/bin/env python3
"""Looks at the pictures as their viewers do: check.py CHECK DRAW, where DRAW writes a picture
from what it reads (tests/pictures/draw.cpp) and CHECK is svg_example (the README's nearshape
example, and P inside its circle), svg_extremes (2147483647 sides, coordinates near 1e300) or
dot (branchwork trees). An SVG must parse, render with rsvg-convert, hold one shape per
figure, the nearest one marked, and show its colour along the nearest figure's outline only,
the line from P to its nearest point labelled with the report's distance, all where an
independent fit of the view puts them. A DOT file must render with Graphviz, hold a visible
node per value, and link them as plain insertion builds the tree, each child on its side.
"""
import json
import math
import os
import subprocess
import sys
import tempfile

from xml.etree import ElementTree

NEAREST, MOST_SIDES_DRAWN = (0xD6, 0x27, 0x28), 100


def run(*command, stdin=""):
    done = subprocess.run(command, input=stdin.encode(), capture_output=True)
    assert done.returncode == 0 and not done.stderr, f"{command}: status {done.returncode}: {done.stderr}"
    return done.stdout


def outline(sides, x, y, size):
    """The points that bound the figure as drawn, and points on its outline."""
    if 0 < sides <= MOST_SIDES_DRAWN:
        alpha = 2 * math.pi / sides
        radius = size / (2 * math.sin(alpha / 2))
        turns = [alpha / 2 + i * alpha for i in range(sides)]
        vertices = [(x - radius * math.sin(t), y - radius * math.cos(t)) for t in turns]
        return vertices, [((a + c) / 2, (b + d) / 2) for (a, b), (c, d) in zip(vertices, vertices[1:] + vertices[:1])]
    radius = abs(size if sides == 0 else size / (2 * math.sin(math.pi / sides)))
    circle = [(x + radius * math.cos(k * math.pi / 8), y + radius * math.sin(k * math.pi / 8)) for k in range(16)]
    return circle, circle


def nearest_point(p, sides, x, y, size):
    """Of a circle, the point on the line through P and the centre; of a polygon, the vertex nearest P."""
    if sides == 0:
        d = math.hypot(p[0] - x, p[1] - y)
        return x + size * (p[0] - x) / d, y + size * (p[1] - y) / d
    if sides <= MOST_SIDES_DRAWN:
        return min(outline(sides, x, y, size)[0], key=lambda v: math.sqrt((v[0] - p[0]) ** 2 + (v[1] - p[1]) ** 2))
    alpha, radius = 2 * math.pi / sides, size / (2 * math.sin(math.pi / sides))
    turn = alpha / 2 + round(math.atan2(x - p[0], y - p[1]) % (2 * math.pi) / alpha - 0.5) % sides * alpha
    return x - radius * math.sin(turn), y - radius * math.cos(turn)


def check_svg(draw, folder, p, figures, nearest):
    path, png = os.path.join(folder, "p.svg"), os.path.join(folder, "p.png")
    records = " ".join(" ".join(map(repr, figure)) for figure in figures)
    report = run(draw, "svg", path, stdin=f"{p[0]!r} {p[1]!r} {len(figures)} {records}").decode()
    elements = list(ElementTree.parse(path).iter())
    shapes = [e for e in elements if "figure" in str(e.get("class")).split()]
    assert sorted(e.get("id") for e in shapes) == sorted(f"f{i}" for i in range(1, len(figures) + 1)), shapes
    for e in shapes:
        sides = figures[int(e.get("id")[1:]) - 1][0]
        assert e.tag.endswith("polygon" if 0 < sides <= MOST_SIDES_DRAWN else "circle"), (e.tag, sides)
    assert [e.get("id") for e in shapes if "nearest" in e.get("class")] == [f"f{nearest}"]

    # The view: the box around P and the figures, its longer side 1000 units, at least 400
    # by 400, centred within a margin of 60, y upwards.
    xs, ys = zip(p, *(point for figure in figures for point in outline(*figure)[0]))
    span = max(max(xs) - min(xs), max(ys) - min(ys)) or 1
    width, height = ((high - low) / span * 1000 for low, high in ((min(xs), max(xs)), (min(ys), max(ys))))
    left, top = (60 + (max(size, 400) - size) / 2 for size in (width, height))
    columns = math.ceil(max(width, 400) + 120)
    place = lambda x, y: (left + (x - min(xs)) / span * 1000, top + (max(ys) - y) / span * 1000)

    [line] = [e for e in elements if e.get("class") == "answer"]
    ends = (*place(*p), *place(*nearest_point(p, *figures[nearest - 1])))
    assert all(abs(float(line.get(a)) - b) < 0.01 for a, b in zip(("x1", "y1", "x2", "y2"), ends)), (line.attrib, ends)
    [label] = [e.text for e in elements if e.get("class") == "distance"]
    assert f"Tavolsag: {label} egyseg." in report, (label, report)

    run("rsvg-convert", "-o", png, path)
    pixels = run("convert", png, "-depth", "8", "rgb:-")
    assert len(pixels) == 3 * columns * math.ceil(max(height, 400) + 120), "the size of the view"
    for number, figure in enumerate(figures, 1):
        for x, y in outline(*figure)[1]:
            u, v = map(int, place(x, y))
            colour = tuple(pixels[3 * (v * columns + u) :][:3])
            if number == nearest:
                assert all(abs(a - b) < 40 for a, b in zip(colour, NEAREST)), (number, x, y, colour)
            else:
                assert sum(colour) < 600 and colour[0] - colour[1] < 40, (number, x, y, colour)


def check_dot(draw, folder, values):
    path = os.path.join(folder, "tree.dot")
    run(draw, "dot", path, stdin=" ".join(map(str, values)))
    graph = json.loads(run("dot", "-Tjson", path))
    nodes = {o["_gvid"]: o for o in graph.get("objects", []) if o.get("style") != "invis"}
    assert sorted(int(o["label"]) for o in nodes.values()) == sorted(values), nodes
    below = {gvid: [] for gvid in nodes}
    for edge in graph.get("edges", []):
        if edge.get("style") != "invis":
            kind = {"sw": 1, "se": 3}.get(edge.get("tailport"), 2 if edge.get("style") == "dashed" else 0)
            below[edge["tail"]].append((kind, edge["head"]))
    if not values:
        assert graph.get("label") == "A fa ures.", graph.get("label")
        return
    # The reference: plain insertion, each node as [value, left, middle, right].
    root = [values[0], None, None, None]
    for value in values[1:]:
        at = root
        while at[(slot := 1 if value < at[0] else 2 if value == at[0] else 3)]:
            at = at[slot]
        at[slot] = [value, None, None, None]
    heads = {head for links in below.values() for _, head in links}
    [top] = set(nodes) - heads
    pending = [(root, top)]
    while pending:
        node, gvid = pending.pop()
        assert int(nodes[gvid]["label"]) == node[0], (node[0], nodes[gvid])
        assert sorted(kind for kind, _ in below[gvid]) == [s for s in (1, 2, 3) if node[s]], (node[0], below[gvid])
        x = float(nodes[gvid]["pos"].split(",")[0])
        for kind, head in below[gvid]:
            side = float(nodes[head]["pos"].split(",")[0]) - x
            assert (side < -1, abs(side) < 20, side > 1)[kind - 1], (node[0], kind, side)  # 20: under a node's width
            pending.append((node[kind], head))


def main(check, draw):
    with tempfile.TemporaryDirectory() as folder:
        if check == "svg_example":
            check_svg(draw, folder, (0, 0), [(0, 5, 0, 1), (4, 0, -3, 2)], 2)
            check_svg(draw, folder, (4.5, 0.2), [(0, 5, 0, 1), (4, 0, -3, 2)], 1)  # P inside the circle
        elif check == "svg_extremes":
            figures = [(2147483647, 1.5e300, 1e300, 1e291), (0, 0.5e300, 1e300, 2e299), (3, 1e300, 0.5e300, 3e299)]
            check_svg(draw, folder, (1e300, 1.2e300), figures, 1)
        elif check == "dot":
            for values in ([5, 3, 8, 5, 1], [1, 2], [2, 1], [7, 7, 7], [10, 5, 15, 12, 20, 7, 7, 3, 18, -4], []):
                check_dot(draw, folder, values)
        else:
            sys.exit(f"unknown check: {check}")


if __name__ == "__main__":
    main(*sys.argv[1:])

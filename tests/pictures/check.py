#!/usr/bin/env python3
"""Looks at the pictures the programs draw as their viewers do:
check.py CHECK NEARSHAPE BRANCHWORK EXAMPLES, where CHECK is svg_examples (nearshape --svg on
the README's examples, and P inside a circle), svg_extremes (2147483647 sides, coordinates
near 1e300) or dot (branchwork --dot on the worked example and other trees), and EXAMPLES is
the examples folder. The dialogue must be as without the option. An SVG must parse, render with rsvg-convert, hold one shape per figure,
the nearest one (as the report says) marked, and show its colour along the nearest figure's
outline only, the line from P to its nearest point labelled with the report's distance, all
where an independent fit of the view puts them. A DOT file must render with Graphviz, hold a
visible node per value, and link them as in the tree the walks print, each child on its side.
"""
import json
import math
import os
import re
import subprocess
import sys
import tempfile

from xml.etree import ElementTree

NEAREST, MOST_SIDES_DRAWN = (0xD6, 0x27, 0x28), 100


def run(*command, stdin="", cwd=None):
    done = subprocess.run(command, input=stdin.encode(), capture_output=True, cwd=cwd)
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


def check_svg(nearshape, folder, p, figures, stdin=None):
    """Runs nearshape --svg on the figures (from a figure file unless `stdin` types them in)."""
    path, png = os.path.join(folder, "p.svg"), os.path.join(folder, "p.png")
    if stdin is None:
        with open(os.path.join(folder, "figures.txt"), "w") as file:
            file.write(f"{len(figures)}\n" + "".join(" ".join(map(repr, figure)) + "\n" for figure in figures))
        stdin = f"{p[0]!r}\n{p[1]!r}\nf\nfigures.txt\n"
    report = run(nearshape, "--svg", path, stdin=stdin, cwd=folder).decode()
    assert report == run(nearshape, stdin=stdin, cwd=folder).decode(), "the dialogue as without --svg"
    nearest = int(re.search(r"A lista (\d+)\. objektuma\.", report)[1])
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


def walks(node):
    """The three walks the program prints: pre-, post- and in-order."""
    if not node:
        return [], [], []
    left, middle, right = (walks(child) for child in node[1:])
    return ([node[0]] + left[0] + middle[0] + right[0], left[1] + middle[1] + right[1] + [node[0]],
            left[2] + [node[0]] + middle[2] + right[2])


def check_dot(branchwork, folder, answers):
    """Runs branchwork --dot on the answers and compares the graph with the tree the walks print."""
    path, numbers = os.path.join(folder, "tree.dot"), [int(word) for word in answers.split()]
    values = numbers[1 : 1 + numbers[0]]
    dialogue = run(branchwork, "--dot", path, stdin=answers)
    assert dialogue == run(branchwork, stdin=answers), "the dialogue as without --dot"
    printed = dialogue.decode().split("A fa tartalma:")[1:2]
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
    # The tree printed: its pre-order, inserted in turn, gives it back, each node as
    # [value, left, middle, right], and so its other two walks.
    [pre, post, inorder] = [[int(v) for v in re.findall(r"\((-?\d+)\)", line)] for line in printed[0].split("\n")[2:5]]
    root = [pre[0], None, None, None]
    for value in pre[1:]:
        at = root
        while at[(slot := 1 if value < at[0] else 2 if value == at[0] else 3)]:
            at = at[slot]
        at[slot] = [value, None, None, None]
    assert walks(root) == (pre, post, inorder), (walks(root), printed)
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


def main(check, nearshape, branchwork, examples):
    with tempfile.TemporaryDirectory() as folder:
        if check == "svg_examples":
            two = [(0, 5, 0, 1), (4, 0, -3, 2)]
            with open(os.path.join(examples, "nearshape-keyboard.txt")) as keyboard:
                check_svg(nearshape, folder, (0, 0), two, stdin=keyboard.read())
            with open(os.path.join(examples, "figures.txt")) as file:
                numbers = file.read().split()[1:]
            records = [numbers[i : i + 4] for i in range(0, len(numbers), 4)]
            check_svg(nearshape, folder, (0, 0), [(int(s), float(x), float(y), float(a)) for s, x, y, a in records])
            check_svg(nearshape, folder, (4.5, 0.2), two)  # P inside the circle
        elif check == "svg_extremes":
            figures = [(2147483647, 1.5e300, 1e300, 1e291), (0, 0.5e300, 1e300, 2e299), (3, 1e300, 0.5e300, 3e299)]
            check_svg(nearshape, folder, (1e300, 1.2e300), figures)
        elif check == "dot":
            with open(os.path.join(examples, "branchwork-session.txt")) as session:
                check_dot(branchwork, folder, session.read())
            for values in ([1, 2], [2, 1], [7, 7, 7], [10, 5, 15, 12, 20, 7, 7, 3, 18, -4], []):
                check_dot(branchwork, folder, f"{len(values)} {' '.join(map(str, values))} 1 1 1")
        else:
            sys.exit(f"unknown check: {check}")


if __name__ == "__main__":
    main(*sys.argv[1:])

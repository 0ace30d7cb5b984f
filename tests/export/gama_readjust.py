#!/usr/bin/env python3
"""Adjusts the network of a gama-local input file again, on its own: read from
the format's public description only, solved by Gauss-Newton on plain lists.
Prints tab-separated lines "m0 VALUE", "redundancy N" and "point ID X Y" for
every adjusted point; stops with a message on anything it does not read."""
import math
import sys
import xml.etree.ElementTree as ET

NS = "{http://www.gnu.org/software/gama/gama-local}"
RHO = 180 * 3600 / math.pi  # seconds per radian


def fail(message):
    sys.exit("gama_readjust: " + message)


def sexagesimal(text):
    sign = -1.0 if text.startswith("-") else 1.0
    d, m, s = text.lstrip("+-").split("-")
    return sign * math.radians(int(d) + int(m) / 60 + float(s) / 3600)


def bearing(p, q):
    return math.atan2(q[1] - p[1], q[0] - p[0])


def read(path):
    network = ET.parse(path).getroot().find(NS + "network")
    if network is None or (network.get("axes-xy"), network.get("angles")) != ("ne", "left-handed"):
        fail("not a gama-local network with axes-xy=ne and left-handed angles")
    sigma_apr = float(network.find(NS + "parameters").get("sigma-apr"))
    section = network.find(NS + "points-observations")
    xy, unknowns = {}, []
    for point in section.findall(NS + "point"):
        ident = point.get("id")
        if ident in xy or (point.get("fix"), point.get("adj")) not in (("xy", None), (None, "xy")):
            fail("point given twice or neither fixed nor adjusted: " + ident)
        xy[ident] = [float(point.get("x")), float(point.get("y"))]
        if point.get("adj"):
            unknowns.append(ident)
    observations = []
    for element in (e for group in section.findall(NS + "obs") for e in group if isinstance(e.tag, str)):
        kind = element.tag[len(NS):]
        points = [element.get(a) for a in {"angle": ("from", "bs", "fs"), "distance": ("from", "to"),
                                             "azimuth": ("from", "to")}.get(kind) or fail("cannot read " + kind)]
        if any(p not in xy for p in points):
            fail("observation of an unknown point")
        value = float(element.get("val")) if kind == "distance" else sexagesimal(element.get("val"))
        observations.append((kind, points, value, float(element.get("stdev"))))
    return sigma_apr, xy, unknowns, observations


def linearised(kind, points, value, xy):
    """Residual (seconds or millimetres) and its partial derivatives per millimetre of each point."""
    p = xy[points[0]]
    def direction(q):  # bearing and its derivatives by (xp, yp, xq, yq), seconds per millimetre
        dx, dy = q[0] - p[0], q[1] - p[1]
        d2 = (dx * dx + dy * dy) * 1000 / RHO
        return bearing(p, q), (dy / d2, -dx / d2, -dy / d2, dx / d2)
    if kind == "distance":
        q = xy[points[1]]
        length = math.hypot(q[0] - p[0], q[1] - p[1])
        cx, cy = (q[0] - p[0]) / length, (q[1] - p[1]) / length
        return (value - length) * 1000, [(points[0], -cx, -cy), (points[1], cx, cy)]
    if kind == "azimuth":
        computed, a = direction(xy[points[1]])
        terms = [(points[0], a[0], a[1]), (points[1], a[2], a[3])]
    else:
        (back, b), (fore, f) = direction(xy[points[1]]), direction(xy[points[2]])
        computed = fore - back
        terms = [(points[0], f[0] - b[0], f[1] - b[1]), (points[2], f[2], f[3]), (points[1], -b[2], -b[3])]
    residual = (value - computed + math.pi) % (2 * math.pi) - math.pi
    return residual * RHO, terms


def adjust(sigma_apr, xy, unknowns, observations):
    column = {ident: 2 * i for i, ident in enumerate(unknowns)}
    size = 2 * len(unknowns)
    for _ in range(50 if size else 0):
        normal = [[0.0] * (size + 1) for _ in range(size)]
        for kind, points, value, stdev in observations:
            residual, terms = linearised(kind, points, value, xy)
            row = {}
            for ident, dx, dy in terms:
                if ident in column:
                    row[column[ident]] = row.get(column[ident], 0.0) + dx
                    row[column[ident] + 1] = row.get(column[ident] + 1, 0.0) + dy
            weight = (sigma_apr / stdev) ** 2
            for i, ai in row.items():
                normal[i][size] += weight * ai * residual
                for j, aj in row.items():
                    normal[i][j] += weight * ai * aj
        for k in range(size):  # Gauss-Jordan; the normal matrix is positive definite
            for r in range(size):
                if r != k:
                    factor = normal[r][k] / normal[k][k]
                    normal[r] = [a - factor * b for a, b in zip(normal[r], normal[k])]
        step = [normal[k][size] / normal[k][k] for k in range(size)]  # millimetres
        for ident, c in column.items():
            xy[ident][0] += step[c] / 1000
            xy[ident][1] += step[c + 1] / 1000
        if max(map(abs, step)) < 1e-6:
            break
    else:
        if size:
            fail("Gauss-Newton did not converge")
    redundancy = len(observations) - size
    squares = sum((sigma_apr / o[3]) ** 2 * linearised(*o[:3], xy)[0] ** 2 for o in observations)
    return (math.sqrt(squares / redundancy) if redundancy else 0.0), redundancy


def main():
    sigma_apr, xy, unknowns, observations = read(sys.argv[1])
    m0, redundancy = adjust(sigma_apr, xy, unknowns, observations)
    out = open(sys.stdout.fileno(), "w", encoding="utf-8", closefd=False)
    out.write("m0\t%.9f\nredundancy\t%d\n" % (m0, redundancy))
    for ident in unknowns:
        out.write("point\t%s\t%.6f\t%.6f\n" % (ident, xy[ident][0], xy[ident][1]))


main()

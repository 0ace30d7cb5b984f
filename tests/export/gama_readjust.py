#!/usr/bin/env python3
"""Reads a gama-local input file and adjusts its network again, on its own.

A reader written from the format's public description only: the points
(fix="xy" held, adj="xy" adjusted from their approximate coordinates), the
observations <angle>, <distance> and <azimuth> with their standard
deviations, the axes x north, y east and clockwise angles. The network is
adjusted by Gauss-Newton on plain lists until the corrections vanish.

Prints, tab-separated, one line each:
    m0 <a-posteriori reference standard deviation>
    redundancy <observations - unknowns>
    point <id> <x> <y>         for every adjusted point, in file order
Exits with status 1 and a message on standard error for anything it does
not understand.
"""
import math
import sys
import xml.etree.ElementTree as ET

NS = "{http://www.gnu.org/software/gama/gama-local}"
SECONDS_PER_RADIAN = 180 * 3600 / math.pi


def fail(message):
    sys.stderr.write(message + "\n")
    sys.exit(1)


def sexagesimal(text):
    """d-mm-ss.sss, optionally signed, in radians."""
    sign = -1.0 if text.startswith("-") else 1.0
    parts = text.lstrip("+-").split("-")
    if len(parts) != 3:
        fail("angle not in degrees-minutes-seconds: " + text)
    degrees = int(parts[0]) + int(parts[1]) / 60 + float(parts[2]) / 3600
    return sign * math.radians(degrees)


def bearing(p, q):
    """Clockwise from +x (north) towards +y (east)."""
    return math.atan2(q[1] - p[1], q[0] - p[0])


def wrapped(angle):
    """Into (-pi, pi]."""
    while angle > math.pi:
        angle -= 2 * math.pi
    while angle <= -math.pi:
        angle += 2 * math.pi
    return angle


def bearing_partials(p, q):
    """d bearing / d (xp, yp, xq, yq), radians per metre."""
    dx, dy = q[0] - p[0], q[1] - p[1]
    d2 = dx * dx + dy * dy
    return (dy / d2, -dx / d2, -dy / d2, dx / d2)


def read_network(path):
    root = ET.parse(path).getroot()
    if root.tag != NS + "gama-local":
        fail("not a gama-local document: " + root.tag)
    network = root.find(NS + "network")
    if network.get("axes-xy", "ne") != "ne" or network.get("angles", "left-handed") != "left-handed":
        fail("only axes-xy=ne with left-handed angles is read here")
    parameters = network.find(NS + "parameters")
    sigma_apr = float(parameters.get("sigma-apr", "10"))
    points = network.find(NS + "points-observations")

    coordinates, unknowns = {}, []
    for point in points.findall(NS + "point"):
        ident = point.get("id")
        if ident in coordinates:
            fail("point id given twice: " + ident)
        coordinates[ident] = [float(point.get("x")), float(point.get("y"))]
        if point.get("fix") == "xy":
            continue
        if point.get("adj") != "xy":
            fail("point neither fixed nor adjusted: " + ident)
        unknowns.append(ident)

    observations = []
    for group in points.findall(NS + "obs"):
        for element in group:
            if not isinstance(element.tag, str):
                continue  # a comment
            kind = element.tag[len(NS):]
            standpoint = element.get("from", group.get("from"))
            if kind == "angle":
                targets = (element.get("bs"), element.get("fs"))
                value = sexagesimal(element.get("val"))
            elif kind in ("distance", "azimuth"):
                targets = (element.get("to"),)
                value = sexagesimal(element.get("val")) if kind == "azimuth" else float(element.get("val"))
            else:
                fail("observation not read here: " + kind)
            for ident in (standpoint,) + targets:
                if ident not in coordinates:
                    fail("observation to an unknown point: " + str(ident))
            # Angular standard deviations are seconds (values in degrees),
            # distances millimetres; residuals are kept in the same units.
            observations.append((kind, standpoint, targets, value, float(element.get("stdev"))))
    return sigma_apr, coordinates, unknowns, observations


def linearised(observation, coordinates):
    """(residual observed - computed, {point: (d/dx, d/dy)}) in seconds or millimetres."""
    kind, standpoint, targets, value, _ = observation
    p = coordinates[standpoint]
    if kind == "distance":
        q = coordinates[targets[0]]
        length = math.hypot(q[0] - p[0], q[1] - p[1])
        cx, cy = (q[0] - p[0]) / length * 1000, (q[1] - p[1]) / length * 1000
        return (value - length) * 1000, {standpoint: (-cx, -cy), targets[0]: (cx, cy)}
    if kind == "azimuth":
        q = coordinates[targets[0]]
        a = bearing_partials(p, q)
        residual = wrapped(value - bearing(p, q))
        return residual * SECONDS_PER_RADIAN, {standpoint: (a[0] * SECONDS_PER_RADIAN, a[1] * SECONDS_PER_RADIAN),
                                              targets[0]: (a[2] * SECONDS_PER_RADIAN, a[3] * SECONDS_PER_RADIAN)}
    back, fore = coordinates[targets[0]], coordinates[targets[1]]
    computed = bearing(p, fore) - bearing(p, back)
    residual = wrapped(value - computed)
    f, b = bearing_partials(p, fore), bearing_partials(p, back)
    partials = {}
    for ident, dx, dy in ((standpoint, f[0] - b[0], f[1] - b[1]), (targets[1], f[2], f[3]),
                          (targets[0], -b[2], -b[3])):
        old = partials.get(ident, (0.0, 0.0))
        partials[ident] = (old[0] + dx * SECONDS_PER_RADIAN, old[1] + dy * SECONDS_PER_RADIAN)
    return residual * SECONDS_PER_RADIAN, partials


def solve(matrix, vector):
    """Gaussian elimination with partial pivoting on a copy."""
    size = len(vector)
    a = [row[:] + [vector[i]] for i, row in enumerate(matrix)]
    for k in range(size):
        pivot = max(range(k, size), key=lambda r: abs(a[r][k]))
        if abs(a[pivot][k]) < 1e-300:
            fail("the normal equations are singular")
        a[k], a[pivot] = a[pivot], a[k]
        for r in range(k + 1, size):
            factor = a[r][k] / a[k][k]
            if factor:
                for c in range(k, size + 1):
                    a[r][c] -= factor * a[k][c]
    x = [0.0] * size
    for k in reversed(range(size)):
        x[k] = (a[k][size] - sum(a[k][c] * x[c] for c in range(k + 1, size))) / a[k][k]
    return x


def adjust(sigma_apr, coordinates, unknowns, observations):
    column = {ident: 2 * i for i, ident in enumerate(unknowns)}
    size = 2 * len(unknowns)
    for _ in range(50 if size else 0):
        normal = [[0.0] * size for _ in range(size)]
        right = [0.0] * size
        for observation in observations:
            residual, partials = linearised(observation, coordinates)
            weight = (sigma_apr / observation[4]) ** 2
            row = {}
            for ident, (dx, dy) in partials.items():
                if ident in column:
                    row[column[ident]] = row.get(column[ident], 0.0) + dx / 1000  # per millimetre
                    row[column[ident] + 1] = row.get(column[ident] + 1, 0.0) + dy / 1000
            for i, ai in row.items():
                right[i] += weight * ai * residual
                for j, aj in row.items():
                    normal[i][j] += weight * ai * aj
        step = solve(normal, right)  # millimetres
        for ident, c in column.items():
            coordinates[ident][0] += step[c] / 1000
            coordinates[ident][1] += step[c + 1] / 1000
        if max(abs(s) for s in step) < 1e-6:
            break
    else:
        if size:
            fail("Gauss-Newton did not converge")
    redundancy = len(observations) - size
    square_sum = sum((sigma_apr / o[4]) ** 2 * linearised(o, coordinates)[0] ** 2 for o in observations)
    m0 = math.sqrt(square_sum / redundancy) if redundancy > 0 else 0.0
    return m0, redundancy


def main():
    if len(sys.argv) != 2:
        fail("usage: gama_readjust.py FILE.xml")
    sigma_apr, coordinates, unknowns, observations = read_network(sys.argv[1])
    m0, redundancy = adjust(sigma_apr, coordinates, unknowns, observations)
    out = open(sys.stdout.fileno(), "w", encoding="utf-8", closefd=False)
    out.write("m0\t%.9f\n" % m0)
    out.write("redundancy\t%d\n" % redundancy)
    for ident in unknowns:
        out.write("point\t%s\t%.6f\t%.6f\n" % (ident, coordinates[ident][0], coordinates[ident][1]))
    out.flush()


if __name__ == "__main__":
    main()

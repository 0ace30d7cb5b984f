// The precision of one route point, as the quality analysis gives it and the
// exports carry it: the RMS errors of its coordinates and its standard error
// ellipse. A known point has zeros throughout.
#pragma once

namespace kestrane {

struct PointPrecision {
    double mx = 0;     // millimetres, RMS error of X (north)
    double my = 0;     // millimetres, RMS error of Y (east)
    double mp = 0;     // millimetres, position error, sqrt(mx^2 + my^2)
    double a = 0;      // millimetres, semi-major axis of the error ellipse
    double b = 0;      // millimetres, semi-minor axis, 0 <= b <= a
    double alpha = 0;  // degrees, azimuth of the major axis clockwise from north, in [0, 180)
};

}  // namespace kestrane

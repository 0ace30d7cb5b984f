// The plan of a finished chain as the network plot draws it: the route
// points where the result loop put them, the three route points that make up
// every triangle, the two that every side joins, the orientation points and
// directions, and the round numbers the plot is drawn to.
//
// Triangle i has A(i) at U(i), C(i) at V(i) and B(i) at W(i); the adjusted
// traverse puts W(i) at P(i+1). Triangle i shares the side S(2i-1) with
// triangle i-1. On a zigzag step (the spacer signs of i-1 and i differ) the
// route moves on: U(i) = V(i-1) and V(i) = W(i-1) = P(i). Where the signs
// are equal the two triangles are the blades of a fan about one station:
// V(i) = V(i-1), and U(i) = W(i-1) = P(i). So every vertex is a route point;
// a fan's station is the route point where the fan starts.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "chain/chain_survey.h"
#include "chain/observations.h"

namespace kestrane {

struct PlanPoint {
    double x = 0;  // north, metres
    double y = 0;  // east, metres
};

struct NetworkTriangle {
    int distanceVertex = 0;  // route point at A(i)
    int spacerVertex = 0;    // at C(i)
    int forwardVertex = 0;   // at B(i)
};

struct NetworkGeometry {
    std::vector<PlanPoint> points;               // P(0)..P(n+1), as the result loop shows them
    std::vector<NetworkTriangle> triangles;      // triangle i at [i - 1]
    std::vector<std::pair<int, int>> sides;      // S(k) at [k - 1]: the route points it joins
    std::vector<std::pair<int, int>> knownSides; // A-C when C is known, D-B when D is known
    std::optional<PlanPoint> startOrientationPoint;    // E, when given
    std::optional<PlanPoint> closingOrientationPoint;  // F, when given
    std::optional<double> startAzimuth;          // Ta, degrees, while C is not known
    std::optional<double> closingAzimuth;        // Tb, degrees, while D is not known
    double meanSide = 0;                         // metres
};

// The point at a distance (metres) from another along an azimuth (degrees).
PlanPoint pointAlong(PlanPoint from, double azimuth, double distance);

// The plan of the job in the record, which must have run to its end.
NetworkGeometry networkGeometry(const ChainSurvey& job);

// Where an observation lies in the plan: a side between two points, or an
// angle at its vertex between two rays, each given by a point on it. Qa turns
// at A from the start orientation to P(1), Qb at B from the observed side to
// the closing orientation; a typed azimuth's ray is a mean side long.
struct ObservationPlace {
    bool isSide = false;
    PlanPoint vertex;         // an angle's vertex
    PlanPoint first, second;  // a side's ends, or a point on each of an angle's rays
};

ObservationPlace observationPlace(const NetworkGeometry& geometry, const ObservationId& observation);

// The largest number 1, 2 or 5 times a power of ten that is not above x (x > 0).
double roundDownTo125(double x);

// How many times the error ellipses are enlarged on the plot: a round
// number that draws the largest semi-axis (millimetres) at most a quarter of
// the mean side (metres) long; 1 when there is no ellipse to draw.
double ellipseEnlargement(double largestSemiAxis, double meanSide);

}  // namespace kestrane

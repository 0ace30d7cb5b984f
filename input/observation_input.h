// The observations of a job: triangle by triangle the three angles (typed as
// packed d.mmss, the spacer angle C signed by the side of the route it lies
// on: negative on the right, positive on the left), each triangle's
// misclosure shown and spread as soon as its third angle is accepted; then
// every side, and the mean side.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "dialogue/dialogue.h"

namespace kestrane {

void inputAngles(ChainSurvey& job, Dialogue& dialogue);
void inputSides(ChainSurvey& job, Dialogue& dialogue);

// The three angles of a triangle as the job keeps them from their accepted
// texts: A and B packed as typed, C by its magnitude with its sign apart,
// and each in decimal degrees.
struct TriangleAngles {
    double packedA, packedB, packedC;
    int spacerSign;
    double degreesA, degreesB, degreesC;
};
TriangleAngles triangleAnglesOf(const std::string& a, const std::string& b, const std::string& c);

// The mean of the sides S(1) .. S(2n+1), metres, summed in that order.
double meanSideOf(const std::vector<double>& sideLength, int triangles);

}  // namespace kestrane

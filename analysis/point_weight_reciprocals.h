// The weight reciprocals of X and Y of every route point, and the cross term
// of the two, formed as the weakest point's 1/px and 1/py are: for the weight
// function f of the point's X (or Y), q = [ffq] - [afq]^T N^-1 [afq], with the
// conditions of the second group (the first group is in f already: its
// spacer-angle terms are spread over the triangle as -1/3, -1/3, 2/3).
//
// Legs: leg i (1..n) runs from the station O(i) of triangle i to P(i+1)
// along the side S(2i+1) and turns at O(i) by the spacer angle C(i) of sign
// s(i); O(1) = P(1), and O(i) is P(i) after a zigzag step and O(i-1) in a fan
// (equal signs). Leg 0, from A to P(1) along S(1) turned by Qa of sign s(0),
// is observed only when C is not known. The X weight function of P(j) runs
// over legs 0..j-1: C(i) (or Qa) carries s(i) * 1000 * (Y(O(i)) - Y(j)) / rho
// millimetres per second, S(2i+1) the cosine of its leg (millimetres per
// millimetre), except where the next triangle is a fan and the route goes on
// from the station, not from P(i+1); the Y weight function
// s(i) * 1000 * (X(j) - X(O(i))) / rho and the sine. X, Y are the route
// coordinates the conditions were formed at and rho their seconds per radian
// (ChainSurvey::linearisedX, Y, Rho). On the provisional traverse a fan's
// route points lie on its station, and its legs have no length.
//
// Each weight function is a prefix sum over the legs, and depends on its own
// point only linearly: with the reference point R, GX = sum over the legs of
// (s * 1000 * (Y(i) - Y_R) / rho on C(i), cosine on the side), GY likewise
// with (X_R - X(i)) and the sine, and H = sum of s * 1000 / rho on C(i). Then
// f_X of P(j) is GX at R = P(j), and moving R by (dX, dY) turns GX into
// GX - dY H and GY into GY + dX H. The three prefix sums are carried along the
// chain, the reference moved to each point in turn, through the forward
// reduction of the normal matrix (a finished block of the chain no longer
// changes its share of u^T N^-1 u), and closed at each point with the
// backward reduction of the rest of the chain (the diagonal block of N^-1)
// and the border; so every point costs a few 3x3 products instead of a solve.
#pragma once

#include <vector>

#include "analysis/chain_normals.h"
#include "chain/chain_survey.h"

namespace kestrane {

// In square millimetres per square second of unit weight.
struct PointWeightReciprocals {
    double xx = 0;  // 1/px
    double yy = 0;  // 1/py
    double xy = 0;  // the cross term of the X and Y weight functions
};

// For P(0)..P(n+1); P(0) (A) has zeros, and so has B when D is known (the
// side D - B is no observation). The known points C, D and B otherwise get
// the values of their weight functions like any other point (zero up to
// rounding where the conditions fix them); the caller sets them aside.
std::vector<PointWeightReciprocals> pointWeightReciprocals(const ChainSurvey& job, const ChainNormals& normals);

}  // namespace kestrane

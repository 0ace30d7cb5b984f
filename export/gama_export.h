// The chain as an input file of GNU Gama's gama-local, for an independent
// re-adjustment of the network (its XML format, version 2).
//
// Axes x = north, y = east (axes-xy="ne") and clockwise angles
// (angles="left-handed"), as Kestrane's. Point ids are the point names.
// Fixed points: A, B, the known C and D, and the orientation points E and F
// where the job has them; every other route point is free, its adjusted
// coordinates written as approximations. Observations, as typed: the three
// angles of every triangle at their corners, every observed side, the start
// orientation angle Qa at A from E to P(1) and the closing one Qb at B from
// the last spacer station to F. Where Ta or Tb was typed instead of E or F,
// Qa and Qb become azimuth observations A -> P(1) = Ta + Qa and
// B -> station = Tb - Qb, with the typed azimuth held fixed as Kestrane
// holds it.
//
// Weights are Kestrane's: every angle has the standard deviation sigma0, the
// typed angle tolerance (1 second when it is 0), every side
// sigma0 * sqrt(q_s) millimetres, and the a-priori reference standard
// deviation is sigma0, so gama-local's a-posteriori one is Kestrane's mb.
//
// Gama needs one id per point: a name given to two route points, an empty
// name, or one with a control character, is refused. E and F take the ids
// "E" and "F", or "E-1", "F-1" and so on when a route point has that name.
#pragma once

#include <string>

#include "chain/chain_survey.h"
#include "export/export_file.h"

namespace kestrane {

ExportResult writeGama(const ChainSurvey& job, const std::string& path);

}  // namespace kestrane

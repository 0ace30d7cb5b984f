// Units of length. Coordinates and sides are held in metres; misclosures,
// side corrections and RMS errors are shown, and side corrections and the
// weight of a side worked out, in millimetres.
#pragma once

namespace kestrane {

inline constexpr double millimetresPerMetre = 1000;

}  // namespace kestrane

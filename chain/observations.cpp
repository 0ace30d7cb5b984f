#include "chain/observations.h"

namespace kestrane {

ObservationId observationNumbered(int number, int triangles)
{
    const int n = triangles;
    if (number == 0) return {ObservationKind::startOrientation, 0};
    if (number == 5 * n + 2) return {ObservationKind::closingOrientation, 0};
    if (number > 3 * n) return {ObservationKind::side, number - 3 * n};
    static constexpr ObservationKind angles[] = {ObservationKind::angleA, ObservationKind::angleB,
                                                 ObservationKind::angleC};
    return {angles[(number - 1) % 3], (number + 2) / 3};
}

std::string observationText(const ObservationId& id)
{
    const std::string index = std::to_string(id.index);
    switch (id.kind) {
    case ObservationKind::startOrientation: return "Qa";
    case ObservationKind::angleA: return "A" + index;
    case ObservationKind::angleB: return "B" + index;
    case ObservationKind::angleC: return "C" + index;
    case ObservationKind::side: return "S" + index;
    case ObservationKind::closingOrientation: return "Qb";
    }
    return {};
}

}  // namespace kestrane

// The observations of a chain, each named by its kind and its index, and
// numbered as the job record numbers them (chain_survey.h): 0 is Qa; 3i-2,
// 3i-1, 3i are A(i), B(i), C(i) of triangle i; 3n+k is S(k); 5n+2 is Qb.
#pragma once

#include <string>

namespace kestrane {

enum class ObservationKind { startOrientation, angleA, angleB, angleC, side, closingOrientation };

struct ObservationId {
    ObservationKind kind = ObservationKind::startOrientation;
    int index = 0;  // i of an angle of triangle i, k of the side S(k); 0 for Qa and Qb

    bool isSide() const { return kind == ObservationKind::side; }
    bool operator==(const ObservationId&) const = default;
};

// Observation number 0..5n+2 of a chain of n triangles.
ObservationId observationNumbered(int number, int triangles);

// "Qa", "A1", "B7", "S13", "Qb": as the tables, the plot and the replay log
// write the observation, and as its job-file key reads.
std::string observationText(const ObservationId& id);

}  // namespace kestrane

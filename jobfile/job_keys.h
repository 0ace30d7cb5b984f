// The keys of a job file: what each one names, the range of an index against
// the triangle count n, and the order in which a job asks for the values.
//
// Plain keys: n (triangle count), tolerance (angle tolerance, seconds),
// xa ya xc yc xd yd xb yb (known points A, C, D, B; metres, X north, Y east),
// xe ye xf yf (orientation points E and F), Ta Tb (typed start and closing
// azimuths, d.mmss), Qa Qb (orientation angles, signed d.mmss).
// Indexed keys: a letter and an index written in plain decimal digits, with
// no sign and no leading zero: N0 .. N(n+1) the route point names (N0 is A,
// N(n+1) is B), A1 B1 C1 .. An Bn Cn the angles of triangle i (Ci signed by
// the side of the route), S1 .. S(2n+1) the sides in metres.
// The grade keys, never asked by a job: grade (the grade the job is checked
// against), and with grade = 自定义 its figures grade-angle grade-triangle
// grade-side grade-weakest-side.
// Keys are case-sensitive.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// In the order a job asks: the plain keys first, then the names, the angles
// triangle by triangle, the sides.
enum class KeyFamily {
    triangleCount, tolerance,
    xa, ya, xc, yc, xd, yd, xb, yb,
    xe, ye, xf, yf,
    typedTa, orientationQa, typedTb, orientationQb,
    grade, gradeAngle, gradeTriangle, gradeSide, gradeWeakestSide,
    pointName, angleA, angleB, angleC, side,
};

struct JobKey {
    KeyFamily family = KeyFamily::triangleCount;
    int index = 0;  // indexed families only; an index too long to hold saturates at indexLimit

    std::string text() const;
    bool operator==(const JobKey&) const = default;
};

// Larger than any index a chain can have; indices written with more digits
// read as this.
inline constexpr int indexLimit = 1'000'000'000;

bool isIndexed(KeyFamily family);

// grade and its four figures.
bool isGradeKey(KeyFamily family);

// The grade keys in the order they are written: grade, then the figures.
std::vector<JobKey> gradeKeysInOrder();

// The plain keys (n, tolerance, xa .. Qb), in the order a job asks them.
std::vector<JobKey> plainKeysInOrder();

// The key a text names, or nothing when it names none ("xz", "a1", "A01",
// "S", "N-1", "A 1").
std::optional<JobKey> parseKey(std::string_view text);

// For an indexed key written with a leading zero ("A01"): the key it was
// presumably meant to be ("A1"), for the message that refuses it.
std::optional<std::string> intendedKey(std::string_view text);

// The indices an indexed family takes for n triangles.
struct IndexRange {
    int first;
    int last;
};
IndexRange indexRange(KeyFamily family, int triangles);

// Whether the key exists in a chain of n triangles (plain keys always do).
bool fitsChain(const JobKey& key, int triangles);

// What the key names, as the prompts name it ("已知点 C 纵座标",
// "第 3 个三角形的间隔角 C3").
std::string keyMeaning(const JobKey& key);

// Whether a job asks for a before b. Every job asks its keys in this one
// order, whatever its layout; only which keys it asks differs.
bool asksBefore(const JobKey& a, const JobKey& b);

// The known and orientation points of a job, each given (both coordinates
// non-zero) or absent (both zero).
struct ChainLayout {
    bool cGiven = false;
    bool dGiven = false;
    bool eGiven = false;
    bool fGiven = false;
};

// Whether a job of n triangles with this layout asks for the key: not E's
// coordinates nor Ta, Qa when C is given, not Ta when E is given (likewise
// F, Tb, Qb at the closing end), not S1 when C is given nor S(2n+1) when D
// is given, and no key outside the chain.
bool isAsked(const JobKey& key, int triangles, const ChainLayout& layout);

// The keys a job of n triangles with this layout asks for, each once, in the
// order it asks them first. (With n = 1 or 2 the dialogue asks the last route
// names a second time; the key is listed once.) S1 is not asked when C is
// given, S(2n+1) not when D is given: they are computed from the coordinates.
std::vector<JobKey> keysAsked(int triangles, const ChainLayout& layout);

}  // namespace kestrane

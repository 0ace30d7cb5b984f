// Why the adjustment of a chain cannot go on. The adjustment only computes:
// it says what failed, and the job chooses the words the surveyor reads
// (job/adjustment_texts.h).
#pragma once

#include <stdexcept>
#include <string>

namespace kestrane {

class AdjustmentError : public std::runtime_error {
public:
    enum class Cause {
        normalEquationsUnsolvable,  // an equation lost its pivot in the elimination; number() is its row
        noCoordinateLegs,           // C and D known, and no route leg between them for the X and Y conditions
        roundsDoNotClose,           // the adjusted values still miss the conditions after number() rounds
    };

    explicit AdjustmentError(Cause cause, int number = 0)
        : std::runtime_error(describe(cause, number)), cause_(cause), number_(number)
    {
    }

    Cause cause() const { return cause_; }
    int number() const { return number_; }

private:
    static std::string describe(Cause cause, int number)
    {
        switch (cause) {
        case Cause::normalEquationsUnsolvable: return "normal equation " + std::to_string(number) + " lost its pivot";
        case Cause::noCoordinateLegs: return "no route leg between C and D";
        case Cause::roundsDoNotClose: return "not closed after " + std::to_string(number) + " rounds";
        }
        return {};
    }

    Cause cause_;
    int number_;
};

}  // namespace kestrane

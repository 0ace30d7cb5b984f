// How a job of the data-input button ended: the journal writes it as its
// last line, the replay tool logs it, the print button and the analysis ask
// whether the job ran to its end.
#pragma once

namespace kestrane {

enum class JobEnd {
    done,       // the job ran to its last figure
    abandoned,  // the surveyor abandoned it at a warning
    stopped,    // it could not go on, and told the surveyor why
};

}  // namespace kestrane

// Where the values of a job may come from besides the surveyor, and where
// each accepted value goes: a job file opened for the job, and the journal
// written while it runs. The dialogue knows them only through these two
// small interfaces; the job-file code and the window fill them in.
#pragma once

#include <optional>
#include <string>

namespace kestrane {

// Values held ready for the prompts, by their job-file key ("xa", "C3").
class ValueSource {
public:
    virtual ~ValueSource() = default;

    // The text held for key, as typed into the input box it stands for; nothing
    // when none is held. The key counts as asked either way.
    virtual std::optional<std::string> valueFor(const std::string& key) = 0;
};

// Where an accepted value came from.
enum class ValueOrigin { typed, file };

// Takes every value the moment the dialogue accepts it: typed and confirmed,
// or taken from a source. Whatever it was given is settled (on the disk, for
// a journal) before the next box opens.
class ValueRecorder {
public:
    virtual ~ValueRecorder() = default;
    virtual void accepted(const std::string& key, const std::string& value, ValueOrigin origin) = 0;

    // A box is about to open: the values accepted so far must be settled.
    virtual void beforeBox() {}
};

// What a job's dialogue takes its values from and gives them to; either may
// be absent (a job typed with no journal has neither).
struct ValueSources {
    ValueSource* file = nullptr;
    ValueRecorder* journal = nullptr;
};

}  // namespace kestrane

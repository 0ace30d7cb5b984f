// Helpers for reading exports back with programs nobody on the project
// wrote, and the finished jobs to export.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "job/data_input_job.h"
#include "scripted_io.h"
#include "synthetic_chain.h"

namespace kestrane::testing {

// A generated chain typed as one whole job, with the route points named
// names[i] instead of P<i> where names is long enough.
struct FinishedJob {
    SyntheticChain chain;
    ChainSurvey job;
    ScriptedIo io;
    JobOutcome outcome;
};
std::unique_ptr<FinishedJob> finishedJob(const ChainPlan& plan, const std::vector<std::string>& names = {});

// A fresh empty folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }
    // Names of the entries, sorted.
    std::vector<std::string> listing() const;

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& path);

// Whether the program is on the PATH.
bool haveProgram(const std::string& program);

struct CommandResult {
    int status = -1;
    std::string output;  // standard output, and standard error when merged
};
// Runs a shell command; its standard error joins the output when merge is set.
CommandResult run(const std::string& command, bool merge = false);

// A word for the shell, single-quoted.
std::string shellWord(const std::string& word);

// A feature as `ogrinfo -ro -al` lists it from a DXF drawing.
struct DrawnFeature {
    std::string layer;
    std::string text;           // TEXT entities only
    std::string style;          // the OGR style string
    std::string geometry;       // POINT, LINESTRING, ...
    std::vector<double> east;   // vertices, drawing X
    std::vector<double> north;  // drawing Y
};
std::vector<DrawnFeature> drawnFeatures(const std::string& ogrinfoOutput);

// Splits text at every separator, dropping the empty piece after the last one.
std::vector<std::string> piecesOf(const std::string& text, char separator);

}  // namespace kestrane::testing

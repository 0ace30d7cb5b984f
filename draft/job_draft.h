// The job editor's model: one job held as the values of its job-file keys,
// checked as the prompts check them, with the figures a surveyor checks by
// eye while copying a field book: each triangle's misclosure and the mean
// side.
//
// Values. A cell per key (n, tolerance, xa .. Qb, N0 .., A1 B1 C1 .., S1 ..),
// holding the text as the job would take it: numbers with the full-width
// forms of a Chinese input method mapped to ASCII, names exactly as typed,
// "" for an empty cell. The draft is laid out for n triangles, its rows: n
// follows the key n whenever its value reads as a count (1..6552, rounded
// half to even as the job rounds it) and stays as it was while it does not,
// so that a mistyped count loses no row.
//
// Ties. C, D, E, F are given when both their coordinates are non-zero and
// taken as absent otherwise; the keys a job asks under that layout are open,
// the others closed. A closed key keeps any value it holds (shown greyed,
// saved, reported unused by a job), so that correcting a coordinate never
// loses a value typed under the other layout.
//
// Checks. Every open key with a value is read by the reading its prompt
// uses; the two coordinates of a point among C, D, E, F together, and C and
// D together, by the checks the prompts apply. An open key without a value
// is missing: a job would ask for it.
//
// Edits. apply() takes a list of edits as one change and returns it whole
// (every cell it changed, before and after, the rows that the count added or
// removed included), so that revert() and reapply() undo and redo it. An edit
// re-checks only its own cell, its triangle's misclosure, and the pieces that
// depend on it (the layout for a coordinate; the mean side is summed again
// when next asked for).
//
// A plain key the prompts never ask (a grade for the network, say) is one
// more family in jobfile/job_keys.h and one more reading in readingOf().
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/grades.h"
#include "dialogue/dialogue.h"
#include "jobfile/job_file.h"
#include "jobfile/job_keys.h"

namespace kestrane {

// The reading the prompt of a key's family uses.
const ValueReading& readingOf(KeyFamily family);

// The order of the table: the control data in the order of asking, then row
// by row the name, the angles A, B, C and the sides of each triangle.
bool fieldBookBefore(const JobKey& a, const JobKey& b);

struct DraftEdit {
    JobKey key;
    std::string text;
};

struct CellChange {
    JobKey key;
    std::string before, after;
    int lineBefore = 0, lineAfter = 0;
};

struct DraftChange {
    int trianglesBefore = 0;
    int trianglesAfter = 0;
    std::vector<CellChange> cells;  // in the order they were made

    bool empty() const { return cells.empty(); }
};

struct DraftFault {
    // The key refused, or both coordinates of a point, or those of C and D.
    std::vector<JobKey> keys;
    Refusal refusal;

    // "C3 的分为 66", "C 点的两个座标中恰有一个为 0".
    std::string phrase() const;
};

class JobDraft {
public:
    // A new job: nothing typed, no triangles.
    JobDraft() = default;

    // The values of a job file, the last line of each key counting. With no n
    // that reads as a count the draft is laid out for the triangles its
    // indexed keys reach.
    static JobDraft ofFile(const JobFile& file);

    int triangles() const { return triangles_; }
    const ChainLayout& layout() const { return layout_; }

    // Whether the key has a cell at the draft's n (plain keys always do).
    bool holds(const JobKey& key) const;
    // The cell's text; "" for an empty cell or a key not held.
    const std::string& text(const JobKey& key) const;
    // The line of the file the value was read from; 0 when it was typed.
    int line(const JobKey& key) const;

    // Whether a job from these values asks for the key.
    bool isOpen(const JobKey& key) const;
    // Why a closed key is not asked, in the words of the window's fields.
    std::string closedReason(const JobKey& key) const;

    // The refusal of an open key's value: its own check, else the check of
    // the point or the layout it takes part in. Nothing for a key that is
    // closed, empty or accepted.
    std::optional<Refusal> refusal(const JobKey& key) const;
    bool missing(const JobKey& key) const { return isOpen(key) && text(key).empty(); }

    // w(i), seconds, once the three angles of triangle i pass their checks.
    std::optional<float> misclosure(int triangle) const;
    // The tolerance, seconds, when its value passes its check.
    std::optional<double> toleranceSeconds() const;
    // |w(i)| above the tolerance.
    bool overTolerance(int triangle) const;
    // The mean of the 2n+1 sides, metres, once every side a job would use
    // (S1 and S(2n+1) from the coordinates where the ties say so) passes.
    std::optional<double> meanSide() const;

    // Every fault of an open key, in field-book order; a point's fault is
    // listed once, at its first coordinate, the layout's at D's.
    std::vector<DraftFault> faults() const;
    // The open keys without a value, in field-book order.
    std::vector<JobKey> missingKeys() const;
    std::vector<int> trianglesOverTolerance() const;
    // The closed keys that hold a value, in field-book order.
    std::vector<JobKey> unusedKeys() const;
    // Nothing missing and no fault: a job from these values asks nothing.
    bool runsThrough() const { return missingKeys().empty() && faults().empty(); }

    // One line: what is still missing or wrong ("还缺 S7、S8;C3 的分为 66"),
    // and the triangles over the tolerance.
    std::string summary() const;

    DraftChange apply(const std::vector<DraftEdit>& edits);
    void revert(const DraftChange& change);
    void reapply(const DraftChange& change);

    // Every value held, in the order a job asks, with its line: what a save
    // writes and what a job from the draft reads.
    std::vector<JobFileEntry> entries() const;

    // The grade the job is checked against, from the grade keys; nothing
    // without one (or with keys that make none).
    std::optional<Grade> grade() const;

private:
    struct Cell {
        std::string text;
        int line = 0;
        std::optional<Refusal> refusal;  // of the cell's own check
        double number = 0;               // what an accepted number reads as
    };
    static std::map<KeyFamily, Cell> emptyPlainCells();

    const Cell* cell(const JobKey& key) const;
    Cell* cell(const JobKey& key);
    // Sets a cell and what hangs on it, with no change of n.
    void setCell(const JobKey& key, std::string text, int line);
    void resizeTo(int triangles);
    // Resizes for a new count inside apply(), B's name moving to the new
    // last point; every cell changed or dropped is recorded.
    void resizeRecorded(int triangles, DraftChange& change);
    void record(DraftChange& change, const JobKey& key, std::string text, int line);
    void updateMisclosure(int triangle);
    void updateLayout();
    std::optional<Refusal> pointRefusal(KeyFamily x) const;
    std::optional<Refusal> layoutRefusal() const;
    // Every key of the draft's cells in field-book order.
    template <typename Visit> void visitKeys(Visit visit) const;

    int triangles_ = 0;
    ChainLayout layout_;
    std::map<KeyFamily, Cell> plain_ = emptyPlainCells();  // every plain family
    std::vector<Cell> names_;                          // N0 .. N(n+1)
    std::vector<Cell> angleA_, angleB_, angleC_;       // 1 .. n
    std::vector<Cell> sides_;                          // 1 .. 2n+1
    std::vector<std::optional<float>> misclosures_;    // 1 .. n
    mutable std::optional<std::optional<double>> meanSide_;  // summed when asked, until a side changes
};

// What a file opened in the editor holds that the table does not show as the
// file has it: keys given on several lines (the last counts), a count that is
// not one, values the ties do not ask. Empty when there is nothing to tell.
std::string openingNotice(const JobFile& file, const JobDraft& draft);

// The edits that set the draft's grade keys to grade, or clear them all.
std::vector<DraftEdit> gradeEdits(const std::optional<Grade>& grade);

}  // namespace kestrane

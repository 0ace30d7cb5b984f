#include "draft/job_draft.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "adjustment/misclosures.h"
#include "chain/chain_survey.h"
#include "chain/number_parse.h"
#include "chain/typed_number.h"
#include "chain/utf8.h"
#include "dialogue/full_width.h"
#include "input/control_input.h"
#include "input/observation_input.h"
#include "input/value_checks.h"
#include "jobfile/job_file_grade.h"

namespace kestrane {
namespace {

// How many keys and faults the summary names before it counts the rest.
constexpr std::size_t missingNamed = 6;
constexpr std::size_t faultsNamed = 4;
constexpr std::size_t trianglesNamed = 6;
// How many lines the opening notice lists of each kind.
constexpr std::size_t noticeLinesListed = 15;

const std::string noText;

std::tuple<int, int, int> fieldBookPosition(const JobKey& key)
{
    switch (key.family) {
    case KeyFamily::pointName: return {1, key.index, 0};
    case KeyFamily::angleA: return {1, key.index, 1};
    case KeyFamily::angleB: return {1, key.index, 2};
    case KeyFamily::angleC: return {1, key.index, 3};
    // Side k stands in the row of the route point it reaches, (k + 1) / 2:
    // the odd (route) side first, then the even (spacer) side.
    case KeyFamily::side: return {1, (key.index + 1) / 2, key.index % 2 == 1 ? 4 : 5};
    default: return {0, static_cast<int>(key.family), 0};
    }
}

bool isAngleFamily(KeyFamily family)
{
    return family == KeyFamily::angleA || family == KeyFamily::angleB || family == KeyFamily::angleC;
}

// The coordinates whose values decide the ties and the sides computed from
// known points.
bool isCoordinate(KeyFamily family)
{
    return family >= KeyFamily::xa && family <= KeyFamily::yf;
}

struct PointKeys {
    KeyFamily x, y;
    const char* name;
};
const PointKeys tiedPoints[] = {
    {KeyFamily::xc, KeyFamily::yc, "C"},
    {KeyFamily::xd, KeyFamily::yd, "D"},
    {KeyFamily::xe, KeyFamily::ye, "E"},
    {KeyFamily::xf, KeyFamily::yf, "F"},
};

const PointKeys* tiedPointOf(KeyFamily family)
{
    for (const PointKeys& point : tiedPoints)
        if (point.x == family || point.y == family) return &point;
    return nullptr;
}

std::string joined(const std::vector<std::string>& parts, const std::string& between)
{
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : between) + part;
    return text;
}

}  // namespace

const ValueReading& readingOf(KeyFamily family)
{
    switch (family) {
    case KeyFamily::triangleCount: return asTriangleCount;
    case KeyFamily::typedTa:
    case KeyFamily::orientationQa:
    case KeyFamily::typedTb:
    case KeyFamily::orientationQb:
    case KeyFamily::angleA:
    case KeyFamily::angleB:
    case KeyFamily::angleC: return asAngle;
    case KeyFamily::pointName: return asName;
    case KeyFamily::side: return asSide;
    default: return asNumber;
    }
}

bool fieldBookBefore(const JobKey& a, const JobKey& b)
{
    return fieldBookPosition(a) < fieldBookPosition(b);
}

std::string DraftFault::phrase() const
{
    // A point's or the layout's brief names its points itself.
    if (keys.size() > 1) return refusal.brief;
    return keys.front().text() + " " + refusal.brief;
}

std::map<KeyFamily, JobDraft::Cell> JobDraft::emptyPlainCells()
{
    std::map<KeyFamily, Cell> cells;
    for (const JobKey& key : plainKeysInOrder()) cells[key.family];
    // The grade goes with the draft; no job asks for it, so it is neither
    // missing nor unused.
    for (const JobKey& key : gradeKeysInOrder()) cells[key.family];
    return cells;
}

JobDraft JobDraft::ofFile(const JobFile& file)
{
    JobDraft draft;
    int triangles = file.triangleCount().value_or(0);
    if (!file.triangleCount()) {
        // The chain the indexed keys reach: N(n+1), An, S(2n+1).
        for (const JobFileEntry& entry : file.entries()) {
            const JobKey key = *parseKey(entry.key);
            if (key.family == KeyFamily::pointName) triangles = std::max(triangles, std::max(key.index - 1, 1));
            else if (key.family == KeyFamily::side) triangles = std::max(triangles, std::max(key.index / 2, 1));
            else if (isIndexed(key.family)) triangles = std::max(triangles, key.index);
        }
    }
    draft.resizeTo(std::min(triangles, maxTriangleCount));
    for (const JobFileEntry& entry : file.entries()) {
        const JobFileEntry& last = *file.find(entry.key);
        if (&last != &entry) continue;
        const JobKey key = *parseKey(entry.key);
        if (draft.holds(key)) draft.setCell(key, entry.value, entry.line);
    }
    return draft;
}

bool JobDraft::holds(const JobKey& key) const
{
    if (!isIndexed(key.family)) return plain_.count(key.family) > 0;
    return triangles_ > 0 && fitsChain(key, triangles_);
}

const JobDraft::Cell* JobDraft::cell(const JobKey& key) const
{
    return const_cast<JobDraft*>(this)->cell(key);
}

JobDraft::Cell* JobDraft::cell(const JobKey& key)
{
    if (!holds(key)) return nullptr;
    switch (key.family) {
    case KeyFamily::pointName: return &names_[key.index];
    case KeyFamily::angleA: return &angleA_[key.index];
    case KeyFamily::angleB: return &angleB_[key.index];
    case KeyFamily::angleC: return &angleC_[key.index];
    case KeyFamily::side: return &sides_[key.index];
    default: return &plain_.find(key.family)->second;
    }
}

const std::string& JobDraft::text(const JobKey& key) const
{
    const Cell* held = cell(key);
    return held ? held->text : noText;
}

int JobDraft::line(const JobKey& key) const
{
    const Cell* held = cell(key);
    return held ? held->line : 0;
}

bool JobDraft::isOpen(const JobKey& key) const
{
    if (!holds(key)) return false;
    // Before there is a chain every plain key is open; the ties decide the rest.
    return isAsked(key, std::max(triangles_, 1), layout_);
}

std::string JobDraft::closedReason(const JobKey& key) const
{
    if (!holds(key) || isOpen(key)) return {};
    const std::string startOnKnownSide = "C 是已知点,由已知边起算:";
    const std::string closingOnKnownSide = "D 是已知点,由已知边闭合:";
    switch (key.family) {
    case KeyFamily::xe:
    case KeyFamily::ye: return startOnKnownSide + "不用定向点 E。";
    case KeyFamily::xf:
    case KeyFamily::yf: return closingOnKnownSide + "不用定向点 F。";
    case KeyFamily::orientationQa: return startOnKnownSide + "没有起始定向角。";
    case KeyFamily::orientationQb: return closingOnKnownSide + "没有闭合定向角。";
    case KeyFamily::typedTa:
        return layout_.cGiven ? startOnKnownSide + "起始方位角由 A、C 的座标算出。"
                              : "定向点 E 是已知点:起始方位角由 A、E 的座标算出。";
    case KeyFamily::typedTb:
        return layout_.dGiven ? closingOnKnownSide + "闭合方位角由 D、B 的座标算出。"
                              : "定向点 F 是已知点:闭合方位角由 B、F 的座标算出。";
    case KeyFamily::side:
        return key.index == 1 ? "C 是已知点:S1 由 A、C 的座标算出。"
                              : "D 是已知点:" + key.text() + " 由 D、B 的座标算出。";
    default: return {};
    }
}

std::optional<Refusal> JobDraft::pointRefusal(KeyFamily x) const
{
    const PointKeys& point = *tiedPointOf(x);
    const Cell* xCell = cell({point.x, 0});
    const Cell* yCell = cell({point.y, 0});
    if (xCell->text.empty() || yCell->text.empty() || xCell->refusal || yCell->refusal) return std::nullopt;
    return pointCoordinatesRefusal(point.name, TypedNumber::fromText(xCell->text), TypedNumber::fromText(yCell->text));
}

std::optional<Refusal> JobDraft::layoutRefusal() const
{
    for (const KeyFamily family : {KeyFamily::xc, KeyFamily::yc, KeyFamily::xd, KeyFamily::yd}) {
        const Cell* held = cell({family, 0});
        if (held->text.empty() || held->refusal) return std::nullopt;
    }
    if (pointRefusal(KeyFamily::xc) || pointRefusal(KeyFamily::xd)) return std::nullopt;
    const auto number = [&](KeyFamily family) { return TypedNumber::fromText(text({family, 0})); };
    return startAndClosingRefusal(number(KeyFamily::xc), number(KeyFamily::yc), number(KeyFamily::xd),
                                  number(KeyFamily::yd));
}

std::optional<Refusal> JobDraft::refusal(const JobKey& key) const
{
    if (!isOpen(key)) return std::nullopt;
    const Cell* held = cell(key);
    if (held->text.empty()) return std::nullopt;
    if (held->refusal) return held->refusal;
    if (const PointKeys* point = tiedPointOf(key.family)) {
        if (auto refused = pointRefusal(point->x)) return refused;
        if (point->x == KeyFamily::xc || point->x == KeyFamily::xd) return layoutRefusal();
    }
    return std::nullopt;
}

std::optional<float> JobDraft::misclosure(int triangle) const
{
    if (triangle < 1 || triangle > triangles_) return std::nullopt;
    return misclosures_[triangle];
}

std::optional<double> JobDraft::toleranceSeconds() const
{
    const Cell& tolerance = plain_.find(KeyFamily::tolerance)->second;
    if (tolerance.text.empty() || tolerance.refusal) return std::nullopt;
    return parseNumber(tolerance.text);
}

bool JobDraft::overTolerance(int triangle) const
{
    const auto w = misclosure(triangle);
    const auto tolerance = toleranceSeconds();
    return w && tolerance && std::fabs(*w) > *tolerance;
}

std::optional<double> JobDraft::meanSide() const
{
    if (meanSide_) return *meanSide_;
    const int n = triangles_;
    meanSide_ = std::optional<double>();
    if (n < 1) return std::nullopt;
    std::vector<double> sides(2 * n + 2, 0.0);
    for (int k = 1; k <= 2 * n + 1; ++k) {
        const JobKey key{KeyFamily::side, k};
        if (isOpen(key)) {
            if (sides_[k].text.empty() || sides_[k].refusal) return std::nullopt;
            sides[k] = sides_[k].number;
            continue;
        }
        // S1 or S(2n+1) from the coordinates of its known ends.
        const bool start = k == 1;
        const KeyFamily ends[] = {start ? KeyFamily::xa : KeyFamily::xd, start ? KeyFamily::ya : KeyFamily::yd,
                                  start ? KeyFamily::xc : KeyFamily::xb, start ? KeyFamily::yc : KeyFamily::yb};
        TypedNumber at[4];
        for (int e = 0; e < 4; ++e) {
            const Cell* end = cell({ends[e], 0});
            if (end->text.empty() || end->refusal) return std::nullopt;
            at[e] = TypedNumber::fromText(end->text);
        }
        sides[k] = knownSideLength(at[0], at[1], at[2], at[3]);
    }
    const double mean = meanSideOf(sides, n);
    if (std::isfinite(mean)) meanSide_ = mean;
    return *meanSide_;
}

template <typename Visit>
void JobDraft::visitKeys(Visit visit) const
{
    for (const JobKey& key : plainKeysInOrder()) visit(key);
    if (triangles_ < 1) return;
    for (int row = 0; row <= triangles_ + 1; ++row) {
        visit(JobKey{KeyFamily::pointName, row});
        if (row >= 1 && row <= triangles_) {
            visit(JobKey{KeyFamily::angleA, row});
            visit(JobKey{KeyFamily::angleB, row});
            visit(JobKey{KeyFamily::angleC, row});
        }
        if (row >= 1) visit(JobKey{KeyFamily::side, 2 * row - 1});
        if (row >= 1 && row <= triangles_) visit(JobKey{KeyFamily::side, 2 * row});
    }
}

std::vector<DraftFault> JobDraft::faults() const
{
    std::vector<DraftFault> faults;
    visitKeys([&](const JobKey& key) {
        if (!isOpen(key)) return;
        const Cell& held = *cell(key);
        if (held.text.empty()) return;
        if (held.refusal) {
            faults.push_back({{key}, *held.refusal});
            return;
        }
        const PointKeys* point = tiedPointOf(key.family);
        if (!point) return;
        if (key.family == point->x) {
            if (auto refused = pointRefusal(point->x)) faults.push_back({{key, {point->y, 0}}, *refused});
        }
        if (key.family == KeyFamily::yd) {
            if (auto refused = layoutRefusal()) {
                faults.push_back({{{KeyFamily::xc, 0}, {KeyFamily::yc, 0}, {KeyFamily::xd, 0}, {KeyFamily::yd, 0}},
                                  *refused});
            }
        }
    });
    return faults;
}

std::vector<JobKey> JobDraft::missingKeys() const
{
    std::vector<JobKey> keys;
    visitKeys([&](const JobKey& key) {
        if (missing(key)) keys.push_back(key);
    });
    return keys;
}

std::vector<int> JobDraft::trianglesOverTolerance() const
{
    std::vector<int> over;
    for (int i = 1; i <= triangles_; ++i)
        if (overTolerance(i)) over.push_back(i);
    return over;
}

std::vector<JobKey> JobDraft::unusedKeys() const
{
    std::vector<JobKey> keys;
    visitKeys([&](const JobKey& key) {
        if (!isOpen(key) && !text(key).empty()) keys.push_back(key);
    });
    return keys;
}

std::string JobDraft::summary() const
{
    std::vector<std::string> parts;
    const std::vector<JobKey> missingKeys = this->missingKeys();
    if (!missingKeys.empty()) {
        std::vector<std::string> named;
        for (std::size_t i = 0; i < missingKeys.size() && i < missingNamed; ++i) named.push_back(missingKeys[i].text());
        std::string part = "还缺 " + joined(named, "、");
        if (missingKeys.size() > missingNamed) part += " 等 " + std::to_string(missingKeys.size()) + " 个数值";
        parts.push_back(part);
    }
    const std::vector<DraftFault> faults = this->faults();
    for (std::size_t i = 0; i < faults.size() && i < faultsNamed; ++i) parts.push_back(faults[i].phrase());
    if (faults.size() > faultsNamed) parts.push_back("另有 " + std::to_string(faults.size() - faultsNamed) + " 处错误");
    const std::vector<int> over = trianglesOverTolerance();
    if (!over.empty()) {
        std::vector<std::string> named;
        for (std::size_t i = 0; i < over.size() && i < trianglesNamed; ++i) named.push_back("w" + std::to_string(over[i]));
        std::string part = joined(named, "、");
        if (over.size() > trianglesNamed) part += " 等 " + std::to_string(over.size()) + " 个三角形";
        parts.push_back(part + " 超过限差 " + text({KeyFamily::tolerance, 0}) + " 秒");
    }
    if (parts.empty()) return "数值齐全,没有错误";
    return joined(parts, ";");
}

void JobDraft::updateMisclosure(int i)
{
    const Cell* angles[] = {&angleA_[i], &angleB_[i], &angleC_[i]};
    for (const Cell* angle : angles) {
        if (angle->text.empty() || angle->refusal) {
            misclosures_[i].reset();
            return;
        }
    }
    const TriangleAngles read = triangleAnglesOf(angleA_[i].text, angleB_[i].text, angleC_[i].text);
    misclosures_[i] = triangleMisclosure(read.degreesA, read.degreesB, read.degreesC);
}

void JobDraft::updateLayout()
{
    const auto given = [&](KeyFamily x, KeyFamily y) {
        return isGiven(TypedNumber::fromText(text({x, 0})), TypedNumber::fromText(text({y, 0})));
    };
    layout_ = {given(KeyFamily::xc, KeyFamily::yc), given(KeyFamily::xd, KeyFamily::yd),
               given(KeyFamily::xe, KeyFamily::ye), given(KeyFamily::xf, KeyFamily::yf)};
}

void JobDraft::setCell(const JobKey& key, std::string text, int line)
{
    Cell& held = *cell(key);
    held.text = std::move(text);
    held.line = line;
    held.refusal.reset();
    if (!held.text.empty() && !isGradeKey(key.family)) held.refusal = readingOf(key.family).check(held.text);
    held.number = held.refusal ? 0 : parseNumber(held.text).value_or(0);
    if (isAngleFamily(key.family)) updateMisclosure(key.index);
    if (key.family == KeyFamily::side || isCoordinate(key.family)) meanSide_.reset();
    if (isCoordinate(key.family)) updateLayout();
}

void JobDraft::resizeTo(int triangles)
{
    const int n = triangles;
    triangles_ = n;
    const std::size_t points = n > 0 ? static_cast<std::size_t>(n) + 2 : 0;
    const std::size_t angles = n > 0 ? static_cast<std::size_t>(n) + 1 : 0;
    const std::size_t sides = n > 0 ? 2 * static_cast<std::size_t>(n) + 2 : 0;
    names_.resize(points);
    angleA_.resize(angles);
    angleB_.resize(angles);
    angleC_.resize(angles);
    sides_.resize(sides);
    misclosures_.resize(angles);
    meanSide_.reset();
}

void JobDraft::record(DraftChange& change, const JobKey& key, std::string text, int line)
{
    if (this->text(key) == text && this->line(key) == line) return;
    change.cells.push_back({key, this->text(key), text, this->line(key), line});
    setCell(key, std::move(text), line);
}

void JobDraft::resizeRecorded(int triangles, DraftChange& change)
{
    const int from = triangles_, to = triangles;
    // B is the last route point, whatever the count: its name moves with it.
    const JobKey oldB{KeyFamily::pointName, from + 1}, newB{KeyFamily::pointName, to + 1};
    const std::string nameB = text(oldB);
    const int lineB = line(oldB);
    if (to < from) {
        // The cells beyond the new chain go, each recorded so that an undo brings it back.
        visitKeys([&](const JobKey& key) {
            if (isIndexed(key.family) && !fitsChain(key, to) && !text(key).empty()) record(change, key, "", 0);
        });
    } else if (from > 0) {
        record(change, oldB, "", 0);
    }
    resizeTo(to);
    if (from > 0) record(change, newB, nameB, lineB);
}

DraftChange JobDraft::apply(const std::vector<DraftEdit>& edits)
{
    DraftChange change{triangles_, triangles_, {}};
    for (const DraftEdit& edit : edits) {
        if (!holds(edit.key)) continue;
        std::string text = readingOf(edit.key.family).mapsFullWidth ? mappedToAscii(edit.text) : edit.text;
        if (text == this->text(edit.key)) continue;
        record(change, edit.key, std::move(text), 0);
        if (edit.key.family != KeyFamily::triangleCount) continue;
        if (const auto count = triangleCountOf(this->text(edit.key)); count && *count != triangles_)
            resizeRecorded(*count, change);
    }
    change.trianglesAfter = triangles_;
    return change;
}

void JobDraft::revert(const DraftChange& change)
{
    resizeTo(change.trianglesBefore);
    for (auto made = change.cells.rbegin(); made != change.cells.rend(); ++made)
        if (holds(made->key)) setCell(made->key, made->before, made->lineBefore);
}

void JobDraft::reapply(const DraftChange& change)
{
    resizeTo(change.trianglesAfter);
    for (const CellChange& made : change.cells)
        if (holds(made.key)) setCell(made.key, made.after, made.lineAfter);
}

std::vector<JobFileEntry> JobDraft::entries() const
{
    std::vector<JobFileEntry> entries;
    const auto add = [&](const JobKey& key) {
        const Cell& held = *cell(key);
        if (!held.text.empty()) entries.push_back({key.text(), held.text, held.line});
    };
    for (const JobKey& key : plainKeysInOrder()) add(key);
    for (const JobKey& key : gradeKeysInOrder()) add(key);
    if (triangles_ < 1) return entries;
    for (int i = 0; i <= triangles_ + 1; ++i) add({KeyFamily::pointName, i});
    for (int i = 1; i <= triangles_; ++i)
        for (const KeyFamily angle : {KeyFamily::angleA, KeyFamily::angleB, KeyFamily::angleC}) add({angle, i});
    for (int k = 1; k <= 2 * triangles_ + 1; ++k) add({KeyFamily::side, k});
    return entries;
}

std::vector<DraftEdit> gradeEdits(const std::optional<Grade>& grade)
{
    std::vector<DraftEdit> edits;
    for (const JobKey& key : gradeKeysInOrder()) edits.push_back({key, ""});
    if (!grade) return edits;
    for (const JobValue& value : gradeValues(*grade))
        for (DraftEdit& edit : edits)
            if (edit.key.text() == value.key) edit.text = value.value;
    return edits;
}

std::optional<Grade> JobDraft::grade() const
{
    std::vector<JobFileEntry> held;
    for (const JobKey& key : gradeKeysInOrder())
        if (!text(key).empty()) held.push_back({key.text(), text(key), line(key)});
    const JobFile file = JobFile::ofEntries("", held);
    if (gradeFault(file)) return std::nullopt;
    return gradeOf(file);
}

std::string openingNotice(const JobFile& file, const JobDraft& draft)
{
    std::vector<std::string> lines;
    const auto listed = [&](std::vector<std::string> items, const std::string& heading) {
        if (items.empty()) return;
        lines.push_back(heading);
        const std::size_t count = items.size();
        if (count > noticeLinesListed) items.resize(noticeLinesListed);
        for (const std::string& item : items) lines.push_back("  " + item);
        if (count > noticeLinesListed) lines.push_back("  ……另有 " + std::to_string(count - noticeLinesListed) + " 项。");
    };

    const JobFileEntry* count = file.find("n");
    if (count && !file.triangleCount())
        lines.push_back("n = " + utf8::excerpt(count->value, 24) + "(第 " + std::to_string(count->line) +
                        " 行)不是三角形的个数;作业表按文件中的序号排出 " + std::to_string(draft.triangles()) +
                        " 个三角形。");

    std::map<std::string, std::vector<int>> linesOfKey;
    for (const JobFileEntry& entry : file.entries()) linesOfKey[entry.key].push_back(entry.line);
    std::vector<std::string> repeated;
    for (const JobFileEntry& entry : file.entries()) {
        const std::vector<int>& at = linesOfKey[entry.key];
        if (at.size() < 2 || at.front() != entry.line) continue;
        std::vector<std::string> numbers;
        for (const int line : at) numbers.push_back(std::to_string(line));
        repeated.push_back(entry.key + ":第 " + joined(numbers, "、") + " 行,用最后一行的数值");
    }
    listed(repeated, "以下的键在文件中出现了不止一次,以最后一次为准:");

    std::vector<std::string> unused;
    for (const JobKey& key : draft.unusedKeys()) {
        const int line = draft.line(key);
        unused.push_back(key.text() + " = " + utf8::excerpt(draft.text(key), 24) +
                         (line > 0 ? "(第 " + std::to_string(line) + " 行)" : "") + ":" + draft.closedReason(key));
    }
    listed(unused, "以下数值按已知点的布设计算时不会询问;作业表保留它们(显示为灰色),保存时照样写入:");

    if (lines.empty()) return {};
    return "作业文件 " + file.name() + " 中有些数值作业表不能照原样显示:\n" + joined(lines, "\n");
}

}  // namespace kestrane

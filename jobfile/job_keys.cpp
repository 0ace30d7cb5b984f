#include "jobfile/job_keys.h"

#include <tuple>

#include "chain/chain_survey.h"
#include "chain/text.h"

namespace kestrane {
namespace {

struct PlainKey {
    KeyFamily family;
    const char* text;
    const char* meaning;
};

// In the order a job asks them.
const PlainKey plainKeys[] = {
    {KeyFamily::triangleCount, "n", "三角形的个数"},
    {KeyFamily::tolerance, "tolerance", "规范测角限差"},
    {KeyFamily::xa, "xa", "已知点 A 纵座标"},
    {KeyFamily::ya, "ya", "已知点 A 横座标"},
    {KeyFamily::xc, "xc", "已知点 C 纵座标"},
    {KeyFamily::yc, "yc", "已知点 C 横座标"},
    {KeyFamily::xd, "xd", "已知点 D 纵座标"},
    {KeyFamily::yd, "yd", "已知点 D 横座标"},
    {KeyFamily::xb, "xb", "已知点 B 纵座标"},
    {KeyFamily::yb, "yb", "已知点 B 横座标"},
    {KeyFamily::xe, "xe", "定向点 E 纵座标"},
    {KeyFamily::ye, "ye", "定向点 E 横座标"},
    {KeyFamily::xf, "xf", "定向点 F 纵座标"},
    {KeyFamily::yf, "yf", "定向点 F 横座标"},
    {KeyFamily::typedTa, "Ta", "起始外方位角"},
    {KeyFamily::orientationQa, "Qa", "起始定向角"},
    {KeyFamily::typedTb, "Tb", "闭合外方位角"},
    {KeyFamily::orientationQb, "Qb", "闭合定向角"},
};

// Never asked: the grade the job is checked against, and the figures of a
// grade of the office's own.
const PlainKey gradeKeys[] = {
    {KeyFamily::grade, "grade", "检核等级"},
    {KeyFamily::gradeAngle, "grade-angle", "自定义等级的测角中误差"},
    {KeyFamily::gradeTriangle, "grade-triangle", "自定义等级的三角形最大闭合差"},
    {KeyFamily::gradeSide, "grade-side", "自定义等级的测边相对中误差"},
    {KeyFamily::gradeWeakestSide, "grade-weakest-side", "自定义等级的最弱边边长相对中误差"},
};

struct IndexedKey {
    KeyFamily family;
    char letter;
};

const IndexedKey indexedKeys[] = {
    {KeyFamily::pointName, 'N'},
    {KeyFamily::angleA, 'A'},
    {KeyFamily::angleB, 'B'},
    {KeyFamily::angleC, 'C'},
    {KeyFamily::side, 'S'},
};

std::optional<KeyFamily> familyOfLetter(char letter)
{
    for (const IndexedKey& key : indexedKeys)
        if (key.letter == letter) return key.family;
    return std::nullopt;
}

// Plain decimal digits, saturating at indexLimit so that an absurdly long
// index reads as out of range rather than overflowing.
int readIndex(std::string_view digits)
{
    long long value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value >= indexLimit) return indexLimit;
    }
    return static_cast<int>(value);
}

// The position of a key in the order of asking: section, then the place
// within it. Plain keys are one section each; the angles of a triangle
// follow one another before the next triangle's.
std::tuple<int, int, int> askPosition(const JobKey& key)
{
    switch (key.family) {
    case KeyFamily::pointName: return {100, key.index, 0};
    case KeyFamily::angleA: return {101, key.index, 0};
    case KeyFamily::angleB: return {101, key.index, 1};
    case KeyFamily::angleC: return {101, key.index, 2};
    case KeyFamily::side: return {102, key.index, 0};
    default: return {static_cast<int>(key.family), 0, 0};
    }
}

}  // namespace

bool isIndexed(KeyFamily family)
{
    return family >= KeyFamily::pointName;
}

bool isGradeKey(KeyFamily family)
{
    return family >= KeyFamily::grade && family <= KeyFamily::gradeWeakestSide;
}

std::vector<JobKey> gradeKeysInOrder()
{
    std::vector<JobKey> keys;
    for (const PlainKey& key : gradeKeys) keys.push_back({key.family, 0});
    return keys;
}

std::vector<JobKey> plainKeysInOrder()
{
    std::vector<JobKey> keys;
    for (const PlainKey& key : plainKeys) keys.push_back({key.family, 0});
    return keys;
}

std::string JobKey::text() const
{
    for (const IndexedKey& key : indexedKeys)
        if (key.family == family) return key.letter + std::to_string(index);
    for (const PlainKey& key : plainKeys)
        if (key.family == family) return key.text;
    for (const PlainKey& key : gradeKeys)
        if (key.family == family) return key.text;
    return {};
}

std::optional<JobKey> parseKey(std::string_view text)
{
    for (const PlainKey& key : plainKeys)
        if (text == key.text) return JobKey{key.family, 0};
    for (const PlainKey& key : gradeKeys)
        if (text == key.text) return JobKey{key.family, 0};
    if (text.size() < 2) return std::nullopt;
    const auto family = familyOfLetter(text.front());
    const std::string_view digits = text.substr(1);
    if (!family || !allDigits(digits)) return std::nullopt;
    if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
    return JobKey{*family, readIndex(digits)};
}

std::optional<std::string> intendedKey(std::string_view text)
{
    if (text.size() < 3 || !familyOfLetter(text.front()) || !allDigits(text.substr(1)) || text[1] != '0')
        return std::nullopt;
    std::string_view digits = text.substr(1);
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    return text.front() + std::string(digits);
}

IndexRange indexRange(KeyFamily family, int triangles)
{
    switch (family) {
    case KeyFamily::pointName: return {0, triangles + 1};
    case KeyFamily::side: return {1, 2 * triangles + 1};
    default: return {1, triangles};
    }
}

bool fitsChain(const JobKey& key, int triangles)
{
    if (!isIndexed(key.family)) return true;
    const IndexRange range = indexRange(key.family, triangles);
    return key.index >= range.first && key.index <= range.last;
}

std::string keyMeaning(const JobKey& key)
{
    const std::string i = std::to_string(key.index);
    switch (key.family) {
    case KeyFamily::pointName: return "第 " + i + " 点的点名";
    case KeyFamily::angleA: return "第 " + i + " 个三角形的求距角 A" + i;
    case KeyFamily::angleB: return "第 " + i + " 个三角形的前进角 B" + i;
    case KeyFamily::angleC: return "第 " + i + " 个三角形的间隔角 C" + i;
    case KeyFamily::side: return "第 " + i + " 条边";
    default:
        for (const PlainKey& plain : plainKeys)
            if (plain.family == key.family) return plain.meaning;
        for (const PlainKey& plain : gradeKeys)
            if (plain.family == key.family) return plain.meaning;
        return {};
    }
}

bool asksBefore(const JobKey& a, const JobKey& b)
{
    return askPosition(a) < askPosition(b);
}

bool isAsked(const JobKey& key, int triangles, const ChainLayout& layout)
{
    if (!fitsChain(key, triangles) || isGradeKey(key.family)) return false;
    switch (key.family) {
    case KeyFamily::xe:
    case KeyFamily::ye:
    case KeyFamily::orientationQa: return !layout.cGiven;
    case KeyFamily::xf:
    case KeyFamily::yf:
    case KeyFamily::orientationQb: return !layout.dGiven;
    case KeyFamily::typedTa: return !layout.cGiven && !layout.eGiven;
    case KeyFamily::typedTb: return !layout.dGiven && !layout.fGiven;
    // S1 and S(2n+1) are computed from the coordinates of A, C and of D, B.
    case KeyFamily::side:
        return !(key.index == 1 && layout.cGiven) && !(key.index == 2 * triangles + 1 && layout.dGiven);
    default: return true;
    }
}

std::vector<JobKey> keysAsked(int triangles, const ChainLayout& layout)
{
    const int n = triangles;
    std::vector<JobKey> keys;
    auto ask = [&](KeyFamily family, int index = 0) {
        if (isAsked({family, index}, n, layout)) keys.push_back({family, index});
    };
    for (const JobKey& plain : plainKeysInOrder()) ask(plain.family);
    for (int i = 0; i <= n + 1; ++i) ask(KeyFamily::pointName, i);
    for (int i = 1; i <= n; ++i) {
        ask(KeyFamily::angleA, i);
        ask(KeyFamily::angleB, i);
        ask(KeyFamily::angleC, i);
    }
    for (int k = 1; k <= 2 * n + 1; ++k) ask(KeyFamily::side, k);
    return keys;
}

}  // namespace kestrane

#include "jobfile/job_file_grade.h"

#include "chain/display_format.h"
#include "chain/number_parse.h"
#include "chain/utf8.h"
#include "jobfile/job_keys.h"

namespace kestrane {
namespace {

JobFileRefusal refusal(const JobFile& file, int line, const std::string& what)
{
    return {line, "作业文件 " + file.name() + ":第 " + std::to_string(line) + " 行:" + what};
}

std::optional<double> figureOf(const JobFileEntry& entry)
{
    const auto figure = parseNumber(entry.value);
    if (!figure || !isGradeFigure(*figure)) return std::nullopt;
    return figure;
}

}  // namespace

std::optional<JobFileRefusal> gradeFault(const JobFile& file)
{
    const JobFileEntry* grade = file.find("grade");
    for (const JobFileEntry& entry : file.entries()) {
        const auto key = parseKey(entry.key);
        if (!key || !isGradeKey(key->family)) continue;
        if (key->family == KeyFamily::grade) {
            if (!isGradeName(entry.value))
                return refusal(file, entry.line,
                               "“grade = " + utf8::excerpt(entry.value) + "” 不是等级:等级只能是 二等、三等、四等、一级、二级 或 自定义。");
            continue;
        }
        if (!grade || grade->value != customGradeName)
            return refusal(file, entry.line,
                           "键 “" + entry.key + "” 只能与 “grade = 自定义” 一起使用(" + keyMeaning(*key) + ")。");
        if (!figureOf(entry))
            return refusal(file, entry.line,
                           "键 “" + entry.key + "” 的值 “" + utf8::excerpt(entry.value) + "” 不是 0.001 到 10 亿之间的数(" + keyMeaning(*key) + ")。");
    }
    if (grade && grade->value == customGradeName) {
        for (const JobKey& key : gradeKeysInOrder()) {
            if (key.family == KeyFamily::grade || file.find(key.text())) continue;
            return refusal(file, grade->line,
                           "“grade = 自定义” 须有 grade-angle、grade-triangle、grade-side、grade-weakest-side 四个值,缺少 “" +
                               key.text() + "”。");
        }
    }
    return std::nullopt;
}

std::optional<Grade> gradeOf(const JobFile& file)
{
    const JobFileEntry* grade = file.find("grade");
    // Values held in memory are not read through the parser: they are checked here.
    if (!grade || gradeFault(file)) return std::nullopt;
    if (grade->value != customGradeName) return standardGrade(grade->value);
    const auto figure = [&](const char* key) { return figureOf(*file.find(key)).value_or(0); };
    return customGrade(figure("grade-angle"), figure("grade-triangle"), figure("grade-side"),
                       figure("grade-weakest-side"));
}

void markGradeUsed(JobFile& file)
{
    for (const JobKey& key : gradeKeysInOrder()) file.markUsed(key.text());
}

std::vector<JobValue> gradeValues(const Grade& grade)
{
    std::vector<JobValue> values{{"grade", grade.name}};
    if (grade.name != customGradeName) return values;
    values.push_back({"grade-angle", formatGeneral(grade.angle)});
    values.push_back({"grade-triangle", formatGeneral(grade.triangle)});
    values.push_back({"grade-side", formatGeneral(grade.side)});
    values.push_back({"grade-weakest-side", formatGeneral(grade.weakestSide)});
    return values;
}

}  // namespace kestrane

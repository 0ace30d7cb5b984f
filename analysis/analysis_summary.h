// The summary of a quality analysis in sentences, as the analysis window and
// its printed report show it: the global test, sigma0 before and after, the
// triangle closures by Ferrero, the likely blunder and what to check, and the
// weakest point. Figures are rounded for reading: seconds and millimetres to
// two decimals, w and chi-square to two, redundancy numbers to three.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/quality_analysis.h"

namespace kestrane {

// The analysis of the last job that ran to its end, or why there is none,
// as the surveyor reads it.
struct AnalysisOutcome {
    std::optional<ChainAnalysis> analysis;
    std::string refusal;  // "" with an analysis
};

// job: the record of the last job that ran to its end, nullptr when there is
// none; grade: the grade to check it against, if any.
AnalysisOutcome analysisOfCompleteJob(const ChainSurvey* job, const std::optional<Grade>& grade = std::nullopt);

// "第 7 个三角形的前进角 B7", "第 5 条边 S5", "起始定向角 Qa": the observation
// as the input prompts name it.
std::string observationName(const ObservationId& id);

// "第 7 个三角形的前进角 B7 可能有粗差:请核对手簿".
std::string blunderSentence(const ObservationId& id);

// The unit of an observation's v and MDB: seconds for angles, millimetres for sides.
const std::string& observationUnit(const ObservationId& id);

// The free route point with the largest position error mp, by its place in
// analysis.points; nothing when every point is known.
std::optional<std::size_t> weakestPointOf(const ChainAnalysis& analysis);

// The route point P(n/2 + 1), whose md the main window and the job report
// give as the weakest point's, by its place in analysis.points; nothing when
// it is a known point.
std::optional<std::size_t> routeMiddlePointOf(const ChainAnalysis& analysis);

// "四等", or "自定义等级" for the office's own grade.
std::string gradeTitle(const Grade& grade);

// The verdict in one line: "四等:全部合格", "四等:超限 3 项:w7、W12、最弱边".
std::string gradeVerdict(const GradeChecks& checks);

// The check as the table names it: "三角形闭合差 w7", "最弱边 S7 边长相对中误差".
std::string checkName(const GradeCheck& check);

// The check's short name in the verdict: its id, "最弱边" for the weakest side.
std::string checkShortName(const GradeCheck& check);

// The named suspect's entry in analysis.observations; nothing without one.
const ObservationTest* suspectOf(const ChainAnalysis& analysis);

// The summary, one sentence a line, in reading order.
std::vector<std::string> summaryLines(const ChainAnalysis& analysis);

}  // namespace kestrane

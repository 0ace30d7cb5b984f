// The texts of the quality analysis as the surveyor reads them: why there is
// no analysis, the names of the observations, the sentences of the summary
// and the headings of its tables. "{…}" marks where a figure goes.
#pragma once

#include <string>

namespace kestrane::analysis_texts {

// No job has run to its end: none yet, or the last one was abandoned or stopped.
inline const std::string noCompleteJob =
    "没有可分析的计算结果:请先按“数据输入”完成一次计算,再作平差分析。";

// The normal equations of the finished job are not positive definite, so no
// weight reciprocal of an observation or a point can be formed.
inline const std::string normalsNotPositiveDefinite =
    "无法作平差分析:本次计算的法方程不正定,求不出观测值和点位的权倒数。\n"
    "请检查已知点座标、方位角、定向角以及三角形的角度和边长是否输入正确。";

// The record does not hold a chain the analysis can read.
inline const std::string recordNotAnalysable = "无法作平差分析:本次计算的记录不完整。";

// Names of the observations, as the input prompts call them.
inline const std::string startOrientation = "起始定向角 Qa";
inline const std::string closingOrientation = "闭合定向角 Qb";
inline const std::string triangleAngle = "第 {i} 个三角形的{name} {id}";
inline const std::string distanceAngle = "求距角";
inline const std::string forwardAngle = "前进角";
inline const std::string spacerAngle = "间隔角";
inline const std::string side = "第 {i} 条边 {id}";

inline const std::string blunderSentence = "{observation} 可能有粗差:请核对手簿";

// Units as the window writes them.
inline const std::string seconds = "秒";
inline const std::string millimetres = "毫米";

// The summary, one sentence a line.
inline const std::string globalPassed =
    "整体检验通过:χ² = [pvv]/σ0² = {chi2},在自由度 {r} 的 χ² 分布的 2.5% 与 97.5% 分位数 {lower} 与 {upper} 之间。";
inline const std::string globalAbove =
    "整体检验未通过:χ² = [pvv]/σ0² = {chi2},大于上界 {upper}(自由度 {r} 的 χ² 分布的 97.5% 分位数,下界 {lower}):"
    "观测值的精度不如先验中误差所说,或有粗差。";
inline const std::string globalBelow =
    "整体检验通过:χ² = [pvv]/σ0² = {chi2},小于下界 {lower}(自由度 {r} 的 χ² 分布的 2.5% 分位数,上界 {upper}):"
    "观测值比先验中误差所说的更好,先验中误差 σ0 可能定得偏大。";
inline const std::string globalNone =
    "没有先验中误差(测角限差为 0),不作整体检验;w 检验和 MDB 按验后中误差 mb 计算。";
inline const std::string sigma0Line =
    "单位权(测角)中误差:先验 σ0 = {apriori}{source},验后 mb = {aposteriori},多余观测数 r = {r}(两组条件之和)。";
inline const std::string aprioriFromGrade = "(取{grade}的测角中误差 mβ)";
inline const std::string aprioriFromTolerance = "(取输入的测角限差)";
inline const std::string noApriori = "无";
inline const std::string ferreroLine = "菲列罗公式测角中误差 mβ = √([ww]/3n) = {ferrero}。";
inline const std::string closuresWithin = "三角形闭合差限差 2√3·σ0 = {limit},{n} 个三角形全部合限。";
inline const std::string closuresBeyond = "三角形闭合差限差 2√3·σ0 = {limit},超限的三角形:{list}。";
inline const std::string suspectLine = "w 检验(临界值 3.29):{sentence}。";
inline const std::string suspectFigures =
    "{id} 的 w = {w},改正数 v = {v},多余观测分量 {redundancy},可发现的最小粗差 MDB = {mdb}。";
inline const std::string moreSuspects =
    "共有 {count} 个观测值的 |w| 超过 3.29,已在观测值表中标出;粗差会使邻近的观测值也超限,先核对 |w| 最大的一个,改正后重新计算。";
inline const std::string noSuspect = "w 检验(临界值 3.29):没有发现粗差。";
inline const std::string weakestLine =
    "最弱点 {name}(点位中误差 mp 最大):mx = {mx},my = {my},mp = {mp} 毫米;误差椭圆 a = {a},b = {b} 毫米,长轴方位角 {alpha}。";
inline const std::string routeMiddleLine =
    "推算路线中点 {name}(P{k},k = n/2 + 1,主窗口和计算报告所称的最弱点,其 md 即此处的 mp):"
    "mx = {mx},my = {my},mp = {mp} 毫米。";
inline const std::string routeMiddleIsWeakest = "推算路线中点 {name}(P{k},主窗口和计算报告所称的最弱点)就是点位中误差最大的点。";
inline const std::string noFreePoint = "没有推算点:三角锁的点都是已知点。";

// The grade checks (限差检核).
inline const std::string noGrade = "不按等级检核";
inline const std::string gradeChooserLabel = "检核等级:";
inline const std::string gradeAllPassed = "{grade}:全部合格";
inline const std::string gradeBeyond = "{grade}:超限 {count} 项:{list}";
inline const std::string gradeSourceLine = "限差依据:{source}。测角中误差 mβ = {angle} 秒,三角形最大闭合差 {triangle} 秒,"
                                           "测边相对中误差 1/{side},最弱边边长相对中误差 1/{weakest}。";
inline const std::string customGradeSource = "自定义等级";
inline const std::string ferreroNotJudged =
    "菲列罗公式的测角中误差按规范在三角形个数不少于 20 个时评定;本锁 {n} 个三角形,只列出,不评定。";
inline const std::string checksTitle = "限差检核";
inline const std::string passedVerdict = "合格";
inline const std::string failedVerdict = "超限";
inline const std::string notJudgedVerdict = "不评定(n < 20)";
inline const std::string weakestSideShort = "最弱边";
inline const std::string sideRmsShort = "测边中误差";
inline const char* const checkHeadings[] = {"检核项", "闭合差或数值", "限差", "结论"};
inline const std::string triangleCheck = "三角形闭合差 {id}";
inline const std::string sideAngleCheck = "边角条件闭合差 {id}";
inline const std::string azimuthCheck = "方位角条件闭合差 {id}";
inline const std::string xCheck = "纵坐标条件闭合差 {id}";
inline const std::string yCheck = "横坐标条件闭合差 {id}";
inline const std::string ferreroCheck = "测角中误差(菲列罗公式)mβ";
inline const std::string sideRmsCheck = "测边相对中误差";
inline const std::string weakestSideCheck = "最弱边 {id} 边长相对中误差";
inline const std::string distanceAngleCheck = "求距角 {id}";
inline const std::string customFigures[] = {"测角中误差 mβ(秒)", "三角形最大闭合差(秒)", "测边相对中误差 1/N 的 N",
                                            "最弱边相对中误差 1/N 的 N"};

// The printed report and its parts.
inline const std::string reportTitle = "三角锁平差分析报告";
inline const std::string chainSentence = "三角锁共有 {n} 个三角形";
inline const std::string summaryTitle = "分析结果";
inline const std::string observationTableTitle = "观测值:改正数、多余观测分量、w 检验和可发现的最小粗差";
inline const std::string pointTableTitle = "点位精度和误差椭圆";
inline const std::string checkTableTitle = "闭合差统计与精度评定(限差检核)";
inline const std::string plotTitle = "三角锁网图";
inline const std::string pageNumber = "第 {n} 页";

// The analysis window.
inline const std::string windowTitle = "平差分析 — {chain}";
inline const std::string observationsTab = "观测值";
inline const std::string pointsTab = "点位精度";
inline const std::string fitButton = "全图";
inline const std::string zoomInButton = "放大";
inline const std::string zoomOutButton = "缩小";
inline const std::string printPlotButton = "打印网图";
inline const std::string plotPdfButton = "网图存为 PDF";
inline const std::string plotSvgButton = "网图存为 SVG";
inline const std::string printReportButton = "打印分析报告";
inline const std::string reportPdfButton = "保存为 PDF";
inline const std::string closeButton = "关闭";
inline const std::string saveReportTitle = "分析报告保存为 PDF";
inline const std::string savePlotPdfTitle = "网图保存为 PDF";
inline const std::string savePlotSvgTitle = "网图保存为 SVG";
inline const std::string reportFileName = "平差分析.pdf";
inline const std::string plotPdfFileName = "网图.pdf";
inline const std::string plotSvgFileName = "网图.svg";
inline const std::string pdfFilter = "PDF 文件 (*.pdf)";
inline const std::string svgFilter = "SVG 文件 (*.svg)";
inline const std::string printFailed = "打印失败:所选打印机没有接受文档。";
inline const std::string saveFailed = "保存失败:无法写入文件 {file}。";
inline const std::string plotHelp = "滚轮缩放,按住左键拖动平移。";

// The tables.
inline const char* const observationHeadings[] = {"观测值", "单位", "改正数 v", "多余观测分量", "w", "MDB", "粗差"};
inline const std::string mostLikelyBlunder = "最可疑";
inline const std::string likelyBlunder = "可疑";
inline const char* const pointHeadings[] = {"点名", "类别", "X (米)", "Y (米)", "mx (毫米)", "my (毫米)",
                                            "mp (毫米)", "a (毫米)", "b (毫米)", "长轴方位角"};
inline const std::string knownPoint = "已知点";
inline const std::string routePoint = "推算点";
inline const std::string weakestPoint = "最弱点(mp 最大)";
inline const std::string routeMiddlePoint = "推算路线中点";
inline const std::string weakestAndRouteMiddle = "最弱点、推算路线中点";
inline const std::string noFigure = "—";

}  // namespace kestrane::analysis_texts

// The grade keys of a job file: written in their place and read back, each
// fault refused with its line, and never asked by a job.
#include "jobfile/job_file_grade.h"

#include <gtest/gtest.h>

#include <variant>

#include "jobfile/job_keys.h"
#include "job_file_samples.h"

namespace kestrane {
namespace {

JobFileReading parsed(const std::string& lines)
{
    return parseJobFile(testing::jobText(lines), "t.kjob");
}

TEST(GradeKeys, WrittenAfterTheControlDataAndReadBack)
{
    for (const Grade& grade : {*standardGrade("二等"), *standardGrade("二级"), customGrade(6, 20.5, 30000, 15000)}) {
        std::vector<JobValue> values{{"n", "2"}, {"tolerance", "2.5"}, {"N0", "A"}};
        for (const JobValue& value : gradeValues(grade)) values.push_back(value);
        const std::string text = jobFileText(values, JobFileClock::now());
        // After the control data and before the names.
        EXPECT_LT(text.find("tolerance = 2.5"), text.find("grade = " + grade.name));
        EXPECT_LT(text.find("grade = " + grade.name), text.find("N0 = A"));
        const auto read = parseJobFile(text, "t.kjob");
        ASSERT_TRUE(std::holds_alternative<JobFile>(read)) << std::get<JobFileRefusal>(read).message;
        const auto back = gradeOf(std::get<JobFile>(read));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->name, grade.name);
        EXPECT_EQ(back->source, grade.source);
        EXPECT_EQ(back->angle, grade.angle);
        EXPECT_EQ(back->triangle, grade.triangle);
        EXPECT_EQ(back->side, grade.side);
        EXPECT_EQ(back->weakestSide, grade.weakestSide);
    }
    const auto custom = gradeValues(customGrade(6, 20.5, 30000, 15000));
    ASSERT_EQ(custom.size(), 5u);
    EXPECT_EQ(custom[2].key, "grade-triangle");
    EXPECT_EQ(custom[2].value, "20.5");
    EXPECT_FALSE(gradeOf(std::get<JobFile>(parsed("n = 2\n"))));
}

TEST(GradeKeys, FaultsAreRefusedWithTheirLine)
{
    const struct {
        const char* lines;
        int line;
        const char* what;
    } faults[] = {
        {"n = 2\ngrade = 五等\n", 3, "“grade = 五等” 不是等级"},
        {"n = 2\ngrade = 四等\ngrade-angle = 2\n", 4, "键 “grade-angle” 只能与 “grade = 自定义” 一起使用"},
        {"grade-side = 30000\n", 2, "键 “grade-side” 只能与 “grade = 自定义” 一起使用"},
        {"grade = 自定义\ngrade-angle = 6\ngrade-triangle = 20\ngrade-side = 30000\n", 2,
         "缺少 “grade-weakest-side”"},
        {"grade = 自定义\ngrade-angle = 0\ngrade-triangle = 20\ngrade-side = 30000\ngrade-weakest-side = 1\n", 3,
         "键 “grade-angle” 的值 “0” 不是 0.001 到 10 亿之间的数"},
        {"grade = 自定义\ngrade-angle = 6\ngrade-triangle = 20\ngrade-side = 1e-300\ngrade-weakest-side = 1\n", 5,
         "键 “grade-side” 的值 “1e-300” 不是 0.001 到 10 亿之间的数"},
        {"grade = 自定义\ngrade-angle = 6\ngrade-triangle = 二十\ngrade-side = 30000\ngrade-weakest-side = 1\n", 4,
         "键 “grade-triangle” 的值 “二十” 不是 0.001 到 10 亿之间的数"},
    };
    for (const auto& fault : faults) {
        const auto read = parsed(fault.lines);
        ASSERT_TRUE(std::holds_alternative<JobFileRefusal>(read)) << fault.lines;
        const JobFileRefusal& refusal = std::get<JobFileRefusal>(read);
        EXPECT_EQ(refusal.line, fault.line) << fault.lines;
        EXPECT_EQ(refusal.message.rfind("作业文件 t.kjob:第 " + std::to_string(fault.line) + " 行:", 0), 0u)
            << refusal.message;
        EXPECT_NE(refusal.message.find(fault.what), std::string::npos) << refusal.message;
    }
    // The last grade line counts, as for every key.
    const auto twice = parsed("grade = 二级\ngrade = 一级\n");
    ASSERT_TRUE(std::holds_alternative<JobFile>(twice));
    EXPECT_EQ(gradeOf(std::get<JobFile>(twice))->name, "一级");
}

TEST(GradeKeys, NeverAsked)
{
    for (const JobKey& key : gradeKeysInOrder()) {
        EXPECT_TRUE(isGradeKey(key.family));
        EXPECT_EQ(parseKey(key.text()), key);
        EXPECT_FALSE(isAsked(key, 4, {}));
        EXPECT_FALSE(keyMeaning(key).empty());
    }
    for (const JobKey& key : keysAsked(4, {})) EXPECT_FALSE(isGradeKey(key.family)) << key.text();
    EXPECT_FALSE(parseKey("Grade"));
    EXPECT_FALSE(parseKey("grade-mb"));
}

}  // namespace
}  // namespace kestrane

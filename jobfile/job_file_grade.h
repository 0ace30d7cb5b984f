// The grade of a job in its job file: "grade = 四等", or "grade = 自定义"
// with the office's four figures in grade-angle (mβ, seconds),
// grade-triangle (the largest triangle misclosure, seconds), grade-side and
// grade-weakest-side (the side and weakest-side relative RMS errors as N of
// 1/N). The keys are never asked by a job; they go with it, into the journal
// when it starts and into the file it is saved as.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/grades.h"
#include "jobfile/job_file.h"
#include "jobfile/job_file_writer.h"

namespace kestrane {

// What is wrong with the file's grade keys, as a refusal naming the line: a
// grade no standard grade nor 自定义, a figure that is no number in the range of isGradeFigure, a
// figure without grade = 自定义, or 自定义 without all four figures. Nothing
// when they are sound (or absent).
std::optional<JobFileRefusal> gradeFault(const JobFile& file);

// The file's grade; nothing without a grade key, or with keys that have a
// gradeFault (values held in memory, not read through the parser).
std::optional<Grade> gradeOf(const JobFile& file);

// Marks the grade keys as used: they are never asked, and go with the job.
void markGradeUsed(JobFile& file);

// The job file values that keep the grade: grade, and the four figures for
// 自定义, in the order they are written.
std::vector<JobValue> gradeValues(const Grade& grade);

}  // namespace kestrane

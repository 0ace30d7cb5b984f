#include "job/adjustment_display.h"

#include "adjustment/precision.h"
#include "chain/display_format.h"
#include "chain/single_precision.h"
#include "dialogue/indexed_text.h"
#include "dialogue/job_signals.h"
#include "job/adjustment_texts.h"

namespace kestrane {

namespace {

// A misclosure held in metres, shown in millimetres.
std::string millimetres(float metres)
{
    return " " + misclosurePattern(singleMillimetres(metres)) + " 毫米";
}

void requireFiniteClosingMisclosures(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    for (int j = 2 * n + 1; j <= 2 * n + 3; ++j) requireFinite(job.misclosure[j]);
}

void requireFiniteRoute(const ChainSurvey& job)
{
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        requireFinite(job.routeX[i]);
        requireFinite(job.routeY[i]);
    }
}

}  // namespace

void showSideAngleMisclosures(const ChainSurvey& job, Dialogue& dialogue)
{
    using namespace adjustment_texts;
    WindowFields& fields = dialogue.fields();
    for (int j = 1; j <= 2 * job.triangleCount; ++j) {
        dialogue.pause(withIndex(j % 2 == 1 ? oddConditionPause : evenConditionPause, j));
        fields.setCaption(Label::sideAngleRow, withIndex(sideAngleCaption, j));
        requireFinite(job.misclosure[j]);
        fields.setText(Field::sideAngleMisclosure, millimetres(job.misclosure[j]));
    }
}

void showClosingMisclosures(const ChainSurvey& job, WindowFields& fields)
{
    const int n = job.triangleCount;
    requireFiniteClosingMisclosures(job);
    fields.setText(Field::azimuthMisclosure, " " + misclosurePattern(job.misclosure[2 * n + 1]) + " 秒");
    fields.setText(Field::xMisclosure, millimetres(job.misclosure[2 * n + 2]));
    fields.setText(Field::yMisclosure, millimetres(job.misclosure[2 * n + 3]));
}

void showWeightReciprocalX(const ChainSurvey& job, WindowFields& fields)
{
    fields.setText(Field::weakestPointInvPx, " " + weightPattern(job.invPx));
}

void showWeightReciprocalY(const ChainSurvey& job, WindowFields& fields)
{
    fields.setText(Field::weakestPointInvPy, " " + weightPattern(job.invPy));
}

void showAdjustedPoints(const ChainSurvey& job, Dialogue& dialogue)
{
    WindowFields& fields = dialogue.fields();
    requireFiniteRoute(job);
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        dialogue.pause(adjustment_texts::resultPause);
        for (const Field field : {Field::sideNotice, Field::oddSide, Field::evenSide, Field::sideAngleMisclosure})
            fields.setText(field, "");
        fields.setText(Field::pointName, " " + job.pointName[i]);
        fields.setText(Field::pointX, " " + coordinatePattern(job.routeX[i]));
        fields.setText(Field::pointY, " " + coordinatePattern(job.routeY[i]));
    }
}

void showPrecision(const ChainSurvey& job, WindowFields& fields)
{
    fields.setText(Field::mb, " " + formatRounded(job.mb, 2) + " 秒");
    fields.setText(Field::ms, " " + misclosurePattern(job.ms) + " 毫米");
    fields.setText(Field::weakestPointMx, " " + misclosurePattern(job.mx) + " 毫米");
    fields.setText(Field::weakestPointMy, " " + misclosurePattern(job.my) + " 毫米");
    fields.setText(Field::weakestPointMd, " " + misclosurePattern(job.md) + " 毫米");
    fields.setText(Field::weakestPointRelative,
                   relativeErrorDefined(job) ? " 1/" + formatGeneral(job.relativeErrorM) : "");
}

}  // namespace kestrane

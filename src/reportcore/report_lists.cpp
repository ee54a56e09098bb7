#include "report_lists.h"

#include "translation.h"

#include <array>

namespace {

// Lists of full-scale values: count items of step, 2 × step, ...
struct StepList {
    int Step;
    int Count;
};

constexpr StepList kGridCurrent{30, 12};
constexpr StepList kAnodeVoltage{1024, 20};
constexpr StepList kAnodeCurrent{1024, 10};

// Decimal commas in German, points in English.
const std::array<const char*, 6> kMeanTimes = {
    QT_TRANSLATE_NOOP("Reports", "6/0,9"),  QT_TRANSLATE_NOOP("Reports", "11/1,7"),
    QT_TRANSLATE_NOOP("Reports", "22/3,4"), QT_TRANSLATE_NOOP("Reports", "44/6,6"),
    QT_TRANSLATE_NOOP("Reports", "88/13"),  QT_TRANSLATE_NOOP("Reports", "176/26")};

std::string StepItem(StepList list, long long index)
{
    if (index < 0 || index >= list.Count)
        return {};
    return std::to_string((index + 1) * list.Step);
}

}  // namespace

std::string ReportListItem(ReportList list, long long index)
{
    switch (list) {
    case ReportList::GridCurrentRange: return StepItem(kGridCurrent, index);
    case ReportList::AnodeVoltageRange: return StepItem(kAnodeVoltage, index);
    case ReportList::AnodeCurrentRange: return StepItem(kAnodeCurrent, index);
    case ReportList::MeanTime:
        if (index < 0 || index >= static_cast<long long>(kMeanTimes.size()))
            return {};
        return Tr("Reports", kMeanTimes[index]);
    }
    return {};
}

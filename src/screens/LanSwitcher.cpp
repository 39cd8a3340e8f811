#include "screens/LanSwitcher.h"

LanSwitcher::Row LanSwitcher::row(int position, const QStringList &numbers)
{
    const int count = int(numbers.size());
    Row row;
    row.backEnabled = position != 0;
    row.forwardEnabled = position != count - 1;
    if (count == 0) {
        row.text = QStringLiteral("No access number available");
        row.forwardEnabled = false;
    } else {
        // A position outside the list shows (and dials) the first number.
        row.text = numbers.at(position >= 0 && position < count ? position : 0);
    }
    return row;
}

std::optional<LanSwitcher::Step> LanSwitcher::step(int position, const QStringList &numbers, int segment)
{
    const int count = int(numbers.size());
    if (count == 0 || position < 0 || position >= count)
        return std::nullopt;
    Step step;
    if (segment == forwardSegment) {
        if (position >= count - 1)
            return std::nullopt;
        step.position = position + 1;
        step.enableBackNow = position == 0;
        step.disableForwardLater = step.position == count - 1;
    } else if (segment == backSegment) {
        if (position < 1)
            return std::nullopt;
        step.position = position - 1;
        step.enableForwardNow = step.position == count - 2;
        step.disableBackLater = step.position == 0;
    } else {
        return std::nullopt;
    }
    step.text = numbers.at(step.position);
    return step;
}

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The access number row of the settings screen and its two-segment switcher: segment 0 steps
// back, segment 1 forward through the SIM country's access numbers, never wrapping around.
namespace LanSwitcher {

constexpr int backSegment = 0;
constexpr int forwardSegment = 1;

// What the row shows for a position.
struct Row
{
    QString text; // the access number, or "No access number available"
    bool backEnabled = false;
    bool forwardEnabled = false;
};
Row row(int position, const QStringList &numbers);

// One tap on a segment. Enabling happens at once; the segment just used is disabled 0.2 s
// later when the step reached an end of the list.
struct Step
{
    int position = 0;
    QString text;
    bool enableBackNow = false;
    bool enableForwardNow = false;
    bool disableBackLater = false;
    bool disableForwardLater = false;
};
// None when the tap changes nothing (an end of the list, no numbers, another segment).
std::optional<Step> step(int position, const QStringList &numbers, int segment);

} // namespace LanSwitcher

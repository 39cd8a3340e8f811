#pragma once

#include <optional>
#include <utility>

class Clock;
class FarlineAppDelegate;
class QString;

// The made-up persons, calls and favourites the screenshots show, put into a temporary home as
// the user would put them there.
namespace SampleHome {
// Imports the sample persons through a file written in `folder`; false when that failed.
bool importPersons(FarlineAppDelegate &app, const QString &folder);
// Favourites picked and calls placed from the contacts and the keypad, `clock` moving on.
bool fillLists(FarlineAppDelegate &app, Clock &clock);
// The person shown as `name` in the lists and the identifier of their first number.
std::optional<std::pair<int, int>> firstNumber(FarlineAppDelegate &app, const QString &name);
}

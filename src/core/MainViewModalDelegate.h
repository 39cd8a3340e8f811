#pragma once

// Told by a screen opened from the settings screen that it changed something the settings
// screen shows, so that it redisplays its rows.
class MainViewModalDelegate
{
public:
    virtual ~MainViewModalDelegate() = default;
    virtual void SelectCountryDidFinish() {}
};

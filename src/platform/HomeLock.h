#pragma once

#include <QString>
#include <variant>

class Home;

// Serialises the runs of the program on one application home: each run loads the state at its
// start and saves it at its end, so two runs at once would write over each other's changes.
// The lock is an advisory lock (flock) on "farline.lock" in the home, which the system lets go
// of when the process ends, however it ends; while it is held the file names the holder (its
// process id and what it is) so that a run that is refused can say who has the home. The file
// is the user's alone (0600), so that no other user can hold the home.
class HomeLock
{
public:
    static const QString fileName;     // "farline.lock"
    static const QString windowHolder; // "the Farline window"
    static constexpr int defaultWaitMs = 5000;

    // Takes the lock for `holder` ("the Farline window", "farline favorites add 1 0"), waiting
    // up to `waitMs` for another holder to let go; the window never lets go soon, so a lock the
    // window holds is refused at once. The home folder is made when missing, private to the user
    // (0700); a lock file that is a symbolic link is refused. The refusal is one
    // line naming the holder:
    //   "the Farline window (process 4711) is using /path/home; close it and try again"
    //   "another farline run (process 4711, farline favorites add 1 0) is using /path/home; try again when it has ended"
    // or why the lock file could not be used. A home on a read-only file system needs no lock:
    // nothing can change it.
    static std::variant<HomeLock, QString> acquire(const Home &home, const QString &holder,
                                                   int waitMs = defaultWaitMs);

    HomeLock(HomeLock &&other) noexcept;
    HomeLock &operator=(HomeLock &&other) noexcept;
    ~HomeLock();
    HomeLock(const HomeLock &) = delete;
    HomeLock &operator=(const HomeLock &) = delete;

private:
    explicit HomeLock(int fd);
    void release();
    int m_fd = -1; // -1: nothing to let go of
};

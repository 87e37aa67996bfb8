#pragma once

#include <QSet>

#include <cstdint>

// Which keys went down while the main window had the keyboard. Only their
// releases act: the Enter that closes a message box goes down in the box, and
// its release, like the repeats of the key held down, reaches the window once
// the box has gone.
class PressedKeys {
public:
    // A press of key, at time, in the window or in another one. The X server
    // repeats a held key as a release and a press at one time; Qt marks the
    // pair as a repeat only when the press has arrived as it reads the
    // release, so a press at the very millisecond of the last release, which
    // no hand can do, is taken for a repeat as well. Events without a time
    // (0) are the program's own and never repeats.
    void press(int key, std::uint64_t time, bool inWindow)
    {
        if (time != 0 && key == lastReleasedKey_ && time == lastReleaseTime_)
            return;
        if (inWindow)
            down_.insert(key);
        else
            down_.remove(key);
    }

    // A release of key, at time, anywhere: answers whether the key went down
    // in the window.
    bool release(int key, std::uint64_t time)
    {
        lastReleasedKey_ = key;
        lastReleaseTime_ = time;
        return down_.remove(key);
    }

private:
    QSet<int> down_;
    int lastReleasedKey_ = 0;
    std::uint64_t lastReleaseTime_ = 0;
};

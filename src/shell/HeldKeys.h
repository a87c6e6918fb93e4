#pragma once

#include <QHash>
#include <QtGlobal>

// Tells the press that starts a hold of a key from the presses auto-repeat makes while the key
// stays down. Some systems deliver a held key's repeats as a release and a fresh press with no
// repeat mark; such a press comes within RepeatGapMs of the release before it, far sooner than
// a hand can let a key go and strike it again.
class HeldKeys {
public:
    static constexpr quint64 RepeatGapMs = 20;

    // A key went down at this time (milliseconds; 0 when unknown). Returns true when it starts a
    // new hold, false when the key is already held.
    bool press(int key, quint64 timestampMs);
    void release(int key, quint64 timestampMs);
    // Every key counts as up again (the program lost the keyboard).
    void clear();

private:
    struct KeyState {
        bool down = false;
        quint64 releasedAt = 0;
    };
    QHash<int, KeyState> m_keys;
};

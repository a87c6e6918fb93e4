#include "shell/HeldKeys.h"

bool HeldKeys::press(int key, quint64 timestampMs) {
    KeyState& state = m_keys[key];
    const bool repeat = state.down || (timestampMs != 0 && state.releasedAt != 0 &&
                                       timestampMs >= state.releasedAt &&
                                       timestampMs - state.releasedAt <= RepeatGapMs);
    state.down = true;
    return !repeat;
}

void HeldKeys::release(int key, quint64 timestampMs) {
    KeyState& state = m_keys[key];
    state.down = false;
    state.releasedAt = timestampMs;
}

void HeldKeys::clear() {
    m_keys.clear();
}

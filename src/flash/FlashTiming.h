#pragma once

struct FlashGroup;
struct FlashSettings;

namespace FlashTiming {

// No group stays on show longer than this, however long its word and however low the speed.
inline constexpr int LongestGroupMs = 60000;

// How long a group stays on show, in milliseconds: charInterval x (its characters + 1), the one
// for the blank after it, stretched by the pause that follows it (per cent, integer division),
// and at most LongestGroupMs.
int groupTime(int charInterval, const FlashGroup& group, const FlashSettings& settings);

} // namespace FlashTiming

#pragma once

struct FlashGroup;
struct FlashSettings;

namespace FlashTiming {

// How long a group stays on show, in milliseconds: charInterval x (its characters + 1), the one
// for the blank after it, stretched by the pause that follows it (per cent, integer division).
int groupTime(int charInterval, const FlashGroup& group, const FlashSettings& settings);

} // namespace FlashTiming

#include "flash/FlashTiming.h"

#include "flash/FlashGroups.h"
#include "flash/FlashSettings.h"

#include <algorithm>

namespace FlashTiming {

int groupTime(int charInterval, const FlashGroup& group, const FlashSettings& settings) {
    // Capped before the pause is applied, so that no product can leave 64 bits.
    const qint64 plain =
        std::min<qint64>(qint64(charInterval) * (qint64(group.chars) + 1), LongestGroupMs);
    qint64 stretched = plain;
    switch (group.pause) {
    case FlashPause::Sentence:
        stretched = plain * settings.SentencePause / 100;
        break;
    case FlashPause::Comma:
        stretched = plain * settings.CommaPause / 100;
        break;
    case FlashPause::None:
        break;
    }
    return int(std::min<qint64>(stretched, LongestGroupMs));
}

} // namespace FlashTiming

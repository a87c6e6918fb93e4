#include "flash/FlashTiming.h"

#include "flash/FlashGroups.h"
#include "flash/FlashSettings.h"

namespace FlashTiming {

int groupTime(int charInterval, const FlashGroup& group, const FlashSettings& settings) {
    const qint64 plain = qint64(charInterval) * (group.chars + 1);
    switch (group.pause) {
    case FlashPause::Sentence:
        return int(plain * settings.SentencePause / 100);
    case FlashPause::Comma:
        return int(plain * settings.CommaPause / 100);
    case FlashPause::None:
        break;
    }
    return int(plain);
}

} // namespace FlashTiming

#include "flash/RecognitionLetter.h"

namespace RecognitionLetter {

int indexIn(QStringView shown) {
    int first = 0;
    int last = int(shown.size()) - 1;
    while (first <= last && !shown[first].isLetterOrNumber())
        ++first;
    while (last >= first && !shown[last].isLetterOrNumber())
        --last;
    if (first > last)
        return -1;
    int k = first + (last - first + 1) * 7 / 20;
    while (!shown[k].isLetterOrNumber())
        --k; // stops at the latest at `first`
    return k;
}

} // namespace RecognitionLetter

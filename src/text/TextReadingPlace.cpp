#include "text/TextReadingPlace.h"

#include "text/Unitfrtext.h"

QString TextReadingPlace::text() {
    return TextForm.UserTextPlace().Text;
}

int TextReadingPlace::place() {
    return TextForm.UserTextPlace().Caret;
}

void TextReadingPlace::setPlace(int pos) {
    TextForm.setReadingPlace(pos);
}

#pragma once

#include "exercise/ReadingPlace.h"

class TTextForm;

// The text window's loaded text and reading place, for exercises that read the same text.
class TextReadingPlace : public ReadingPlace {
public:
    explicit TextReadingPlace(TTextForm& textForm) : TextForm(textForm) {}

    QString text() override;
    int place() override;
    void setPlace(int pos) override;

private:
    TTextForm& TextForm;
};

#include "training/TrainingState.h"

#include "training/SpeedRegulator.h"

TrainingState::TrainingState(QObject* parent) : QObject(parent) {}

int TrainingState::speed() const {
    return SpeedRegulator::speed(Position);
}

void TrainingState::setSpeedPosition(int position) {
    if (position == Position && Interval == SpeedRegulator::charInterval(position))
        return;
    Position = position;
    Interval = SpeedRegulator::charInterval(position);
    emit speedChanged();
}

void TrainingState::setReadingFieldWidth(int width) {
    if (width == FieldWidth)
        return;
    FieldWidth = width;
    emit readingFieldWidthChanged();
}

void TrainingState::setReadingFieldLimit(int limit) {
    FieldLimit = limit;
    emit readingFieldLimitChanged();
}

void TrainingState::setFontName(const QString& name) {
    if (name == Name)
        return;
    Name = name;
    emit fontChanged();
}

void TrainingState::setFontSize(int size) {
    if (size == Size)
        return;
    Size = size;
    emit fontChanged();
}

void TrainingState::setMinWidthText(int width) {
    if (width == MinText)
        return;
    MinText = width;
    emit minimumWidthsChanged();
}

void TrainingState::setMinWidthString(int width) {
    if (width == MinString)
        return;
    MinString = width;
    emit minimumWidthsChanged();
}

void TrainingState::setRecommendation(int speed, int wide) {
    if (speed == RecSpeed && wide == RecWide)
        return;
    RecSpeed = speed;
    RecWide = wide;
    emit recommendationChanged();
}

void TrainingState::setTableSize(int columns, int rows) {
    if (columns == Columns && rows == Rows)
        return;
    Columns = columns;
    Rows = rows;
    emit tableSizeChanged();
}

void TrainingState::setTextAlignment(int alignment) {
    if (alignment == Alignment)
        return;
    Alignment = alignment;
    emit alignmentChanged();
}

void TrainingState::setChosenKind(ExerciseKind kind) {
    if (kind == Kind)
        return;
    Kind = kind;
    emit runStateChanged();
}

void TrainingState::setRunning(bool running) {
    if (running == IsRunning)
        return;
    IsRunning = running;
    emit runStateChanged();
}

void TrainingState::setTestMode(bool test) {
    if (test == Test)
        return;
    Test = test;
    emit runStateChanged();
}

void TrainingState::setDynamicReading(bool dynamic) {
    if (dynamic == Dynamic)
        return;
    Dynamic = dynamic;
    emit runStateChanged();
}

void TrainingState::setCourseRunning(bool running) {
    if (running == Course)
        return;
    Course = running;
    emit runStateChanged();
}

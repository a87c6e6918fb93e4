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
    if (change(FieldWidth, width))
        emit readingFieldWidthChanged();
}

void TrainingState::setReadingFieldLimit(int limit) {
    FieldLimit = limit;
    emit readingFieldLimitChanged();
}

void TrainingState::setFontName(const QString& name) {
    if (change(Name, name))
        emit fontChanged();
}

void TrainingState::setFontSize(int size) {
    if (change(Size, size))
        emit fontChanged();
}

void TrainingState::setMinWidthText(int width) {
    if (change(MinText, width))
        emit minimumWidthsChanged();
}

void TrainingState::setMinWidthString(int width) {
    if (change(MinString, width))
        emit minimumWidthsChanged();
}

void TrainingState::setRecommendation(int speed, int wide) {
    const bool speedChanged = change(RecSpeed, speed);
    if (change(RecWide, wide) || speedChanged)
        emit recommendationChanged();
}

void TrainingState::setTableSize(int columns, int rows) {
    const bool columnsChanged = change(Columns, columns);
    if (change(Rows, rows) || columnsChanged)
        emit tableSizeChanged();
}

void TrainingState::setTextAlignment(int alignment) {
    if (change(Alignment, alignment))
        emit alignmentChanged();
}

void TrainingState::setChosenKind(ExerciseKind kind) {
    if (change(Kind, kind))
        emit runStateChanged();
}

void TrainingState::setRunning(bool running) {
    if (change(IsRunning, running))
        emit runStateChanged();
}

void TrainingState::setTestMode(bool test) {
    if (change(Test, test))
        emit runStateChanged();
}

void TrainingState::setDynamicReading(bool dynamic) {
    if (change(Dynamic, dynamic))
        emit runStateChanged();
}

void TrainingState::setCourseRunning(bool running) {
    if (change(Course, running))
        emit runStateChanged();
}

#pragma once

#include "training/ExerciseKind.h"
#include "training/TestResults.h"

#include <QObject>
#include <QString>

// The values several windows read: the speed, the reading-field width, the exercise font and
// its measured metrics, the recommendations, the table size, the alignment, the last exercise
// and the run state. The frame owns one; its controls write it, and every window reads it and
// listens to the signal of the group it cares about. A setter signals only a real change,
// except where its comment says otherwise.
class TrainingState : public QObject {
    Q_OBJECT
public:
    explicit TrainingState(QObject* parent = nullptr);

    // --- Speed: the regulator's position and the milliseconds per character it gives --------
    int SpeedPosition() const { return Position; }
    int CharInterval() const { return Interval; }
    // The speed in characters per minute (the position raised to the regulator's minimum).
    int speed() const;
    void setSpeedPosition(int position);

    // --- Reading field ------------------------------------------------------------------------
    int ReadingFieldWidth() const { return FieldWidth; }
    void setReadingFieldWidth(int width);
    // The largest width the window on show allows; signals every time it is set.
    int ReadingFieldLimit() const { return FieldLimit; }
    void setReadingFieldLimit(int limit);

    // --- Font and its metrics ---------------------------------------------------------------
    QString FontName() const { return Name; }
    int FontSize() const { return Size; }
    void setFontName(const QString& name);
    void setFontSize(int size);
    // Measured by the frame whenever the font changes, before fontChanged reaches anyone else.
    int CharWidth() const { return Metrics.CharWidth; }
    int CharHeight() const { return Metrics.CharHeight; }
    int SpaceWidth() const { return Metrics.SpaceWidth; }
    struct FontMetrics {
        int CharWidth = 0;
        int CharHeight = 0;
        int SpaceWidth = 0;
    };
    void setFontMetrics(const FontMetrics& metrics) { Metrics = metrics; }

    // The window system's edges, set once by the frame.
    int FrameWidth() const { return Edges.FrameWidth; }
    int EdgeWidth() const { return Edges.EdgeWidth; }
    int EdgeWidth2() const { return 2 * Edges.EdgeWidth; }
    int EdgeWidth4() const { return 4 * Edges.EdgeWidth; }
    int ScrollWidth() const { return Edges.ScrollWidth; }
    struct WindowEdges {
        int FrameWidth = 0;
        int EdgeWidth = 0;
        int ScrollWidth = 0;
    };
    void setWindowEdges(const WindowEdges& edges) { Edges = edges; }

    // --- Widths the exercise windows and the frame share -------------------------------------
    // The text column's width in pixels: the stored one at start, then the text window's ruler
    // as it changes (kept in the settings at close, checked by the course).
    int TextColumnWidth() const { return ColumnWidth; }
    void setTextColumnWidth(int width) { ColumnWidth = width; }
    int MinWidthText() const { return MinText; }
    int MinWidthString() const { return MinString; }
    void setMinWidthText(int width);
    void setMinWidthString(int width);

    // --- Recommendations --------------------------------------------------------------------
    int RecommendSpeed() const { return RecSpeed; }
    int RecommendWide() const { return RecWide; }
    void setRecommendation(int speed, int wide);

    // --- Table size ---------------------------------------------------------------------------
    int Column() const { return Columns; }
    int Row() const { return Rows; }
    void setTableSize(int columns, int rows);

    // --- Text alignment: 0 left, 1 right, 2 centre ----------------------------------------
    int TextAlignment() const { return Alignment; }
    void setTextAlignment(int alignment);

    // --- The exercise activated last (an ExerciseKind code), for the tips ----------------------
    int LastExercise() const { return Last; }
    void setLastExercise(int kind) { Last = kind; }

    // --- The last tests' figures, which the course takes as a test stage ends ------------
    const TestResults& LastTests() const { return Tests; }
    // The field-of-view window's score and its line's width in characters.
    void setLineTest(int scorePercent, int lineChars) {
        Tests.LineScorePercent = scorePercent;
        Tests.LineChars = lineChars;
    }
    // The text test's score and measured speed.
    void setTextTest(int scorePercent, int speed) {
        Tests.TextScorePercent = scorePercent;
        Tests.TextSpeed = speed;
    }

    // --- Run state --------------------------------------------------------------------------
    ExerciseKind ChosenKind() const { return Kind; }
    bool Running() const { return IsRunning; }
    bool TestMode() const { return Test; }
    bool DynamicReading() const { return Dynamic; }
    bool CourseRunning() const { return Course; }
    bool Markers() const { return ShowMarkers; }
    // "Сначала" was pressed: the next course starts at level 1, ignoring the stored values.
    bool RestartCourse() const { return Restart; }
    // The program is closing: windows let themselves be closed and take no more steps.
    bool Closing() const { return IsClosing; }
    void setChosenKind(ExerciseKind kind);
    void setRunning(bool running);
    void setTestMode(bool test);
    void setDynamicReading(bool dynamic);
    void setCourseRunning(bool running);
    void setMarkers(bool shown) { ShowMarkers = shown; }
    void setRestartCourse(bool restart) { Restart = restart; }
    void setClosing() { IsClosing = true; }

signals:
    void speedChanged();
    void readingFieldWidthChanged();
    void readingFieldLimitChanged();
    void fontChanged();
    void minimumWidthsChanged();
    void recommendationChanged();
    void tableSizeChanged();
    void alignmentChanged();
    void runStateChanged();

private:
    // Sets field to value; true when that changed it.
    template <typename T> static bool change(T& field, const T& value) {
        if (field == value)
            return false;
        field = value;
        return true;
    }

    int Position = 100;
    int Interval = 60;
    int FieldWidth = 10;
    int FieldLimit = 10000;
    QString Name = QStringLiteral("Arial");
    int Size = 12;
    FontMetrics Metrics;
    WindowEdges Edges;
    int ColumnWidth = 140;
    int MinText = 0;
    int MinString = 0;
    int RecSpeed = 1000;
    int RecWide = 10;
    int Columns = 4;
    int Rows = 3;
    int Alignment = 0;
    int Last = 0;
    TestResults Tests;
    ExerciseKind Kind = ExerciseKind::Text;
    bool IsRunning = false;
    bool Test = false;
    bool Dynamic = true;
    bool Course = false;
    bool ShowMarkers = true;
    bool Restart = false;
    bool IsClosing = false;
};

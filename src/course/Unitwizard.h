#pragma once

#include "course/CourseStage.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QTextEdit;
class TAssistantForm;
class TrainingState;

// The course guide: a small tool window under the assistant that lists the steps of the
// current stage, with a legend of their colours and the switch for the on-screen markers.
class TWizardForm : public QWidget {
    Q_OBJECT
public:
    // A tool window of the frame; the markers switch reads and writes the state's Markers.
    TWizardForm(QWidget* frame, TrainingState& state);
    void setAssistant(TAssistantForm* assistant) { Assistant = assistant; }

    // Replaces the steps shown, one line each.
    void setSteps(const QStringList& lines);
    // Colours the lines by their states, line 0 first. Returns how many lines there are.
    int setLineStates(const std::array<LineState, CourseStage::LineCount>& states);
    // The colour of a line as shown.
    QColor lineColour(int line) const;

    void CheckBoxShowRedMarkersClick(bool checked);
    // The course's markers are to be shown ("маркеры текущего этапа" ticked).
    bool markersShown() const;
    // Under the assistant, at its left edge.
    void FormShow();
    // The guide moved: it snaps to the assistant's nearby edges.
    void SnapToAssistant();

signals:
    // The markers switch changed: the frame shows or hides the markers.
    void markersSwitched(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    QCheckBox* CheckBoxShowRedMarkers = nullptr;
    QLabel* Image1 = nullptr;       // the sample marker beside the check box
    QFrame* Panel1 = nullptr;       // disabled, so the steps cannot be selected or edited
    QTextEdit* RichEdit1 = nullptr; // the steps of the stage
    QFrame* Bevel1 = nullptr;
    QLabel* Label4 = nullptr; // "Этапы:"
    QLabel* Shape3 = nullptr; // red circle
    QLabel* Label3 = nullptr; // "текущие"
    QLabel* Shape2 = nullptr; // silver circle
    QLabel* Label1 = nullptr; // "выполненные"
    QLabel* Shape1 = nullptr; // black circle
    QLabel* Label2 = nullptr; // "невыполненные"
    void placeUnderAssistant();
    // As wide as the longest step and as tall as all the steps need, never smaller than
    // designed; the legend moves down under the steps.
    void fitSteps(const QStringList& lines);

    TrainingState& State;
    TAssistantForm* Assistant = nullptr;
    int ExtraHeight = 0; // of the steps' panel beyond its designed height
};

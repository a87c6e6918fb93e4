#pragma once

// Context ids of the help topics that the windows and controls carry. The help
// directory maps each of them to a page (help/contexts.txt).
namespace HelpContext {
inline constexpr int Course = 150;            // assistant and guide windows
inline constexpr int FontSize = 240;          // font size list
inline constexpr int ReadingFieldWidth = 260; // reading-field width spin edit
inline constexpr int SpeedRegulator = 280;    // speed track bar
inline constexpr int TableSizePicker = 290;   // drop-down table size picker
inline constexpr int TextWindow = 300;        // text reading window
inline constexpr int TextQuestions = 340;     // text test questions
inline constexpr int ClozeTest = 350;         // test on the user's own text
inline constexpr int FieldOfViewWindow = 360; // test line window
inline constexpr int FieldOfViewAnswer = 390; // field-of-view test answer
inline constexpr int TableWindow = 410;       // table reading window
inline constexpr int TableQuestions = 440;    // table test questions
inline constexpr int SchulteWindow = 470;     // Schulte tables window
inline constexpr int SchulteResult = 480;     // Schulte tables result
inline constexpr int Diary = 490;             // training diary window
inline constexpr int FlashWindow = 520;       // flash reading window
} // namespace HelpContext

#pragma once

#include <QObject>
#include <QString>

#include <deque>
#include <functional>

class DiaryStore;
class QDialog;
class QWidget;

// Tells the user what the diary reports (trouble with its file, a backup to restore), one
// message at a time, never before the splash has closed and never over another dialog the user
// is answering.
class DiaryMessages : public QObject {
public:
    DiaryMessages(QWidget* main, DiaryStore& diary, QDialog* splash);

private:
    void enqueue(std::function<void()> show);
    void showNext();
    void offerRestore(const QString& backup);

    QWidget* Main;
    DiaryStore& Diary;
    bool SplashClosed = false;
    bool Showing = false;
    std::deque<std::function<void()>> Waiting;
};

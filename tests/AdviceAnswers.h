#pragma once

#include "Controls.h"
#include "dialogs/Unitadvice.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>

// Answers every advice dialog that opens while it lives: notes the tip shown and whether
// "советовать" was ticked, lets the test act on the open dialog, then presses OK.
class AdviceAnswers : public QObject {
public:
    AdviceAnswers() {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<TAdviceForm*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            Tips.append(control<QLabel>(dialog, "Label1")->text());
            TickedWhenShown.append(control<QCheckBox>(dialog, "CheckBox1")->isChecked());
            if (WhileOpen)
                WhileOpen(dialog);
            control<QPushButton>(dialog, "BitBtn1")->click();
        });
        poll->start(5);
    }

    QStringList Tips;
    QList<bool> TickedWhenShown;
    std::function<void(TAdviceForm*)> WhileOpen;
};

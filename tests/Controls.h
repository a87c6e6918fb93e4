#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The control a window keeps to itself, found as a user's tool finds it: by its object name,
// or by a path of names ("Panel7/Label1") where a name alone would be ambiguous. A test reads
// and drives it as the user does; a control that is not there stops the test at once.
template <typename T> T* control(const QObject* window, const char* path) {
    const QObject* at = window;
    for (const QString& name : QString::fromLatin1(path).split(QLatin1Char('/'))) {
        at = at ? at->findChild<QObject*>(name) : nullptr;
    }
    T* found = qobject_cast<T*>(const_cast<QObject*>(at));
    if (!found)
        qFatal("no control %s in %s", path, qPrintable(window->objectName()));
    return found;
}

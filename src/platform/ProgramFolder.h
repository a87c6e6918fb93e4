#pragma once

#include <QString>

// What decides whether the program may keep a user's files (the reading places) beside itself.
// A copy that a user built or unpacked in a folder of their own keeps them there; a copy that
// the system installed does not, whoever runs it, root included: its folder belongs to the
// package, and a file left there would be readable by every user and outlive the package.
struct ProgramFolder {
    QString path;          // absolute, links resolved
    uint ownerId = 0;      // the folder's owner
    bool writable = false; // by the user who runs the program
};

// The facts of an existing folder for the user who runs the program.
ProgramFolder programFolder(const QString& path);

// The user who runs the program (its effective user).
uint currentUserId();

// True when the folder is not the user's to write: the user cannot write it, another user owns
// it, or it is a root-owned folder of the system's own tree (/usr, /opt, /bin, /lib, /etc...).
bool isSystemFolder(const ProgramFolder& folder, uint userId);

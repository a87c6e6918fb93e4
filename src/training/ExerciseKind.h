#pragma once

// The exercise whose window is the frame's active child. The numbers are the codes the
// program stores and compares (the last exercise activated, the advice lists).
enum class ExerciseKind { Text = 0, FieldOfView = 1, Table = 2, Schulte = 3, Flash = 4 };

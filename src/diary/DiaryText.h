#pragma once

#include "training/RunResult.h"

#include <QString>

// How the diary writes a record's figures for the user.
namespace DiaryText {

// The outcome in a few words: "3 из 5 (60 %)", "верно: 31 и 75", "остановлено" …
QString result(const RunResult& result);
// A figure (speed, width, count) as the table and the CSV file show it: empty where the
// record has none (0 or less).
QString figure(int value);
// A duration as minutes and seconds: "2:05".
QString duration(qint64 ms);
// The course level and stage, "уровень 3, этап 5", or empty when no course ran.
QString course(const RunResult& result);

// A name with its bidirectional controls (embeddings, overrides, isolates and marks) written out
// as "<U+202E>", so that a name cannot show itself reversed or in another order.
QString visible(const QString& name);

} // namespace DiaryText

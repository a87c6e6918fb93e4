#pragma once

#include "schulte/SchulteSettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

// The settings beside the Schulte grid: size, variant, found cells marked, a reshuffle after
// every find, the fixation dot; and the best time for the chosen size and variant.
class SchulteSettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SchulteSettingsPanel(QWidget* parent);

    void setSettings(const SchulteSettings& settings);
    SchulteSettings settings() const;
    // "Лучшее время: 25,4 с", or that there is none yet.
    void setBestTime(const QString& text);

signals:
    // The user changed a setting.
    void changed();

private:
    QComboBox* SizeBox = nullptr;
    QComboBox* VariantBox = nullptr;
    QCheckBox* MarkFoundBox = nullptr;
    QCheckBox* ReshuffleBox = nullptr;
    QCheckBox* DotBox = nullptr;
    QLabel* BestTime = nullptr;
    // Sizes the letters do not fit are offered only with another variant.
    void allowSizesFor(SchulteVariant variant);
};

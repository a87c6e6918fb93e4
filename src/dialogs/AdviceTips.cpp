#include "dialogs/AdviceTips.h"

namespace {

// Shown for the text and for the table exercise alike.
const QString& recommendedValuesTip() {
    static const QString tip = QStringLiteral("Старайтесь придерживаться рекомендуемых значений\n"
                                              "скорости проигрывания текста и ширины области\n"
                                              "чтения. Эти параметры отражены в строке состояния\n"
                                              "[С(рек):...симв/мин, Ш(рек):...симв].");
    return tip;
}

} // namespace

const QStringList& TextAdviceTexts() {
    static const QStringList tips{
        QStringLiteral("Начав с простого Статического чтения,\n"
                       "плавно переходите к более реальному\n"
                       "Динамическому чтению."),
        recommendedValuesTip(),
        QStringLiteral("Для успешного развития навыков быстрого\n"
                       "чтения, читайте текст, фиксируя взгляд\n"
                       "на центре выделенной области."),
    };
    return tips;
}

const QStringList& StringAdviceTexts() {
    static const QStringList tips{
        QStringLiteral("Тестируйте себя, изменяя параметры скорости\n"
                       "и ширины области чтения до тех пор,\n"
                       "пока не обнаружите предел своих возможностей."),
        QStringLiteral("Это упражнение дает возможность пользователю не\n"
                       "только оценить свой уровень развития навыков\n"
                       "скорочтения и периферического зрения, но и\n"
                       "настроить параметры других упражнений."),
        QStringLiteral("For successful development of the field of sight,\n"
                       "it is necessary to look at the marker in the center\n"
                       "of the Test Line  while observing changes\n"
                       "in the line with your peripheral sight."),
        QStringLiteral("Не старайтесь обмануть систему, это может\n"
                       "привести к искажению рекомендуемых значений\n"
                       "и свести Ваши усилия к нулю."),
    };
    return tips;
}

const QStringList& TableAdviceTexts() {
    static const QStringList tips{
        recommendedValuesTip(),
        QStringLiteral("Для успешного развития периферического\n"
                       "зрения нужно стараться смотреть на маркер\n"
                       "в центре Тестовой строки, а изменения\n"
                       "в строке наблюдать периферическим зрением."),
    };
    return tips;
}

int takeNextAdvice(int& index, int count) {
    const int shown = index >= 0 && index < count ? index : 0;
    index = shown + 1 < count ? shown + 1 : 0;
    return shown;
}

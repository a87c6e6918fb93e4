#include "shell/StoredSettings.h"

#include "platform/StoredNumber.h"

#include <QSettings>

#include <limits>
#include <optional>

namespace {

// Reads values one by one; the first missing or malformed value spoils the whole read.
class Reader {
public:
    explicit Reader(const QSettings& store) : Store(store) {}

    int integer(const char* name) {
        const std::optional<int> value = StoredNumber::read(Store, QLatin1String(name));
        if (!value)
            Failed = true;
        return value.value_or(0);
    }
    bool flag(const char* name) { return integer(name) != 0; }
    QString string(const char* name) { return Store.value(QLatin1String(name)).toString(); }
    bool failed() const { return Failed; }

private:
    const QSettings& Store;
    bool Failed = false;
};

void bringIntoRange(StoredSettings& s) {
    using StoredNumber::broughtIntoRange;
    using StoredNumber::OutOfRange;
    const StoredSettings d;
    s.FontSize = broughtIntoRange(s.FontSize, d.FontSize, {1, 500, OutOfRange::Default});
    s.WideExpression =
        broughtIntoRange(s.WideExpression, d.WideExpression, {10, 10000, OutOfRange::Nearest});
    s.WidthFormatStr = broughtIntoRange(s.WidthFormatStr, d.WidthFormatStr,
                                        {1, std::numeric_limits<int>::max(), OutOfRange::Default});
    s.SpeedTrackBarPosition = broughtIntoRange(s.SpeedTrackBarPosition, d.SpeedTrackBarPosition,
                                               {0, 1000, OutOfRange::Nearest});
    s.Column = broughtIntoRange(s.Column, d.Column, {1, 10, OutOfRange::Nearest});
    s.Row = broughtIntoRange(s.Row, d.Row, {1, 10, OutOfRange::Nearest});
    // The window's size is one value: a side of no pixels spoils both.
    if (s.Width < 1 || s.Height < 1) {
        s.Width = d.Width;
        s.Height = d.Height;
    }
    s.WindowState = broughtIntoRange(s.WindowState, d.WindowState, {0, 2, OutOfRange::Default});
}

} // namespace

StoredSettings readStoredSettings(const QSettings& store) {
    Reader r(store);
    StoredSettings s;
    s.Top = r.integer("Top");
    s.Left = r.integer("Left");
    s.Width = r.integer("Width");
    s.Height = r.integer("Height");
    s.WindowState = r.integer("WindowState");
    s.FontName = r.string("FontName");
    s.FontSize = r.integer("FontSize");
    s.TextAlignment = r.integer("TextAlignment");
    s.WideExpression = r.integer("WideExpression");
    s.WidthFormatStr = r.integer("WidthFormatStr");
    s.SpeedTrackBarPosition = r.integer("SpeedTrackBarPosition");
    s.RecommendWide = r.integer("RecommendWide");
    s.RecommendSpeed = r.integer("RecommendSpeed");
    s.Column = r.integer("Column");
    s.Row = r.integer("Row");
    s.TextAdvice = r.flag("TextAdvice");
    s.StringAdvice = r.flag("StringAdvice");
    s.TableAdvice = r.flag("TableAdvice");
    s.CurrentTextAdvice = r.integer("CurrentTextAdvice");
    s.CurrentStringAdvice = r.integer("CurrentStringAdvice");
    s.CurrentTableAdvice = r.integer("CurrentTableAdvice");
    s.Assistant = r.flag("Assistant");
    s.Markers = r.flag("Markers");
    if (r.failed())
        return StoredSettings{};
    bringIntoRange(s);
    return s;
}

void writeWindowBounds(QSettings& store, int top, int left, int width, int height) {
    store.setValue(QStringLiteral("Top"), top);
    store.setValue(QStringLiteral("Left"), left);
    store.setValue(QStringLiteral("Width"), width);
    store.setValue(QStringLiteral("Height"), height);
}

void writeStoredSettings(QSettings& store, const StoredSettings& s, bool withBounds) {
    if (withBounds)
        writeWindowBounds(store, s.Top, s.Left, s.Width, s.Height);
    store.setValue(QStringLiteral("WindowState"), s.WindowState);
    store.setValue(QStringLiteral("FontName"), s.FontName);
    store.setValue(QStringLiteral("FontSize"), s.FontSize);
    store.setValue(QStringLiteral("TextAlignment"), s.TextAlignment);
    store.setValue(QStringLiteral("WideExpression"), s.WideExpression);
    store.setValue(QStringLiteral("WidthFormatStr"), s.WidthFormatStr);
    store.setValue(QStringLiteral("SpeedTrackBarPosition"), s.SpeedTrackBarPosition);
    store.setValue(QStringLiteral("RecommendWide"), s.RecommendWide);
    store.setValue(QStringLiteral("RecommendSpeed"), s.RecommendSpeed);
    store.setValue(QStringLiteral("Column"), s.Column);
    store.setValue(QStringLiteral("Row"), s.Row);
    store.setValue(QStringLiteral("TextAdvice"), int(s.TextAdvice));
    store.setValue(QStringLiteral("StringAdvice"), int(s.StringAdvice));
    store.setValue(QStringLiteral("TableAdvice"), int(s.TableAdvice));
    store.setValue(QStringLiteral("CurrentTextAdvice"), s.CurrentTextAdvice);
    store.setValue(QStringLiteral("CurrentStringAdvice"), s.CurrentStringAdvice);
    store.setValue(QStringLiteral("CurrentTableAdvice"), s.CurrentTableAdvice);
    store.setValue(QStringLiteral("Assistant"), int(s.Assistant));
    store.setValue(QStringLiteral("Markers"), int(s.Markers));
}

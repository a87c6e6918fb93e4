#include "app/Program.h"
#include "app/SettingsFolderFailure.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    setUpApplication(app);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String(SettingsFolderFailure::Option))
        return SettingsFolderFailure::report(arguments.value(2));
    try {
        Program program(QCoreApplication::applicationDirPath());
        if (!program.isReady())
            return 1;
        // "skimora book.fb2": the file opens after the splash.
        if (arguments.size() > 1)
            program.openAfterSplash(arguments.at(1));
        program.show();
        return app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Ошибка"),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }
}

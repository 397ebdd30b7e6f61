// vardenholm: the desktop game. The command line gives the program directory (where default.map and
// the scenarios/ folder are); test runs may name a scenario and house to skip the start menu.
#include "ui/game_app.h"
#include "ui/ui_text.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vh::ui::applyApplicationFont(0);
    vh::ui::installQtJapanese(app);
    vh::ui::AppOptions options;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--program-dir" && hasValue)
            options.programDir = args[++i];
        else if (a == "--scenario" && hasValue)
            options.scenario = args[++i];
        else if (a == "--house" && hasValue)
            options.house = args[++i].toInt();
        else if (a == "--screenshots" && hasValue)
            options.screenshotDir = args[++i];
        else if (!a.startsWith("--") && options.programDir.isEmpty())
            options.programDir = a;
        else {
            std::fprintf(stderr, "usage: vardenholm [--program-dir DIR] [--scenario FILE [--house N]] "
                                 "[--screenshots OUTDIR]\n");
            return 2;
        }
    }
    if (options.programDir.isEmpty())
        options.programDir =
            vh::ui::defaultProgramDir(QApplication::applicationDirPath(), VH_SOURCE_DATA_DIR);
    vh::ui::GameApp game(options);
    if (!game.start()) return 1;
    return app.exec();
}

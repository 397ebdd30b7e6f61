// Helpers of the window tests: a program directory with the fixture map and scenario, a watchdog
// against dialogs left waiting, and answering the next modal dialog from a timer.
#pragma once

#include "context/game.h"
#include "fixture_world.h"
#include "ui/field_battle_window.h"
#include "ui/field_formation_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui/siege_window.h"
#include "world/map_file.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace vh::test {

// A program directory: default.map (the four-province fixture map) and scenarios/fixture.snr.
struct ProgramDir {
    QTemporaryDir dir;
    ProgramDir() {
        MapData map;
        buildFixtureMap(map);
        writeMapFile(path("default.map").toStdString(), map);
        QDir(dir.path()).mkpath("scenarios");
        QFile::copy(QString(VH_TEST_DATA_DIR) + "/ui/fixture.snr", scenario());
    }
    QString path(const QString& name) const { return QDir(dir.path()).absoluteFilePath(name); }
    QString scenario() const { return path("scenarios/fixture.snr"); }
};

// Ends the test program if it is still running after `ms`: a failed check inside a dialog callback
// would otherwise leave exec() waiting for ever.
inline void armWatchdog(int ms = 20000) {
    QTimer::singleShot(ms, qApp, [] {
        QWidget* w = QApplication::activeModalWidget();
        QString what = w ? QString(w->metaObject()->className()) + " " + w->windowTitle() : "no dialog";
        if (auto* box = qobject_cast<QMessageBox*>(w)) what += ": " + box->text();
        qFatal("watchdog: still waiting (%s)", qPrintable(what));
    });
}

// Calls `fn` with the next modal dialog of type T once it is shown (polled every 20 ms). Delete the
// returned timer to stop waiting.
template <class T> QTimer* whenModal(std::function<void(T*)> fn) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, fn] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        fn(w);
    });
    timer->start(20);
    return timer;
}

// Answers the next message box: records its text and presses the given button.
inline QTimer* answerMessage(QString* text, QMessageBox::StandardButton button = QMessageBox::Ok) {
    return whenModal<QMessageBox>([text, button](QMessageBox* box) {
        if (text) *text = box->text();
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

// Answers every message box that appears from now on with OK or Yes, logging its text: the rules'
// own messages of a month (events, deaths) must not stop a test.
// A question whose text is `sayNoTo` is answered with No instead.
// With `playSieges` a siege window the month opens is played through too (defending or storming
// each turn, then 閉じる), and so is a field battle the player's generals meet on the road or
// before a castle (the first unit in the 本陣, the others in the first line that takes them, then 待機 turn by
// turn).
inline QTimer* autoAnswer(QStringList* log, const QString& sayNoTo = {}, bool playSieges = false) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [log, sayNoTo, playSieges] {
        // The month's reports and questions (accounts, harvest, weather, envoys) take their
        // default answer, as a message box takes OK.
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible() && dialog->property("vhRoutineDialog").toBool()) {
            dialog->accept();
            return;
        }
        // A siege of the player's castle (or by his army) the month brings: defend or storm turn by
        // turn, then close the window once the siege is over.
        if (auto* siege = qobject_cast<ui::SiegeWindow*>(dialog); playSieges && siege && siege->isVisible()) {
            for (const char* caption : {"閉じる", "城内で防戦", "強襲"})
                if (QPushButton* b = siege->button(caption); b && b->isVisible() && b->isEnabled()) {
                    // Later: the turn's messages open inside the click and need this timer again.
                    QTimer::singleShot(0, b, &QPushButton::click);
                    return;
                }
            return;
        }
        if (auto* form = qobject_cast<ui::FieldFormationDialog*>(dialog); playSieges && form && form->isVisible()) {
            // The first unit leads from the 本陣, the others go to the first line that takes them.
            for (int line : {2, 0, 1, 2}) {
                if (form->allPlaced()) break;
                std::vector<int> units;
                for (int i = 0; i < form->unplacedList()->topLevelItemCount(); ++i)
                    units.push_back(form->unplacedList()->topLevelItem(i)->data(0, Qt::UserRole + 1).toInt());
                if (line == 2 && units.size() > 1) units.erase(units.begin() + 1, units.end());
                form->selectUnits(units);
                form->placeSelected(line);
            }
            if (form->allPlaced() && form->okButton()->isEnabled())
                QTimer::singleShot(0, form->okButton(), &QPushButton::click);
            return;
        }
        if (auto* field = qobject_cast<ui::FieldBattleWindow*>(dialog); playSieges && field && field->isVisible()) {
            for (QPushButton* b : {field->closeButton(), field->orderButton(kOrderHold)})
                if (b && b->isVisible() && b->isEnabled()) {
                    QTimer::singleShot(0, b, &QPushButton::click);
                    return;
                }
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        if (log) log->append(box->text());
        QAbstractButton* no = box->button(QMessageBox::No);
        if (no && box->text() == sayNoTo)
            no->click();
        else if (QAbstractButton* b = box->button(QMessageBox::Ok))
            b->click();
        else if (QAbstractButton* y = box->button(QMessageBox::Yes))
            y->click();
        else
            box->reject();
    });
    timer->start(20);
    return timer;
}

// The rows of a list, each as its cells joined by "/".
inline QStringList rows(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c);
        out << cells.join("/");
    }
    return out;
}

// Clicks a list's row as the player does (with the modifiers held, for multiple selections).
inline void clickRow(QTreeWidget* list, int row, Qt::KeyboardModifiers mods = {}) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    QVERIFY(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, list->visualItemRect(item).center());
}

// What the command windows' tests share: a game on the fixture world with 武田家 (house 0) as the
// player's, in a main window with the Qt frontend attached. The test adjusts the world between
// newFixtureGame() and attachWindow() or openWindow().
struct WindowGame {
    std::unique_ptr<Game> game;
    ui::QtFrontend frontend;
    std::unique_ptr<ui::MainWindow> window;
    QStringList messages; // the message boxes answered since openWindow()
    std::unique_ptr<QTimer> answering;

    WorldState& world() { return game->world; }
    WorldState& newFixtureGame() {
        game = std::make_unique<Game>();
        buildFixtureWorld(game->world);
        game->world.playerHouse = 0;
        return game->world;
    }
    void attachWindow() {
        window = std::make_unique<ui::MainWindow>(*game);
        frontend.attach(window.get());
        game->frontend = &frontend;
    }
    // Also shows the window and answers every message box from then on (autoAnswer).
    void openWindow() {
        attachWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        messages.clear();
        answering.reset(autoAnswer(&messages));
    }
    void closeWindow() {
        answering.reset();
        game->frontend = nullptr;
        window.reset();
        game.reset();
    }
    void showPlayerPhase(int phase) {
        game->world.phase = phase;
        window->showPhase(phase);
        window->setPlayerTurn(true);
    }
    // Presses the window's visible button of this caption, as the player clicks it.
    void press(const QString& caption) {
        for (QPushButton* b : window->findChildren<QPushButton*>())
            if (b->text() == caption && b->isVisible()) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        QFAIL(qPrintable(caption));
    }
};

// A mouse event with the buttons held, as a drag produces it.
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace vh::test

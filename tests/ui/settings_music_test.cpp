// Preferences, music and help: vrdhm.dat written and read back byte for byte through the music
// dialog, the save folder remembered, music switched off and on again (really played through
// FluidSynth into a file), silence without a sound device, the game switching its pieces, and the
// help pages with their links.
#include "ui/app_services.h"
#include "ui/game_app.h"
#include "ui/game_dialogs.h"
#include "ui/help_window.h"
#include "ui/music_dialog.h"
#include "ui/version_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace vh;
using namespace vh::ui;

namespace {

const QString kDataDir = QString(VH_TEST_DATA_DIR) + "/../../data";

// A program directory holding the game's two pieces.
struct MusicDir {
    QTemporaryDir dir;
    MusicDir() {
        QDir(dir.path()).mkpath("music");
        for (const char* name : {"main.mid", "battle.mid"})
            QFile::copy(kDataDir + "/music/" + name, path(QString("music/") + name));
    }
    QString path(const QString& name) const { return QDir(dir.path()).absoluteFilePath(name); }
};

// Renders into /dev/null instead of a sound device, so the player really runs.
MusicPlayer::Options fileOutput() {
    MusicPlayer::Options o;
    o.drivers = {"file"};
    o.outputFile = "/dev/null";
    return o;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class SettingsMusicTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { test::armWatchdog(60000); }

    void firstRunDefaultsAndTheMusicDialogWritesTheFile() {
        MusicDir pd;
        QTemporaryDir config;
        AppServices s(pd.dir.path(), config.path(), fileOutput());
        // No vrdhm.dat yet: the program's directory and the two default names.
        QCOMPARE(s.saveDir(), QDir(pd.dir.path()).absolutePath());
        QCOMPARE(QString::fromStdString(std::string(s.settings().musicName(kBattleMusic))),
                 QString("battle.mid"));
        QVERIFY(!QFile::exists(pd.path("vrdhm.dat")));

        // OK without a change writes nothing.
        test::whenModal<MusicDialog>([](MusicDialog* d) {
            QCOMPARE(d->windowTitle(), QString("MIDIファイル名設定"));
            QCOMPARE(d->nameField(kOrdinaryMusic)->text(), QString("main.mid"));
            d->accept();
        });
        QVERIFY(!s.showMusicDialog(nullptr));
        QVERIFY(!QFile::exists(pd.path("vrdhm.dat")));

        // A new battle piece name: the file is written, exactly 337 bytes, fields at their offsets.
        test::whenModal<MusicDialog>([](MusicDialog* d) {
            d->nameField(kBattleMusic)->setText("ikusa.mid");
            d->accept();
        });
        QVERIFY(s.showMusicDialog(nullptr));
        const QByteArray bytes = fileBytes(pd.path("vrdhm.dat"));
        QCOMPARE(bytes.size(), 337);
        QCOMPARE(bytes.mid(256, 9), QByteArray("main.mid\0", 9));
        QCOMPARE(bytes.mid(296, 10), QByteArray("ikusa.mid\0", 10));
        QCOMPARE(bytes.at(336), '\0');
        QCOMPARE(QFile::decodeName(bytes.left(bytes.indexOf('\0'))), QDir(pd.dir.path()).absolutePath());

        // Cancel changes nothing.
        test::whenModal<MusicDialog>([](MusicDialog* d) {
            d->disableSwitch()->setChecked(true);
            d->reject();
        });
        QVERIFY(!s.showMusicDialog(nullptr));

        // A save folder used once is remembered; read back by the next run, byte for byte.
        s.rememberSaveDir(config.path());
        const QByteArray written = fileBytes(pd.path("vrdhm.dat"));
        AppServices next(pd.dir.path(), config.path(), fileOutput());
        QCOMPARE(next.saveDir(), QDir(config.path()).absolutePath());
        QCOMPARE(QString::fromStdString(std::string(next.settings().musicName(kBattleMusic))),
                 QString("ikusa.mid"));
        const auto image = settingsImage(next.settings());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size())), written);
    }

    void musicDisabledAndEnabledAgain() {
        MusicDir pd;
        QTemporaryDir config;
        AppServices s(pd.dir.path(), config.path(), fileOutput());
        MusicPlayer& m = s.music();
        m.openMusic();
        QVERIFY(m.isOpen(kOrdinaryMusic) && m.isOpen(kBattleMusic));
        m.playOrdinary();
        QCOMPARE(m.current(), int(kOrdinaryMusic));
        QVERIFY(m.isPlaying());
        QVERIFY(m.hasOutput());
        QTRY_VERIFY(m.outputPlaying());
        m.play(kBattleMusic);
        QCOMPARE(m.current(), int(kBattleMusic));
        QTRY_VERIFY(m.outputPlaying());

        // MIDI演奏禁止 stops at once and keeps the current piece in mind.
        SettingsFile off = s.settings();
        off.musicDisabled = 1;
        QVERIFY(s.applyMusicSettings(off));
        QVERIFY(!m.isPlaying());
        QVERIFY(!m.outputPlaying());
        QVERIFY(!m.isOpen(kOrdinaryMusic));
        m.playOrdinary(); // a new month while disabled stays silent
        QVERIFY(!m.isPlaying());
        QCOMPARE(fileBytes(s.settingsWritePath()).at(336), '\1');

        // Turned on again: the pieces are opened and the current one plays from the start.
        SettingsFile on = s.settings();
        on.musicDisabled = 0;
        QVERIFY(s.applyMusicSettings(on));
        QVERIFY(m.isOpen(kBattleMusic));
        QVERIFY(m.isPlaying());
        QTRY_VERIFY(m.outputPlaying());

        // A piece renamed to a missing file is silent; the other still plays.
        SettingsFile missing = s.settings();
        setMusicName(missing, kOrdinaryMusic, "nothing-here.mid");
        QVERIFY(s.applyMusicSettings(missing));
        QVERIFY(!m.isOpen(kOrdinaryMusic));
        m.playOrdinary();
        QVERIFY(!m.isPlaying());
        QVERIFY(!m.outputPlaying());
        m.play(kBattleMusic);
        QTRY_VERIFY(m.outputPlaying());

        // Quitting a game stops the music; the next game's first month starts it again.
        m.stop();
        QCOMPARE(m.current(), -1);
        QVERIFY(!m.outputPlaying());
    }

    void silenceWithoutASoundDevice() {
        MusicDir pd;
        QTemporaryDir config;
        MusicPlayer::Options none;
        none.drivers = {"no-such-driver", "another-missing-one"};
        AppServices s(pd.dir.path(), config.path(), none);
        QElapsedTimer t;
        t.start();
        s.music().openMusic();
        s.music().playOrdinary();
        QVERIFY(t.elapsed() < 5000); // failing drivers give up at once
        QVERIFY(!s.music().hasOutput());
        QVERIFY(s.music().isPlaying()); // the piece counts as current; it just makes no sound
        s.music().play(kBattleMusic);
        QVERIFY(!s.music().outputPlaying());
    }

    void theGameRemembersItsSaveFolderAndSwitchesItsMusic() {
        test::ProgramDir pd;
        QDir(pd.dir.path()).mkpath("music");
        for (const char* name : {"main.mid", "battle.mid"})
            QFile::copy(kDataDir + "/music/" + name, pd.path(QString("music/") + name));
        GameApp app(AppOptions{pd.dir.path(), pd.scenario(), 0, {}});
        QTemporaryDir saves;
        app.chooseSaveFile = [&](bool) { return QDir(saves.path()).absoluteFilePath("game.sav"); };
        QStringList shown;
        std::unique_ptr<QTimer> answering(test::autoAnswer(&shown));
        QVERIFY(app.start());
        QTRY_VERIFY_WITH_TIMEOUT(app.window()->endTurnButton()->isEnabled(), 15000);
        // First run: the program's directory; the ordinary piece started with the first month.
        QCOMPARE(app.saveDirectory(), QDir(pd.dir.path()).absolutePath());
        MusicPlayer& music = app.services()->music();
        QCOMPARE(music.current(), int(kOrdinaryMusic));
        QVERIFY(music.isPlaying());
        auto* frontend = dynamic_cast<QtFrontend*>(app.game().frontend);
        QVERIFY(frontend && frontend->battleMusic);
        frontend->battleMusic();
        QCOMPARE(music.current(), int(kBattleMusic));

        app.saveCurrentGame();
        QVERIFY(QFile::exists(QDir(saves.path()).absoluteFilePath("game.sav")));
        const QByteArray bytes = fileBytes(pd.path("vrdhm.dat"));
        QCOMPARE(bytes.size(), 337);
        QCOMPARE(QFile::decodeName(bytes.left(bytes.indexOf('\0'))), QDir(saves.path()).absolutePath());
        QCOMPARE(app.saveDirectory(), QDir(saves.path()).absolutePath());

        // Quitting the game stops its music; the start menu follows and ends the program.
        test::whenModal<StartMenuDialog>([](StartMenuDialog* menu) { menu->button("終了")->click(); });
        app.window()->quitAction()->trigger();
        QCOMPARE(music.current(), -1);
        QVERIFY(!music.isPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(app.ended(), 15000);
    }

    void helpOpensAtIntroAndEveryLinkLeadsToAPage() {
        QTemporaryDir config;
        AppServices s(kDataDir, config.path(),
                      MusicPlayer::Options{{"no-such-driver"}, kDefaultSoundFont, {}});
        QWidget owner;
        s.showHelp(&owner);
        HelpWindow* help = s.helpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(help->browser()->source().toLocalFile().endsWith("help/intro.html"));
        QVERIFY(help->browser()->toPlainText().contains("VARDENHOLM ヘルプ"));
        // Asked again, the same window comes back at the contents.
        s.showHelp(&owner);
        QCOMPARE(s.helpWindow(), help);

        const QDir dir(kDataDir + "/help");
        const QStringList pages = dir.entryList({"*.html"});
        for (const char* needed : {"intro.html", "play.html", "phases.html", "keys.html", "scenario.html",
                                   "cipher.html", "info.html", "settings.html"})
            QVERIFY2(pages.contains(needed), needed);
        const QRegularExpression link("href=\"([^\"#]+)\"");
        for (const QString& page : pages) {
            const QString html = QString::fromUtf8(fileBytes(dir.absoluteFilePath(page)));
            QVERIFY2(html.contains("<title>"), qPrintable(page));
            for (auto m = link.globalMatch(html); m.hasNext();) {
                const QString target = m.next().captured(1);
                QVERIFY2(dir.exists(target), qPrintable(page + " -> " + target));
            }
            // Every page is reachable from the contents or links back to it.
            if (page != "intro.html") QVERIFY2(html.contains("href=\"intro.html\""), qPrintable(page));
        }
    }

    void versionDialogNamesTheMapSource() {
        VersionDialog d;
        QCOMPARE(d.windowTitle(), QString("ﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(d.findChild<QLabel*>("version")->text(), "Version " + programVersion());
        QVERIFY(!programVersion().isEmpty());
        QCOMPARE(d.findChild<QLabel*>("mapCredit")->text(), QString("出典：地球地図日本（国土地理院）"));
        const QString licences = d.findChild<QTextBrowser*>()->toPlainText();
        for (const char* name : {"Qt", "FluidSynth", "TimGM6mb", "Noto"})
            QVERIFY2(licences.contains(name), name);
    }
};

QTEST_MAIN(SettingsMusicTest)
#include "settings_music_test.moc"

// The utility dialog: enciphering a scenario and deciphering it with the password, a wrong password
// leaving no output, the same file refused, and the benchmark from the start menu to its speed
// message and the end of the program.
#include "ui/game_app.h"
#include "ui/game_dialogs.h"
#include "ui/utility_dialog.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QSpinBox>

using namespace vh;
using namespace vh::ui;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Types a password into the next "パスワード入力" and presses OK.
QTimer* answerPassword(const QString& password) {
    return test::whenModal<PasswordDialog>([password](PasswordDialog* d) {
        QCOMPARE(d->windowTitle(), QString("パスワード入力"));
        d->field()->setText(password);
        d->accept();
    });
}

} // namespace

class UtilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { test::armWatchdog(90000); }

    void encipherAndDecipherWithThePassword() {
        QTemporaryDir dir;
        const QString plain = dir.filePath("plain.snr"), cipher = dir.filePath("cipher.snr"),
                      back = dir.filePath("back.snr"), wrong = dir.filePath("wrong.snr");
        const QByteArray head = "Title \"t\"\r\n";
        const QByteArray body = "StartYear 1560\r\nDaimyou {\r\n}\r\n";
        writeAll(plain, head + "Secret himitsu\r\n" + body);

        UtilityDialog d;
        QStringList sources, outputs;
        d.chooseSource = [&](const QString& title) {
            sources << title;
            return sources.size() == 1 ? plain : cipher;
        };
        d.chooseOutput = [&](const QString& title) {
            outputs << title;
            return outputs.size() == 1 ? cipher : outputs.size() == 2 ? wrong : back;
        };
        QString text;
        d.encipher();
        const QByteArray enciphered = readAll(cipher);
        QVERIFY(enciphered.startsWith(head));
        QVERIFY(!enciphered.contains("himitsu"));
        QVERIFY(enciphered.contains("Cipher : LEVEL1"));
        QCOMPARE(sources.first(), QString("暗号化するシナリオファイルを選択してください"));
        QCOMPARE(outputs.first(), QString("出力ファイル名を入力してください"));

        // A wrong password: the message, and no output file.
        answerPassword("nanika");
        test::answerMessage(&text);
        d.decipher();
        QCOMPARE(text, QString("パスワードが違います"));
        QVERIFY(!QFile::exists(wrong));
        QCOMPARE(sources.last(), QString("暗号解除するシナリオファイルを選択してください"));

        answerPassword("himitsu");
        d.decipher();
        QCOMPARE(readAll(back), head + "Secret : himitsu\r\n" + body);
    }

    void refusalsOfTheChosenFiles() {
        QTemporaryDir dir;
        const QString plain = dir.filePath("plain.snr");
        writeAll(plain, "Secret a\r\nTitle t\r\n");
        UtilityDialog d;
        QString text;
        int outputsAsked = 0;
        // A source that cannot be opened is refused before the output is asked for.
        d.chooseSource = [&](const QString&) { return dir.filePath("missing.snr"); };
        d.chooseOutput = [&](const QString&) {
            ++outputsAsked;
            return plain;
        };
        test::answerMessage(&text);
        d.encipher();
        QCOMPARE(text, QString("シナリオファイルが開けません"));
        QCOMPARE(outputsAsked, 0);
        // The same file as source and output.
        d.chooseSource = [&](const QString&) { return plain; };
        test::answerMessage(&text);
        d.encipher();
        QCOMPARE(text, QString("変換元ファイルと出力ファイルは同じ名前を指定しないでください"));
        QCOMPARE(readAll(plain), QByteArray("Secret a\r\nTitle t\r\n"));
        // Cancelled choosers do nothing at all.
        d.chooseOutput = [&](const QString&) { return QString(); };
        d.decipher();
    }

    void benchmarkFromTheStartMenu() {
        test::ProgramDir pd;
        GameApp app(AppOptions{pd.dir.path(), {}, -2, {}});
        app.chooseScenarioFile = [&] { return pd.scenario(); };
        QString speed;
        int yearsAsked = 0;
        // Start menu → Utility → VARDENHOLMベンチマーク → the scenario → years → the speed.
        test::whenModal<StartMenuDialog>([](StartMenuDialog* menu) { menu->button("Utility")->click(); });
        test::whenModal<UtilityDialog>([](UtilityDialog* u) {
            QCOMPARE(u->windowTitle(), QString("ユーティリティ"));
            for (QPushButton* b : u->findChildren<QPushButton*>())
                if (b->text().startsWith("VARDENHOLMベンチマーク")) b->click();
        });
        test::whenModal<BenchmarkYearsDialog>([&](BenchmarkYearsDialog* d) {
            ++yearsAsked;
            QCOMPARE(d->windowTitle(), QString("VARDENHOLMベンチマーク"));
            QCOMPARE(d->years(), 3);
            QCOMPARE(d->yearsField()->minimum(), 1);
            QCOMPARE(d->yearsField()->maximum(), 1000);
            d->yearsField()->setValue(2);
            d->accept();
        });
        QStringList shown;
        std::unique_ptr<QTimer> answering(test::autoAnswer(&shown));
        QVERIFY(app.start());
        QTRY_VERIFY_WITH_TIMEOUT(app.ended(), 60000);
        QVERIFY(!shown.isEmpty());
        speed = shown.last();
        QCOMPARE(yearsAsked, 1);
        QVERIFY2(speed.startsWith("実行速度 ") && speed.endsWith(" 秒／月"), qPrintable(speed));
        // Two years of months were run from the scenario's start, watched and seeded with 0, unless
        // a house unified the small test country first: then the run stopped there.
        const GameDate end = app.game().world.date;
        if (app.game().gameOver) {
            QVERIFY(dateBefore(end, GameDate{1562, 6}));
        } else {
            QCOMPARE(end.year, 1562);
            QCOMPARE(end.month, 5);
        }
        QVERIFY(app.game().world.spectator);
        QVERIFY(app.game().benchmark);
    }

    void benchmarkCancelledReturnsToTheMenu() {
        test::ProgramDir pd;
        GameApp app(AppOptions{pd.dir.path(), {}, -2, {}});
        app.chooseScenarioFile = [&] { return pd.scenario(); };
        int menus = 0;
        std::function<void(StartMenuDialog*)> onMenu = [&](StartMenuDialog* menu) {
            ++menus;
            if (menus == 1) {
                test::whenModal<StartMenuDialog>(onMenu);
                menu->button("Utility")->click();
            } else {
                menu->button("終了")->click();
            }
        };
        test::whenModal<StartMenuDialog>(onMenu);
        test::whenModal<UtilityDialog>([](UtilityDialog* u) {
            for (QPushButton* b : u->findChildren<QPushButton*>())
                if (b->text().startsWith("VARDENHOLMベンチマーク")) b->click();
        });
        test::whenModal<BenchmarkYearsDialog>([](BenchmarkYearsDialog* d) { d->reject(); });
        QVERIFY(app.start());
        QTRY_VERIFY_WITH_TIMEOUT(app.ended(), 30000);
        QCOMPARE(menus, 2);
        QVERIFY(!app.game().benchmark);
    }
};

QTEST_MAIN(UtilityTest)
#include "utility_test.moc"

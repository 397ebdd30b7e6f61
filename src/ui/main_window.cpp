// Layout and behaviour of the main window: clicks on the map, the view switches, command buttons.
#include "ui/main_window.h"

#include "context/game_text.h"
#include "game/display_rules.h"
#include "game/new_game.h"
#include "ui/command_table.h"
#include "ui/ranking_marker.h"
#include "ui/ui_text.h"
#include "ui/window_info.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

const char* const kHelpLines[] = {
    "マップ拡大表示中は、マウスの右ドラッグでスクロール可能です",
    "全国マップで国を左クリックすると、国拡大表示に切り替わります",
    "（国を右クリックすると、国拡大表示せずに選択国を切り替えることができます）",
};

// Keys of command buttons 1..12: the digits, then minus and equals.
const Qt::Key kCommandKeys[12] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5,     Qt::Key_6,
                                  Qt::Key_7, Qt::Key_8, Qt::Key_9, Qt::Key_0, Qt::Key_Minus, Qt::Key_Equal};

QString coordinatesText(int x, int y) {
    return QString::asprintf("(%3d,%3d)", x, y);
}

} // namespace

MainWindow::MainWindow(Game& game, QWidget* parent) : QMainWindow(parent), game_(game) {
    setWindowTitle("VARDENHOLM");
    auto* central = new QWidget(this);
    auto* outer = new QHBoxLayout(central);
    outer->setContentsMargins(6, 4, 6, 6);
    outer->setSpacing(8);

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    header_ = new HeaderStrip(game_.world, central);
    map_ = new MapView(game_.world, central);
    log_ = new QPlainTextEdit(central);
    log_->setReadOnly(true);
    log_->setFixedSize(560, 76);
    left->addWidget(header_);
    left->addWidget(map_);
    left->addSpacing(4);
    left->addWidget(log_);
    left->addStretch(1);
    outer->addLayout(left);
    outer->addWidget(buildRightPanel(), 1);
    setCentralWidget(central);
    buildMenus();

    connect(map_, &MapView::leftClicked, this, &MainWindow::onLeftClick);
    connect(map_, &MapView::rightPressed, this, &MainWindow::onRightPress);
    connect(map_, &MapView::pointerMoved, this,
            [this](QPoint m) { coords_->setText(coordinatesText(m.x(), m.y())); });
    pulse_.setInterval(100);
    connect(&pulse_, &QTimer::timeout, map_, &MapView::advancePulse);

    showPhase(0);
    setPlayerTurn(false);
    resetView();
}

QWidget* MainWindow::buildRightPanel() {
    auto* panel = new QWidget(this);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    phaseLabel_ = new QLabel(panel);
    phaseLabel_->setObjectName("phaseTitle");
    QFont big = phaseLabel_->font();
    big.setPixelSize(22);
    big.setBold(true);
    phaseLabel_->setFont(big);
    phaseLabel_->setAlignment(Qt::AlignCenter);
    phaseLabel_->setMinimumHeight(36);
    phaseLabel_->setStyleSheet("QLabel { background: #2c2218; color: #f0e2be; border-radius: 3px; }");
    v->addWidget(phaseLabel_);

    auto* turnRow = new QHBoxLayout;
    endTurn_ = new QPushButton("コマンド終了", panel);
    endTurn_->setShortcut(QKeySequence(Qt::Key_Return | Qt::ControlModifier));
    endTurn_->setToolTip("Ctrl+Enter");
    endTurn_->setMinimumHeight(30);
    auto_ = new QPushButton("AUTO", panel);
    auto_->setMinimumHeight(30);
    turnRow->addWidget(endTurn_, 2);
    turnRow->addWidget(auto_, 1);
    v->addLayout(turnRow);
    connect(endTurn_, &QPushButton::clicked, this, [this] {
        if (endTurn_->isEnabled()) emit endTurnRequested();
    });
    connect(auto_, &QPushButton::clicked, this, &MainWindow::autoProgressRequested);

    funds_ = new QLabel(panel);
    funds_->setObjectName("funds");
    v->addWidget(funds_);

    auto* info = new QGroupBox("国情報", panel);
    auto* grid = new QGridLayout(info);
    grid->setContentsMargins(6, 0, 6, 2);
    grid->setVerticalSpacing(0);
    for (int i = 0; i < 7; ++i)
        summary_[i] = new QLabel(info);
    grid->addWidget(summary_[0], 0, 0); // 国名      鉄砲生産
    grid->addWidget(summary_[2], 0, 1);
    grid->addWidget(summary_[1], 1, 0, 1, 2);
    grid->addWidget(summary_[3], 2, 0);
    grid->addWidget(summary_[4], 2, 1);
    grid->addWidget(summary_[5], 3, 0);
    grid->addWidget(summary_[6], 3, 1);
    v->addWidget(info);

    // Buttons 1..10 in two columns, odd numbers on the left; 11 and 12 never carry a caption.
    auto* cmdGrid = new QGridLayout;
    cmdGrid->setSpacing(3);
    for (int b = 1; b <= 12; ++b) {
        auto* btn = new QPushButton(panel);
        btn->setMinimumHeight(26);
        commands_[b - 1] = btn;
        connect(btn, &QPushButton::clicked, this, [this, b] { onCommand(b); });
        if (b > 10) continue;
        // Hidden buttons keep their place, so the panel does not jump at every phase change.
        QSizePolicy keep = btn->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        btn->setSizePolicy(keep);
        cmdGrid->addWidget(btn, (b - 1) / 2, (b - 1) % 2);
    }
    v->addLayout(cmdGrid);

    // Lower panel: buttons 11 and 12, the view switches and the information buttons to the left of
    // the ranking list.
    auto* lower = new QHBoxLayout;
    auto* switches = new QVBoxLayout;
    switches->setSpacing(2);
    switches->addWidget(commands_[10]);
    switches->addWidget(commands_[11]);
    colourCoding_ = new QCheckBox("色分け表示", panel);
    houseNames_ = new QCheckBox("大名家名表示", panel);
    houseNames_->setObjectName("houseNamesSwitch");
    magnify_ = new QCheckBox("マップ拡大表示", panel);
    switches->addWidget(colourCoding_);
    switches->addWidget(houseNames_);
    auto* infoButtons = new QGridLayout;
    infoButtons->setSpacing(3);
    int n = 0;
    for (const char* caption : {"連合一覧", "交易船一覧", "武将一覧", "大名家一覧"}) {
        auto* b = new QPushButton(caption, panel);
        connect(b, &QPushButton::clicked, this, [this, caption] {
            if (!openInformation(*this, caption)) notBuiltYet();
        });
        infoButtons->addWidget(b, n / 2, n % 2);
        ++n;
    }
    switches->addLayout(infoButtons);
    changeHouse_ = new QPushButton("担当大名変更", panel);
    changeHouse_->hide();
    switches->addWidget(changeHouse_);
    switches->addStretch(1);
    backToNational_ = new QPushButton("全国マップに戻る", panel);
    QSizePolicy keep = backToNational_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    backToNational_->setSizePolicy(keep);
    switches->addWidget(backToNational_);
    switches->addWidget(magnify_);
    coords_ = new QLabel(coordinatesText(0, 0), panel);
    coords_->setObjectName("coordinates");
    QFont mono("Noto Sans Mono CJK JP");
    mono.setPixelSize(12);
    coords_->setFont(mono);
    switches->addWidget(coords_);
    lower->addLayout(switches);

    ranking_ = new QTreeWidget(panel);
    ranking_->setColumnCount(2);
    ranking_->setHeaderLabels({"大名家", "石高(臣従込み)"});
    ranking_->setRootIsDecorated(false);
    ranking_->setIndentation(0);
    ranking_->header()->setStretchLastSection(true);
    ranking_->setColumnWidth(0, 74);
    ranking_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ranking_->header()->setMinimumSectionSize(40);
    ranking_->setAccessibleName("石高順大名家リスト");
    lower->addWidget(ranking_, 1);
    v->addLayout(lower, 1);

    connect(colourCoding_, &QCheckBox::toggled, this, [this](bool on) {
        map_->state().colourCoding = on;
        map_->update();
    });
    connect(houseNames_, &QCheckBox::toggled, this, [this](bool on) {
        map_->state().houseNames = on;
        map_->update();
    });
    connect(magnify_, &QCheckBox::toggled, this, [this](bool on) { map_->setMagnified(on); });
    connect(backToNational_, &QPushButton::clicked, this, &MainWindow::showNationalMap);
    connect(ranking_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        openHouseInformation(*this, item->data(0, Qt::UserRole).toInt());
    });
    panel->setMinimumWidth(380);
    return panel;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("ﾌｧｲﾙ(&F)");
    loadAction_ = file->addAction("データロード", this, &MainWindow::loadRequested);
    saveAction_ = file->addAction("データセーブ", this, &MainWindow::saveRequested);
    file->addSeparator();
    quitAction_ = file->addAction("終了", this, &MainWindow::quitRequested);
    QMenu* info = menuBar()->addMenu("情報(&I)");
    for (const char* caption : {"交易船一覧", "武将一覧", "大名家一覧", "ログ"})
        info->addAction(caption, this, [this, caption] {
            if (!openInformation(*this, caption)) notBuiltYet();
        });
    info->addAction("シナリオ情報", this, &MainWindow::scenarioInfoRequested);
    QMenu* settings = menuBar()->addMenu("設定(&S)");
    settings->addAction("MIDIファイル名設定", this, &MainWindow::musicSettingsRequested);
    QMenu* help = menuBar()->addMenu("ﾍﾙﾌﾟ(&H)");
    help->addAction("ﾍﾙﾌﾟ", QKeySequence(Qt::Key_F1), this, &MainWindow::helpRequested);
    help->addAction("ﾊﾞｰｼﾞｮﾝ情報", this, [this] { openInformation(*this, "ﾊﾞｰｼﾞｮﾝ情報"); });
}

QPushButton* MainWindow::commandButton(int button) const {
    return button >= 1 && button <= 12 ? commands_[button - 1] : nullptr;
}

void MainWindow::showPhase(int phase) {
    phase_ = phase;
    phaseLabel_->setText(QString("%1フェイズ").arg(phaseName(phase)));
    for (int b = 1; b <= 12; ++b) {
        const char* caption = commandCaption(phase, b);
        commands_[b - 1]->setText(caption ? QString(caption) : QString());
        // setText() resets a button's shortcut to its mnemonic: give the key back afterwards.
        commands_[b - 1]->setShortcut(QKeySequence(kCommandKeys[b - 1]));
        commands_[b - 1]->setToolTip(caption ? QKeySequence(kCommandKeys[b - 1]).toString() : QString());
        // A watcher has no house to command: only コマンド終了 and AUTO remain.
        commands_[b - 1]->setVisible(caption != nullptr && !game_.world.spectator);
    }
}

void MainWindow::setPlayerTurn(bool on) {
    endTurn_->setEnabled(on);
    saveAction_->setEnabled(on);
    for (QPushButton* b : commands_)
        b->setEnabled(on);
}

void MainWindow::refresh() {
    header_->update();
    const WorldState& w = game_.world;
    const bool playing = w.playerHouse >= 0 && w.playerHouse < kMaxHouses && !w.spectator;
    auto_->setVisible(w.spectator); // automatic progress is for watching
    funds_->setText(playing ? QString("資金残高 : %1").arg(w.houses[w.playerHouse].funds)
                            : QString("資金残高 :"));
    refreshSummary();
    refreshRanking();
    map_->update();
    // The month's diplomacy log: append what was added since the last look; start over once the
    // log was emptied for a new diplomacy phase.
    const std::string& d = game_.diplomacyLog;
    if (d.compare(0, shownLog_.size(), shownLog_) != 0) shownLog_.clear();
    if (d.size() > shownLog_.size()) {
        appendLog(utf8(d.substr(shownLog_.size())).replace("\r\n", "\n"));
        shownLog_ = d;
    }
}

void MainWindow::refreshSummary() {
    const WorldState& w = game_.world;
    const int p = map_->state().selectedProvince;
    const bool on = p >= 0 && p < w.provinceCount();
    const ProvinceSummary s = provinceSummary(w, p);
    summary_[0]->setText(on ? "国名 : " + provinceName(w, p) : QString("国名 :"));
    summary_[1]->setText(on ? "石高 : " + kokuText(s.koku) : QString("石高 :"));
    summary_[2]->setText(on ? QString("鉄砲生産 : ") + (s.gunProduction ? "可能" : "不可")
                            : QString("鉄砲生産 :"));
    summary_[3]->setText(on ? QString("城数 : %1").arg(s.castles) : QString("城数 :"));
    summary_[4]->setText(on ? QString("経済 : %1").arg(s.economy) : QString("経済 :"));
    summary_[5]->setText(on ? QString("鉱山 : %1").arg(s.mines) : QString("鉱山 :"));
    summary_[6]->setText(on ? QString("港数 : %1").arg(s.ports) : QString("港数 :"));
}

void MainWindow::refreshRanking() {
    const WorldState& w = game_.world;
    ranking_->clear();
    const auto ranking = rankHouses(w);
    for (int row = 0; row < static_cast<int>(ranking.size()); ++row) {
        const RankedHouse& r = ranking[row];
        auto* item = new QTreeWidgetItem(ranking_, {houseName(w, r.house), kokuText(r.koku)});
        item->setIcon(0, rankingMarker(row, r.submitted));
        item->setData(0, Qt::UserRole, r.house);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void MainWindow::appendLog(const QString& text) {
    log_->moveCursor(QTextCursor::End);
    log_->insertPlainText(text);
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void MainWindow::clearLog() {
    log_->clear();
}

void MainWindow::resetView() {
    MapViewState s = map_->state();
    s.mode = MapMode::National;
    s.selectedProvince = -1;
    s.province = -1;
    s.provinceOffsets = {};
    s.setMagnified(magnify_->isChecked());
    map_->setState(s);
    backToNational_->hide();
    coords_->setText(coordinatesText(0, 0));
    clearLog();
    shownLog_ = game_.diplomacyLog;
    for (const char* line : kHelpLines)
        appendLog(QString(line) + "\n");
    log_->verticalScrollBar()->setValue(0);
    refresh();
}

void MainWindow::selectProvince(int province) {
    map_->state().selectedProvince = province;
    refreshSummary();
    map_->update();
}

void MainWindow::showProvinceView(int province) {
    selectProvince(province);
    map_->showProvince(province);
    backToNational_->show();
}

void MainWindow::showNationalMap() {
    map_->showNational();
    backToNational_->hide();
    coords_->setText(coordinatesText(0, 0));
}

void MainWindow::onLeftClick(int province, int castle) {
    const WorldState& w = game_.world;
    if (map_->state().mode == MapMode::National) {
        if (province >= 0) {
            if (provinceHasCastle(w, province))
                showProvinceView(province);
            else
                showMessage(this, utf8(noProvinceDataMessage(w, province)));
        }
        log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
        return;
    }
    if (castle >= 0) {
        openCastleInformation(*this, castle);
        return;
    }
    if (province >= 0 && province != map_->state().province && provinceHasCastle(w, province))
        showProvinceView(province);
}

void MainWindow::onRightPress(int province) {
    if (map_->state().mode != MapMode::National) return;
    if (province >= 0 && province != map_->state().selectedProvince &&
        provinceHasCastle(game_.world, province))
        selectProvince(province);
}

void MainWindow::onCommand(int button) {
    if (!endTurn_->isEnabled()) return;
    const char* caption = commandCaption(phase_, button);
    if (!caption) return;
    const CommandFn* fn = findCommand(caption);
    if (!fn) {
        notBuiltYet();
        return;
    }
    if ((*fn)(*this)) refresh();
}

void MainWindow::notBuiltYet() {
    showMessage(this, kNotBuiltMessage);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (closeGuard && !closeGuard()) {
        e->ignore();
        return;
    }
    pulse_.stop();
    e->accept();
}

} // namespace vh::ui

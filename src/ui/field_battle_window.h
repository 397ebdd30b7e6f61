// The battle window of a hand-fought field battle: the field with both armies, the turn and
// weather lines, both sides' units, and the six order buttons that play the turns.
#pragma once

#include "battle/field_battle.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace vh {
class Random;
}

namespace vh::ui {

// The field of ten steps with both armies drawn at their positions, each as its three lines.
class FieldStrip : public QWidget {
    Q_OBJECT
  public:
    explicit FieldStrip(const FieldBattle& battle, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {640, 110}; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    const FieldBattle& b_;
};

class FieldBattleWindow : public QDialog {
    Q_OBJECT
  public:
    // The battle is deployed; the player's side is side 0. Turns draw from `rng`.
    FieldBattleWindow(FieldBattle& battle, Random& rng, QWidget* parent = nullptr);

    // Messages and the quit question (tests replace them). Every message also goes to the log.
    std::function<void(const QString&)> message;
    std::function<bool(const QString&)> question;

    // The player's order button (FieldOrder); pressing it plays a turn.
    QPushButton* orderButton(int order) const { return orders_[order]; }
    QPushButton* closeButton() const { return close_; }
    QLabel* titleLabel() const { return title_; }
    QLabel* turnLabel() const { return turn_; }
    QLabel* weatherLabel() const { return weather_; }
    QLabel* enemyOrderLabel() const { return enemyOrder_; }
    QTreeWidget* unitList(int side) const { return units_[side]; }
    QStringList log() const;
    // True when the window was closed with the program before the battle ended.
    bool abandoned() const { return abandoned_; }

    // Plays one turn with the player's order, as its button does.
    void order(int order);
    void reject() override;

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void say(const QString& text);
    void refresh();
    void finish();

    FieldBattle& b_;
    Random& rng_;
    bool opened_ = false;
    bool abandoned_ = false;
    QLabel* title_ = nullptr;
    QLabel* turn_ = nullptr;
    QLabel* weather_ = nullptr;
    QLabel* enemyOrder_ = nullptr;
    FieldStrip* strip_ = nullptr;
    std::array<QTreeWidget*, 2> units_{};
    QListWidget* log_ = nullptr;
    std::array<QPushButton*, kOrderRetreat + 1> orders_{};
    QPushButton* close_ = nullptr;
};

} // namespace vh::ui

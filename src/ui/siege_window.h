// "攻城戦": the player's siege of the month — the castle with its parts, its 石高 and food, the
// turn line, the besiegers' and the defenders' lists, and the buttons of a besieging player
// (強襲, 待機（兵糧攻め）) or of a defending one (城外で野戦, 城から退却, 城内で防戦). Every button
// calls one step of the player's siege and shows the messages it leaves.
#pragma once

#include "ui/info_table.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vh {
class PlayerSiege;
}

namespace vh::ui {

class SiegeWindow : public QDialog {
    Q_OBJECT
  public:
    explicit SiegeWindow(PlayerSiege& siege, QWidget* parent = nullptr);

    // The button with this caption (null when the player's side has none).
    QPushButton* button(const QString& caption) const;
    QString turnLine() const;
    // "本丸 : 0%" ... for the parts the castle has, innermost first.
    QStringList partLines() const;
    InfoTable* besiegerList() const { return besiegers_; }
    InfoTable* defenderList() const { return defenders_; }

    // Opens the siege (the opening sally and withdrawal) unless it was already; showing the
    // window does it by itself.
    void openSiege();
    // Shows the state of the siege again (after a step taken outside the buttons).
    void refresh();

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

  private:
    void act(void (PlayerSiege::*step)());
    void showMessages();
    // Closing the window before the siege is over ends the program: asks first; true when
    // confirmed (or when the siege is over anyway).
    bool confirmLeaving();

    PlayerSiege& siege_;
    QLabel* name_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* yield_ = nullptr;
    QLabel* food_ = nullptr;
    QLabel* parts_[10] = {};
    QLabel* turnLine_ = nullptr;
    QLabel* besiegerHeading_ = nullptr;
    QLabel* defenderHeading_ = nullptr;
    InfoTable* besiegers_ = nullptr;
    InfoTable* defenders_ = nullptr;
    QList<QPushButton*> actions_;
    QPushButton* close_ = nullptr;
    bool opened_ = false;
    bool leaving_ = false;
};

} // namespace vh::ui

// The three 軍備 windows of one province: 徴兵 (generals' cavalry and foot, castles' garrisons),
// 城兵糧補充 (food) and 城普請 (one size step). Each keeps its choices as a plan with the money left
// shown live; the command applies the plan once OK is pressed.
#pragma once

#include "military/castle_works.h"
#include "military/conscription.h"

#include <QDialog>
#include <QSpinBox>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace vh::ui {

class InfoTable;

// A spinner that counts units added but shows the resulting total in men.
class TotalSpinBox : public QSpinBox {
    Q_OBJECT
  public:
    explicit TotalSpinBox(QWidget* parent = nullptr);
    void setBase(int baseUnits, int unit);

  protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

  private:
    int base_ = 0;
    int unit_ = 1;
};

class ConscriptionDialog : public QDialog {
    Q_OBJECT
  public:
    ConscriptionDialog(const WorldState& world, int house, int province, RecruitPools remaining,
                       QWidget* parent = nullptr);

    const ConscriptionPlan& plan() const { return plan_; }
    InfoTable* generalList() const { return generals_; }
    InfoTable* castleList() const { return castles_; }
    TotalSpinBox* cavalrySpin() const { return cavalry_; }
    TotalSpinBox* footSpin() const { return foot_; }
    TotalSpinBox* garrisonSpin() const { return garrison_; }
    QLabel* poolsLabel() const { return pools_; }
    QLabel* moneyLabel() const { return money_; }
    QPushButton* fillButton() const { return fill_; }
    QPushButton* okButton() const { return ok_; }

    // Selects listed general / castle i (an index into the plan), or none with -1.
    void selectGeneral(int i);
    void selectCastle(int i);
    // 全武将最大数徴兵 in the list's current order.
    void fillAll();

  private:
    void onGeneralSelection();
    void onCastleSelection();
    void changeCavalry(int units);
    void changeFoot(int units);
    void changeGarrison(int units);
    void refreshRows();
    void refreshControls();

    const WorldState& world_;
    ConscriptionPlan plan_;
    InfoTable* generals_ = nullptr;
    InfoTable* castles_ = nullptr;
    TotalSpinBox* cavalry_ = nullptr;
    TotalSpinBox* foot_ = nullptr;
    TotalSpinBox* garrison_ = nullptr;
    QLabel* pools_ = nullptr;
    QLabel* money_ = nullptr;
    QPushButton* fill_ = nullptr;
    QPushButton* ok_ = nullptr;
    int general_ = -1;
    int castle_ = -1;
};

class CastleFoodDialog : public QDialog {
    Q_OBJECT
  public:
    CastleFoodDialog(const WorldState& world, int house, int province, QWidget* parent = nullptr);

    const FoodPlan& plan() const { return plan_; }
    InfoTable* castleList() const { return castles_; }
    QSlider* slider() const { return slider_; }
    QSpinBox* tensSpin() const { return tens_; }
    QSpinBox* onesSpin() const { return ones_; }
    QLabel* maxLabel() const { return max_; }
    QLineEdit* resultBox() const { return result_; }
    QLabel* moneyLabel() const { return money_; }
    QPushButton* okButton() const { return ok_; }

    void selectCastle(int i);

  private:
    void change(int amount);
    void refresh();

    const WorldState& world_;
    FoodPlan plan_;
    InfoTable* castles_ = nullptr;
    QSlider* slider_ = nullptr;
    QSpinBox* tens_ = nullptr;
    QSpinBox* ones_ = nullptr;
    QLabel* max_ = nullptr;
    QLineEdit* result_ = nullptr;
    QLabel* money_ = nullptr;
    QPushButton* ok_ = nullptr;
    int castle_ = -1;
    bool updating_ = false;
};

class CastleImproveDialog : public QDialog {
    Q_OBJECT
  public:
    CastleImproveDialog(const WorldState& world, int house, int province, QWidget* parent = nullptr);

    const ImprovePlan& plan() const { return plan_; }
    InfoTable* castleList() const { return castles_; }
    QPushButton* improveButton() const { return improve_; }
    QLabel* costLabel() const { return cost_; }
    QLabel* moneyLabel() const { return money_; }
    QPushButton* okButton() const { return ok_; }

    void selectCastle(int i);
    // 城普請 on the selected castle, with its refusal shown.
    void improve();

  private:
    void refresh();

    const WorldState& world_;
    ImprovePlan plan_;
    InfoTable* castles_ = nullptr;
    QPushButton* improve_ = nullptr;
    QLabel* cost_ = nullptr;
    QLabel* money_ = nullptr;
    QPushButton* ok_ = nullptr;
    int castle_ = -1;
};

} // namespace vh::ui

// The firearms windows: 鉄砲生産 (how many to produce), 鉄砲購入 (how many from each market),
// 鉄砲配備 (guns for each general, with 最大数配備) and the delivery notice 鉄砲入手. The first three
// only gather the numbers; the command applies them once the window is accepted.
#pragma once

#include "context/economy_requests.h"
#include "economy/firearms.h"

#include <QDialog>

#include <map>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vh::ui {

class GunSpin;

class GunProductionDialog : public QDialog {
    Q_OBJECT
  public:
    GunProductionDialog(const WorldState& world, QWidget* parent = nullptr);
    int units() const;
    GunSpin* numberBox() const { return number_; }
    QLabel* fundsLabel() const { return funds_; }
    QTreeWidget* provinceList() const { return provinces_; }

  private:
    void numberChanged();

    const WorldState& world_;
    QTreeWidget* provinces_ = nullptr;
    GunSpin* number_ = nullptr;
    QLabel* funds_ = nullptr;
    bool adjusting_ = false;
};

class GunPurchaseDialog : public QDialog {
    Q_OBJECT
  public:
    GunPurchaseDialog(const WorldState& world, QWidget* parent = nullptr);
    // The units entered per offer (markets with a number only).
    std::vector<std::pair<MarketOffer, int>> orders() const;
    QTreeWidget* marketList() const { return list_; }
    GunSpin* numberBox() const { return number_; }
    QLabel* fundsLabel() const { return funds_; }

  private:
    void chooseMarket();
    void numberChanged();
    void updateFunds();
    int64_t totalPrice(int exceptOffer) const;

    const WorldState& world_;
    std::vector<MarketOffer> offers_;
    std::map<int, int> numbers_; // offer position → units
    QTreeWidget* list_ = nullptr;
    GunSpin* number_ = nullptr;
    QLabel* funds_ = nullptr;
    int current_ = -1;
    bool adjusting_ = false;
};

class GunDeploymentDialog : public QDialog {
    Q_OBJECT
  public:
    GunDeploymentDialog(const WorldState& world, int province, QWidget* parent = nullptr);
    // (general, units) for every general given guns in the window.
    std::vector<std::pair<int, int>> assignments() const;
    QTreeWidget* generalList() const { return list_; }
    GunSpin* numberBox() const { return number_; }
    QPushButton* maximumButton() const { return maximum_; }
    QLabel* stockLabel() const { return stock_; }

    void assignMaximum();

  private:
    void chooseGeneral();
    void numberChanged();
    int stockLeft() const;
    void updateRow(int row);

    const WorldState& world_;
    std::vector<int> generals_;
    std::vector<int> assigned_; // per row, units
    QTreeWidget* list_ = nullptr;
    GunSpin* number_ = nullptr;
    QPushButton* maximum_ = nullptr;
    QLabel* stock_ = nullptr;
    int current_ = -1;
    bool adjusting_ = false;
};

// 鉄砲入手: "鉄砲を入手しました" with the month's lines and OK.
class GunDeliveryDialog : public QDialog {
    Q_OBJECT
  public:
    GunDeliveryDialog(const GunDelivery& delivery, QWidget* parent = nullptr);
};

} // namespace vh::ui

// The trade-ship windows: 交易船派遣 (port, partner and the number of ships), 船舶建造 (port and the
// number to build) and the list 交易船一覧 of the fleets at sea. The first two only gather the
// choice; the command applies it once the window is accepted.
#pragma once

#include "world/world_state.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace vh::ui {

class TradeDispatchDialog : public QDialog {
    Q_OBJECT
  public:
    TradeDispatchDialog(const WorldState& world, int province, QWidget* parent = nullptr);

    int port() const { return port_; }
    int partner() const { return partner_; }
    int ships() const;

    QTreeWidget* portList() const { return ports_; }
    QTreeWidget* partnerList() const { return partners_; }
    QSpinBox* shipsBox() const { return ships_; }
    QLabel* fundsLabel() const { return funds_; }
    QPushButton* okButton() const { return ok_; }

  private:
    void choosePort();
    void choosePartner();
    void shipsChanged();
    void tryAccept();
    void updateFunds();

    const WorldState& world_;
    QTreeWidget* ports_ = nullptr;
    QTreeWidget* partners_ = nullptr;
    QSpinBox* ships_ = nullptr;
    QLabel* funds_ = nullptr;
    QPushButton* ok_ = nullptr;
    int port_ = -1;
    int partner_ = -1;
    bool adjusting_ = false;
};

class ShipBuildDialog : public QDialog {
    Q_OBJECT
  public:
    ShipBuildDialog(const WorldState& world, int province, QWidget* parent = nullptr);

    int port() const { return port_; }
    int ships() const;

    QTreeWidget* portList() const { return ports_; }
    QSpinBox* shipsBox() const { return ships_; }
    QLabel* fundsLabel() const { return funds_; }
    QPushButton* okButton() const { return ok_; }

  private:
    void choosePort();
    void shipsChanged();
    void tryAccept();
    void updateFunds();

    const WorldState& world_;
    QTreeWidget* ports_ = nullptr;
    QSpinBox* ships_ = nullptr;
    QLabel* funds_ = nullptr;
    QPushButton* ok_ = nullptr;
    int port_ = -1;
    bool adjusting_ = false;
};

// 交易船一覧: every fleet of the player's ports at sea with its return month.
class FleetListDialog : public QDialog {
    Q_OBJECT
  public:
    FleetListDialog(const WorldState& world, QWidget* parent = nullptr);
    QTreeWidget* fleetList() const { return list_; }

  private:
    QTreeWidget* list_ = nullptr;
};

} // namespace vh::ui

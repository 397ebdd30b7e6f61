// The two order windows over a province map: 武将移動 (a source castle of our side, generals, then a
// destination castle) and 出陣 (a source castle near the head, generals, then an adjacent target).
// They only gather the choice; the command applies it once the window has been accepted.
#pragma once

#include "ui/map_view.h"
#include "world/castle_rules.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vh::ui {

class ArmyOrderDialog : public QDialog {
    Q_OBJECT
  public:
    MapView* mapView() const { return map_; }
    QLabel* promptLabel() const { return prompt_; }
    QLabel* hintLabel() const { return hint_; }
    QLabel* provinceLabel() const { return province_; }
    QLabel* sourceLabel() const { return source_; }
    QTreeWidget* generalList() const { return list_; }
    QPushButton* switchButton() const { return switch_; }
    QPushButton* cancelButton() const { return cancel_; }

    int sourceCastle() const { return sourceCastle_; }
    // The selected generals in list order; after accept() the generals ordered.
    std::vector<int> selectedGenerals() const;
    // After accept(): the destination or target castle.
    int chosenTarget() const { return target_; }

    // Shows another province large (as 国表示切り替え does); source and selection stay.
    void showProvince(int province);
    // A click on a castle box: the source in the first stages, the target once generals are selected.
    void clickCastle(int castle);
    // A click on a column header: 0 名前, 1 騎馬, 2 足軽, 3 鉄砲.
    void sortByColumn(int column);
    // Whether the map draws the castle's box grey (out of reach).
    bool castleGrey(int castle) const { return decor_.greyCastle && decor_.greyCastle(castle); }

  protected:
    struct Texts {
        const char* title;
        const char* promptSource;
        const char* promptGenerals;
        const char* promptTarget;
        bool hintWhileTargeting;      // the move window keeps its hint while a target is chosen
        bool switchOnlyWithoutSource; // a click beside the castles switches province only then
    };
    ArmyOrderDialog(const WorldState& world, int house, const MapViewState& start, const Texts& texts,
                    QWidget* parent);

    virtual void pickSource(int castle) = 0;
    // Returns the refusal shown, or empty when the target is taken.
    virtual std::string checkTarget(int castle) = 0;

    // Fills the list (empty: no source) and sets the source castle and the prompts.
    void setSource(int castle, const std::vector<int>& generals);
    void updatePrompt();
    bool targeting() const;

    const WorldState& world_;
    const int house_;
    MapDecor decor_;

  private:
    void fillList();
    void onMapClick(int province, int castle);
    void switchProvince();

    Texts texts_;
    MapView* map_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* province_ = nullptr;
    QLabel* source_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* switch_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::vector<int> generals_; // in list order
    int sourceCastle_ = -1;
    int target_ = -1;
};

// 武将移動. Castles of our side beyond DistanceLimit from the source are drawn grey.
class MoveDialog : public ArmyOrderDialog {
    Q_OBJECT
  public:
    MoveDialog(const WorldState& world, int house, const MapViewState& start, QWidget* parent = nullptr);

  protected:
    void pickSource(int castle) override;
    std::string checkTarget(int castle) override;

  private:
    DistanceTable dist_;
};

// 出陣.
class SortieDialog : public ArmyOrderDialog {
    Q_OBJECT
  public:
    SortieDialog(const WorldState& world, int house, const MapViewState& start, QWidget* parent = nullptr);

  protected:
    void pickSource(int castle) override;
    std::string checkTarget(int castle) override;
};

} // namespace vh::ui

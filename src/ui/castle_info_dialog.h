// "城情報": one castle's figures, its garrison and besiegers, how far a siege has taken its parts,
// and its port; 大名家情報 opens the owner's house information.
#pragma once

#include "ui/info_table.h"
#include "ui/map_painter.h"
#include "world/world_state.h"

#include <QDialog>
#include <QMap>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vh::ui {

class CastleInfoDialog : public QDialog {
    Q_OBJECT
  public:
    CastleInfoDialog(const WorldState& world, int castle, const MapViewState& mapStart,
                     QWidget* parent = nullptr);

    // The value shown beside a caption ("城の名前", "石高", "兵糧", ...).
    QString value(const QString& caption) const;
    InfoTable* garrisonList() const { return garrison_; }
    InfoTable* besiegerList() const { return besiegers_; }
    QLabel* besiegerHeading() const { return besiegerHeading_; }
    // The lines of 包囲軍侵攻度 that are shown: "本丸 : 0%" ...
    QStringList partLines() const;
    QGroupBox* portGroup() const { return port_; }
    QPushButton* houseButton() const { return houseButton_; }

  private:
    void addValue(QGridLayout* grid, int row, int column, const QString& caption, const QString& value);
    void fillList(InfoTable* list, bool besiegers, QLabel* totals);

    const WorldState& world_;
    int castle_;
    MapViewState mapStart_;
    QMap<QString, QLabel*> values_;
    InfoTable* garrison_ = nullptr;
    InfoTable* besiegers_ = nullptr;
    QLabel* besiegerHeading_ = nullptr;
    QLabel* parts_[10] = {};
    QGroupBox* port_ = nullptr;
    QPushButton* houseButton_ = nullptr;
};

} // namespace vh::ui

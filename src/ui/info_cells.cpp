// General list cells.
#include "ui/info_cells.h"

#include "game/info_figures.h"
#include "ui/ui_text.h"

namespace vh::ui {

QStandardItem* ageCell(const WorldState& w, const General& g, bool hostageStyle) {
    const int age = w.date.year - g.birthYear;
    const bool unknown = g.flags & kFlagBirthUnknown;
    return InfoTable::numberCell(unknown && !hostageStyle ? -1000000 : age,
                                 utf8(ageText(w, g, hostageStyle)));
}

QList<QStandardItem*> troopCells(const WorldState& w, const General& g) {
    const long long unit = w.settings.heiUnit;
    return {InfoTable::numberCell(g.cavalry * unit), InfoTable::numberCell(g.foot * unit),
            InfoTable::numberCell(g.guns * unit)};
}

QList<QStandardItem*> abilityCells(const General& g) {
    return {InfoTable::numberCell(g.valor), InfoTable::numberCell(g.politics),
            InfoTable::numberCell(g.intellect)};
}

QList<QStandardItem*> generalCells(const WorldState& w, int general) {
    const General& g = w.generals[general];
    QList<QStandardItem*> row = {InfoTable::textCell(fieldQText(w, g.name)),
                                 InfoTable::textCell(houseName(w, g.house)),
                                 InfoTable::textCell(utf8(positionText(w, general))), ageCell(w, g)};
    row += troopCells(w, g);
    row += abilityCells(g);
    return row;
}

} // namespace vh::ui

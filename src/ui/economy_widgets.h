// Pieces the economy windows share: their lists, the OK/ｷｬﾝｾﾙ row, a number box counting guns in
// HeiUnit steps, and the money line that follows the choices.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vh::ui {

// A single-selection list with the given column headers, sized to them.
QTreeWidget* economyList(const QStringList& headers, const QString& name, QWidget* parent);
// A right-aligned number or text cell row.
QTreeWidgetItem* economyRow(const QStringList& cells, int key);
inline int rowKey(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

// "OK" and "ｷｬﾝｾﾙ": Enter presses OK, Escape cancels.
QDialogButtonBox* okCancelButtons(QWidget* parent);
// That row under a window's contents: OK runs `onOk` (the window's own check before it closes) or,
// without one, simply accepts.
template <class D> QDialogButtonBox* addOkCancel(D* d, QVBoxLayout* v, void (D::*onOk)() = nullptr) {
    auto* buttons = okCancelButtons(d);
    if (onOk)
        QObject::connect(buttons, &QDialogButtonBox::accepted, d, onOk);
    else
        QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    v->addWidget(buttons);
    return buttons;
}

// A number of guns shown in 挺, stepping by HeiUnit; the rules count in units.
class GunSpin : public QSpinBox {
    Q_OBJECT
  public:
    GunSpin(int heiUnit, QWidget* parent);
    void setUnitMaximum(int units);
    int units() const { return value() / unit_; }
    void setUnits(int units) { setValue(units * unit_); }

  signals:
    void unitsChanged(int units);

  private:
    int unit_;
};

} // namespace vh::ui

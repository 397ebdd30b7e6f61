// "収支報告": the month's accounts of the player's house — income, upkeep, the funds before and
// after, and the 軍団収支 list of every corps settled.
#pragma once

#include "context/event_requests.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

namespace vh::ui {

// The funds line: "%d + %d - %d → %d", with the note on borrowing when the funds are negative.
QString accountsFundsLine(const AccountsReport& report);

class AccountsReportDialog : public QDialog {
    Q_OBJECT
  public:
    AccountsReportDialog(const AccountsReport& report, QWidget* parent = nullptr);

    // The value shown beside a caption ("収穫", "町", ..., "TOTAL" of group "収入" or "支出"),
    // or a null string when the line is not shown.
    QString incomeLine(const QString& caption) const;
    QString upkeepLine(const QString& caption) const;
    QLabel* fundsLabel() const { return funds_; }
    QLabel* noteLabel() const { return note_; } // null unless something besieged was left out
    QTreeWidget* corpsList() const { return corps_; }

  private:
    QLabel* funds_ = nullptr;
    QLabel* note_ = nullptr;
    QTreeWidget* corps_ = nullptr;
};

} // namespace vh::ui
